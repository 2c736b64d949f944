#include "ui_translations_t.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>

ui_translations_t::~ui_translations_t()
{
    remove();
}

void ui_translations_t::remove()
{
    if (m_program_installed)
        QCoreApplication::removeTranslator(&m_program);
    if (m_qt_installed)
        QCoreApplication::removeTranslator(&m_qt);
    m_program_installed = m_qt_installed = false;
    m_qt_file.clear();
}

bool ui_translations_t::install(bool chinese)
{
    remove();
    const QString catalogue = chinese ? QStringLiteral(":/languages/Wattlex_zh.qm")
                                      : QStringLiteral(":/languages/Wattlex_en.qm");
    m_program_installed = m_program.load(catalogue) && QCoreApplication::installTranslator(&m_program);
    if (!m_program_installed)
        qWarning() << "ui_translations_t::install: cannot load" << catalogue;

    if (chinese) {
        // Qt's own catalogue: beside the program (a copied installation)
        // first, else where this Qt keeps its translations.
        const QStringList folders = {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
                                     QLibraryInfo::location(QLibraryInfo::TranslationsPath)};
        const QLocale locale(QLocale::Chinese, QLocale::China);
        for (const QString& folder : folders) {
            if (m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
                m_qt_installed = QCoreApplication::installTranslator(&m_qt);
                m_qt_file = m_qt.filePath();
                break;
            }
        }
        if (!m_qt_installed)
            qWarning() << "ui_translations_t::install: no Chinese catalogue of Qt in" << folders
                       << "(Debian: qttranslations5-l10n); Qt's own texts stay English";
    }
    return m_program_installed;
}
