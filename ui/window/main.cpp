// Start-up: language, fonts and splash screen, then the main window.
#include "mymainwindow.h"

#include "app_start_t.h"
#include "uiPara.h"
#include "ui_qsplashscreen_t.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace {
const int splash_ms = 5000;
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Wattlex"));

    app_start_t start;
    start.begin();
    if (qgetenv("WATTLEX_NO_SPLASH_WAIT") != "1") {
        QEventLoop wait;
        QTimer::singleShot(splash_ms, &wait, &QEventLoop::quit);
        wait.exec();
    }
    QCoreApplication::processEvents();

    uiPara::instance();
    MyMainWindow window;
    window.show();
    start.splash()->close();
    return app.exec();
}
