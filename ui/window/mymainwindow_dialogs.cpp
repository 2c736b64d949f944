// The utility settings dialog, the About box and the language choice.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "app_paths.h"
#include "lib_xml_t.h"
#include "ui_about_info_t.h"
#include "ui_prompt_t.h"
#include "utilitySetting.h"
#include "window_place.h"

#include <QAction>

namespace {

const char* const chinese_word = "chinese";
const char* const english_word = "english";

} // namespace

void MyMainWindow::do_setting_action()
{
    auto* dialog = new utilitySetting(this);
    dialog->set_command_thread(cfg_thread);
    dialog->set_connected_probe([this] { return is_connected; });
    // The dialog tells before it posts, so the reply of its request always
    // finds the flag set: a direct call, not a queued one.
    connect(dialog, &utilitySetting::sig_pending_utility_a, this, &MyMainWindow::set_pending_utility_a,
            Qt::DirectConnection);
    place_centred_on(dialog, this);
    dialog->init_utility_value();
    dialog->show();
}

void MyMainWindow::do_about_action()
{
    // Deletes itself when closed (and blocks the application while open).
    auto* about = new ui_about_info_t(this);
    place_centred_on(about, this);
    about->show();
}

void MyMainWindow::do_english_action()
{
    choose_language(QLatin1String(english_word));
}

void MyMainWindow::do_chinese_action()
{
    choose_language(QLatin1String(chinese_word));
}

void MyMainWindow::choose_language(const QString& language)
{
    const QString path = app_paths::config_file();
    const QString element = QString::fromLatin1(lib_xml_t::language_name);
    lib_xml_t xml;
    ui_prompt_t prompt(this);
    const bool stored = xml.write_node_text(path, element, language);

    // The check mark follows what the configuration holds for the next
    // start (triggering a checked action has just cleared its mark).
    QString next = language;
    if (!stored && !xml.read_node_text(path, element, &next))
        next = ui_language();
    const bool is_chinese = next == QLatin1String(chinese_word);
    ui->actionChinese->setChecked(is_chinese);
    ui->actionEnglish->setChecked(!is_chinese);

    if (!stored) {
        prompt.show_info(tr("The language setting could not be saved."));
        return;
    }
    // The form is translated once, when the window is built.
    prompt.ask_two_buttons_2(tr("The new language takes effect when Wattlex is started again."), false);
}
