// Start-up: font, splash screen, configuration, translation, main window.
#include "mymainwindow.h"

#include "app_paths.h"
#include "init_ui_font_names.h"
#include "lib_xml_t.h"
#include "uiPara.h"
#include "ui_qsplashscreen_t.h"

#include <QApplication>
#include <QDebug>
#include <QEventLoop>
#include <QFont>
#include <QFontDatabase>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

namespace {

const int splash_ms = 5000;

// Registers the resource CJK font; returns its family ("" when it failed).
QString register_resource_font()
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/resource/NotoSansCJKsc-Regular.otf"));
    if (id < 0) {
        qWarning() << "main: the resource font could not be registered";
        return QString();
    }
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Wattlex"));

    const QString resource_family = register_resource_font();
    QFont font = QApplication::font();
    if (!resource_family.isEmpty())
        font.setFamily(resource_family);
    font.setPixelSize(11);
    QApplication::setFont(font);

    ui_qsplashscreen_t splash(QPixmap(QStringLiteral(":/resource/splash_screen.png")));
    splash.show();
    if (qgetenv("WATTLEX_NO_SPLASH_WAIT") != "1") {
        QEventLoop wait;
        QTimer::singleShot(splash_ms, &wait, &QEventLoop::quit);
        wait.exec();
    }
    QCoreApplication::processEvents();

    QString error;
    if (!app_paths::init(&error))
        qWarning() << "main: the configuration is not kept:" << error;
    uiPara::instance();

    QString language;
    lib_xml_t xml;
    if (!xml.read_node_text(app_paths::config_file(), QString::fromLatin1(lib_xml_t::language_name), &language))
        language = QString::fromLatin1(lib_xml_t::default_language);
    const bool chinese = language == QLatin1String("chinese");
    MyMainWindow::set_ui_language(chinese ? QStringLiteral("chinese") : QStringLiteral("english"));

    QTranslator translator;
    const QString catalogue = chinese ? QStringLiteral(":/languages/Wattlex_zh.qm")
                                      : QStringLiteral(":/languages/Wattlex_en.qm");
    if (translator.load(catalogue))
        QApplication::installTranslator(&translator);
    else
        qWarning() << "main: cannot load" << catalogue;

    const auto names = init_ui_font_names();
    const QString family = chinese ? names.second : names.first;
    // The interface's font families are Windows fonts; on other systems they
    // are drawn with the resource font, the same on every machine.
    if (!resource_family.isEmpty()) {
        QFont::insertSubstitution(family, resource_family);
        QFont::insertSubstitution(QStringLiteral("Calibri"), resource_family);
    }
    font.setFamily(family);
    QApplication::setFont(font);

    MyMainWindow window;
    window.show();
    splash.close();
    return app.exec();
}
