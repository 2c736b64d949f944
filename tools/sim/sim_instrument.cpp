#include "sim_instrument.h"

#include "model_block_codec.h"
#include "model_command_table.h"
#include "model_engine.h"
#include "model_error_queue.h"
#include "model_header.h"
#include "model_text.h"

#include <mutex>
#include <vector>

namespace {

// Rated power from the model field: the three digits after "WLX1".
double rated_power(const std::string &idn)
{
    const std::size_t a = idn.find(',');
    if (a == std::string::npos)
        return 300;
    const std::size_t b = idn.find(',', a + 1);
    const std::string model = model_text::trim(idn.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1));
    if (model.size() < 7 || model.compare(0, 4, "WLX1") != 0)
        return 300;
    int w = 0;
    for (std::size_t i = 4; i < 7; ++i) {
        if (model[i] < '0' || model[i] > '9')
            return 300;
        w = w * 10 + (model[i] - '0');
    }
    return w > 0 ? w : 300;
}

struct parsed_value {
    double num = 0;
    int ival = 0;
};

} // namespace

struct sim_instrument::impl {
    explicit impl(const sim_options &o)
        : opt(o), eng(rated_power(o.idn), o.clock, o.time_scale)
    {
        eng.set_noise(o.noise);
    }

    void fail(int code, const std::string &message, const std::string &detail = std::string());
    int run(const model_command &c, bool query, const std::string &args, std::string *reply);
    int parse_value(const model_command &c, int step, const std::string &text, parsed_value *v);
    bool import(const std::string &raw, std::string *reply);

    sim_options opt;
    mutable std::mutex mu;
    model_engine eng;
    model_error_queue errors;
};

void sim_instrument::impl::fail(int code, const std::string &message, const std::string &detail)
{
    errors.push(code);
    if (!opt.log)
        return;
    std::string line = "error " + std::to_string(code) + " \"" + model_error_queue::text(code) + "\": "
        + model_text::printable(message);
    if (!detail.empty())
        line += " (" + detail + ")";
    opt.log(line);
}

int sim_instrument::impl::parse_value(const model_command &c, int step, const std::string &text, parsed_value *v)
{
    model_state &st = eng.st;
    const std::string up = model_text::upper(text);
    switch (c.param) {
    case model_param::number:
        if (!model_text::parse_number(text, &v->num))
            return model_error_queue::illegal_parameter;
        break;
    case model_param::integer: {
        long long n = 0;
        if (!model_text::parse_integer(text, &n))
            return model_error_queue::illegal_parameter;
        v->num = double(n);
        v->ival = (n > 1000000000LL || n < -1000000000LL) ? -1 : int(n);
        break;
    }
    case model_param::sw:
        if (up == "ON" || up == "1")
            v->ival = 1;
        else if (up == "OFF" || up == "0")
            v->ival = 0;
        else
            return model_error_queue::illegal_parameter;
        return 0;
    case model_param::word:
        for (int i = 0; i < c.words->count; ++i) {
            if (model_header::word_matches(c.words->words[i].pattern, up)) {
                v->ival = c.words->words[i].value;
                return 0;
            }
        }
        return model_error_queue::illegal_parameter;
    case model_param::irange:
    case model_param::vrange: {
        if (!model_text::parse_number(text, &v->num))
            return model_error_queue::illegal_parameter;
        const bool cur = c.param == model_param::irange;
        const double lo = cur ? 5 : 36, hi = cur ? 30 : 150;
        if (v->num != lo && v->num != hi)
            return model_error_queue::out_of_range;
        v->ival = int(v->num);
        return 0;
    }
    default:
        return 0;
    }
    if (c.limits && !c.limits(st, c.block, step).contains(v->num))
        return model_error_queue::out_of_range;
    return 0;
}

int sim_instrument::impl::run(const model_command &c, bool query, const std::string &args, std::string *reply)
{
    model_state &st = eng.st;
    std::vector<std::string> params;
    const std::string a = model_text::trim_blanks(args);
    if (!a.empty()) {
        std::size_t b = 0;
        for (;;) {
            const std::size_t e = a.find(',', b);
            params.push_back(model_text::trim_blanks(a.substr(b, e == std::string::npos ? std::string::npos : e - b)));
            if (e == std::string::npos)
                break;
            b = e + 1;
        }
    }
    for (const std::string &p : params)
        if (p.empty())
            return model_error_queue::missing_parameter;

    std::size_t used = 0;
    int step = -1;
    if (c.steps > 0 && !c.all) {
        if (params.empty())
            return model_error_queue::missing_parameter;
        long long k = 0;
        if (!model_text::parse_integer(params[0], &k))
            return model_error_queue::illegal_parameter;
        if (k < 1 || k > c.steps)
            return model_error_queue::out_of_range;
        step = int(k - 1);
        used = 1;
    }

    if (query) {
        if (params.size() > used)
            return model_error_queue::parameter_not_allowed;
        if (c.all) {
            std::string r;
            for (int k = 0; k < c.steps; ++k)
                r += model_command_table::format(c, st, k, true) + ",";
            *reply = r + "\n";
            return 0;
        }
        model_call call{eng, errors, opt.idn, c, step, 0, 0, reply};
        if (c.query)
            return c.query(call);
        *reply = model_command_table::format(c, st, step, false) + "\n";
        return 0;
    }

    parsed_value v;
    if (c.param == model_param::none) {
        if (params.size() > used)
            return model_error_queue::parameter_not_allowed;
    } else {
        if (params.size() <= used)
            return model_error_queue::missing_parameter;
        if (params.size() > used + 1)
            return model_error_queue::parameter_not_allowed;
        const int e = parse_value(c, step, params[used], &v);
        if (e)
            return e;
    }
    if (c.refused_on && st.sim.strict && st.input)
        return model_error_queue::settings_conflict;

    model_call call{eng, errors, opt.idn, c, step, v.num, v.ival, reply};
    int e = 0;
    if (c.set) {
        e = c.set(call);
    } else if (c.num) {
        *c.num(st, c.block, step) = v.num;
    } else if (c.ival) {
        *c.ival(st, c.block, step) = v.ival;
    }
    if (e == 0) {
        st.clamp_all();
        eng.changed();
    }
    return e;
}

// Imports are recognised on the raw bytes: the block may hold any byte,
// so it is never trimmed or split.
bool sim_instrument::impl::import(const std::string &raw, std::string *reply)
{
    static const model_header list_header("LIST:IMPort");
    static const model_header prog_header("PROGram:IMPort");
    const std::size_t sp = raw.find(' ');
    if (sp != std::string::npos && sp > 32)
        return false;
    const std::string token = model_text::upper(sp == std::string::npos ? model_text::trim(raw) : raw.substr(0, sp));
    const bool is_list = list_header.matches(token);
    if (!is_list && !prog_header.matches(token))
        return false;

    std::string block = sp == std::string::npos ? std::string() : raw.substr(sp + 1);
    const std::size_t size = is_list ? model_block_codec::list_size : model_block_codec::prog_size;
    // Test clients may append their own terminator.
    if (block.size() == size + 1 && block.back() == '\n')
        block.resize(size);
    else if (block.size() == size + 2 && block.compare(size, 2, "\r\n") == 0)
        block.resize(size);

    model_state &st = eng.st;
    std::string why;
    int e = 0;
    model_state::list_cfg list{};
    model_state::prog_cfg prog{};
    const bool ok = is_list ? model_block_codec::decode_list(block, st, &list, &why)
                            : model_block_codec::decode_prog(block, st, &prog, &why);
    if (!ok) {
        e = model_error_queue::out_of_range;
    } else if (st.sim.strict && st.input) {
        e = model_error_queue::settings_conflict;
        why = "input on";
    } else {
        if (is_list)
            st.list = list;
        else
            st.prog = prog;
        st.clamp_all();
        eng.changed();
    }
    if (e)
        fail(e, token + " + " + std::to_string(raw.size() - (sp == std::string::npos ? raw.size() : sp + 1)) + " bytes",
             why);
    *reply = e ? "0\n" : "1\n";
    return true;
}

sim_instrument::sim_instrument(const sim_options &opt) : d(new impl(opt)) {}

sim_instrument::~sim_instrument() = default;

bool sim_instrument::execute(const std::string &message, std::string *reply)
{
    std::lock_guard<std::mutex> lock(d->mu);
    d->eng.sync();
    std::string r;
    if (d->import(message, &r)) {
        if (reply)
            *reply = r;
        return true;
    }
    const std::string text = model_text::trim(message);
    if (text.empty())
        return false;
    const std::size_t sp = text.find_first_of(" \t");
    std::string header = model_text::upper(text.substr(0, sp));
    const std::string args = sp == std::string::npos ? std::string() : text.substr(sp + 1);
    const bool query = !header.empty() && header.back() == '?';
    if (query)
        header.pop_back();
    const model_command *c = model_command_table::find(header, query);
    const int e = c ? d->run(*c, query, args, &r) : int(model_error_queue::undefined_header);
    if (e) {
        d->fail(e, text);
        return false;
    }
    if (!query)
        return false;
    if (reply)
        *reply = r;
    return true;
}

void sim_instrument::trigger()
{
    std::lock_guard<std::mutex> lock(d->mu);
    d->eng.sync();
    const int e = d->eng.trigger();
    if (e)
        d->fail(e, "device_trigger");
}

void sim_instrument::set_remote(bool remote)
{
    std::lock_guard<std::mutex> lock(d->mu);
    d->eng.st.remote = remote ? 1 : 0;
}

bool sim_instrument::error_queue_empty() const
{
    std::lock_guard<std::mutex> lock(d->mu);
    return d->errors.empty();
}
