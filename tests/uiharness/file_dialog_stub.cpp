#include "file_dialog_stub.h"

#include "file_dialog.h"

file_dialog_stub::file_dialog_stub()
    : m_state(std::make_shared<state_t>())
{
    auto make = [](std::shared_ptr<state_t> state, bool save) {
        return [state, save](QWidget*, const QString& caption, const QString& dir, const QString& filter) {
            state->calls.append(call_t {save, caption, dir, filter});
            return state->answers.isEmpty() ? QString() : state->answers.takeFirst();
        };
    };
    wattlex_set_open_file_hook(make(m_state, false));
    wattlex_set_save_file_hook(make(m_state, true));
}

file_dialog_stub::~file_dialog_stub()
{
    wattlex_set_open_file_hook(nullptr);
    wattlex_set_save_file_hook(nullptr);
}

void file_dialog_stub::answer(const QString& path)
{
    m_state->answers.append(path);
}

int file_dialog_stub::pending() const
{
    return m_state->answers.size();
}

QList<file_dialog_stub::call_t> file_dialog_stub::calls() const
{
    return m_state->calls;
}
