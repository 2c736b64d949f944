#include "app_start_t.h"

#include "app_paths.h"
#include "init_ui_font_names.h"
#include "lib_xml_t.h"
#include "mymainwindow.h"
#include "ui_qsplashscreen_t.h"

#include <QApplication>
#include <QDebug>
#include <QFont>
#include <QFontDatabase>
#include <QPixmap>
#include <QStringList>

namespace {

// Registers the resource CJK font; returns its family ("" when it failed).
QString register_resource_font()
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/resource/NotoSansCJKsc-Regular.otf"));
    if (id < 0) {
        qWarning() << "app_start_t: the resource font could not be registered";
        return QString();
    }
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

} // namespace

app_start_t::app_start_t() = default;

app_start_t::~app_start_t() = default;

void app_start_t::begin()
{
    const QString resource_family = register_resource_font();

    QString error;
    if (!app_paths::init(&error))
        qWarning() << "app_start_t: the configuration is not kept:" << error;
    QString language;
    lib_xml_t xml;
    if (!xml.read_node_text(app_paths::config_file(), QString::fromLatin1(lib_xml_t::language_name), &language))
        language = QString::fromLatin1(lib_xml_t::default_language);
    m_chinese = language == QLatin1String("chinese");
    MyMainWindow::set_ui_language(m_chinese ? QStringLiteral("chinese") : QStringLiteral("english"));
    m_translations.install(m_chinese);

    const auto names = init_ui_font_names();
    const QString family = m_chinese ? names.second : names.first;
    // The interface's font families are Windows fonts; on other systems they
    // are drawn with the resource font, the same on every machine.
    if (!resource_family.isEmpty()) {
        QFont::insertSubstitution(family, resource_family);
        QFont::insertSubstitution(QStringLiteral("Calibri"), resource_family);
    }
    QFont font = QApplication::font();
    font.setFamily(family);
    font.setPixelSize(11);
    QApplication::setFont(font);

    m_splash.reset(new ui_qsplashscreen_t(QPixmap(QStringLiteral(":/resource/splash_screen.png"))));
    m_splash->show();
}
