#ifndef APP_START_T_H
#define APP_START_T_H

#include "ui_translations_t.h"

#include <QString>

#include <memory>

class ui_qsplashscreen_t;

// Start-up up to the splash screen, in the order the user needs it: the
// folders and the configuration, the stored language with its catalogues
// (the program's and Qt's own), the fonts, then the splash screen, which is
// the first text the user reads and so already in that language.
class app_start_t
{
public:
    app_start_t();
    ~app_start_t();

    // Runs the steps above; the splash is shown when it returns.
    void begin();

    bool chinese() const { return m_chinese; }
    ui_qsplashscreen_t* splash() const { return m_splash.get(); }
    const ui_translations_t& translations() const { return m_translations; }

private:
    bool m_chinese = false;
    ui_translations_t m_translations;
    std::unique_ptr<ui_qsplashscreen_t> m_splash;
};

#endif
