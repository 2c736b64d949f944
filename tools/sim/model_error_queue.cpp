#include "model_error_queue.h"

namespace {

struct error_text {
    int code;
    const char *text;
};

const error_text texts[] = {
    {0, "No error"},
    {model_error_queue::undefined_header, "Undefined header"},
    {model_error_queue::parameter_not_allowed, "Parameter not allowed"},
    {model_error_queue::missing_parameter, "Missing parameter"},
    {model_error_queue::illegal_parameter, "Illegal parameter value"},
    {model_error_queue::out_of_range, "Data out of range"},
    {model_error_queue::settings_conflict, "Settings conflict"},
    {model_error_queue::trigger_ignored, "Trigger ignored"},
    {model_error_queue::queue_overflow, "Queue overflow"},
};

} // namespace

const char *model_error_queue::text(int code)
{
    for (const error_text &t : texts)
        if (t.code == code)
            return t.text;
    return "Error";
}

void model_error_queue::push(int code)
{
    if (q_.size() >= capacity) {
        q_.back() = queue_overflow;
        return;
    }
    q_.push_back(code);
}

std::string model_error_queue::pop()
{
    int code = 0;
    if (!q_.empty()) {
        code = q_.front();
        q_.pop_front();
    }
    return std::to_string(code) + ",\"" + text(code) + "\"";
}
