#ifndef UI_TRANSLATIONS_T_H
#define UI_TRANSLATIONS_T_H

#include <QString>
#include <QTranslator>

// The catalogues of the interface language: the program's own and Qt's
// (file dialogs, standard buttons such as "OK"). Start-up installs them
// before it builds the first widget, the splash screen included; they stay
// installed while this object lives.
class ui_translations_t
{
public:
    ui_translations_t() = default;
    ~ui_translations_t();
    ui_translations_t(const ui_translations_t&) = delete;
    ui_translations_t& operator=(const ui_translations_t&) = delete;

    // Installs the catalogues of the language (Chinese or English). Returns
    // false when the program's catalogue is missing; a missing Qt catalogue
    // only leaves Qt's texts in English.
    bool install(bool chinese);
    // Qt's catalogue in use, "" when none (English needs none).
    QString qt_catalogue() const { return m_qt_file; }

private:
    void remove();

    QTranslator m_program;
    QTranslator m_qt;
    bool m_program_installed = false;
    bool m_qt_installed = false;
    QString m_qt_file;
};

#endif
