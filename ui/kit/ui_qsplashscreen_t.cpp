#include "ui_qsplashscreen_t.h"

#include <QFont>
#include <QLabel>

namespace {
const char* const label_style = "font: 16px;color: white;background-color: transparent;";
}

ui_qsplashscreen_t::ui_qsplashscreen_t(const QPixmap& pixmap, Qt::WindowFlags flags)
    : QSplashScreen(pixmap, flags)
{
    init_labels();
}

ui_qsplashscreen_t::ui_qsplashscreen_t(QWidget* parent, const QPixmap& pixmap, Qt::WindowFlags flags)
    : QSplashScreen(parent ? parent->screen() : nullptr, pixmap, flags)
{
    // Still a top-level splash, owned by the parent.
    if (parent)
        setParent(parent, windowFlags());
    init_labels();
}

void ui_qsplashscreen_t::init_labels()
{
    const QString version = QStringLiteral("V") + QStringLiteral("8.5");
    const QFont font(QStringLiteral("Microsoft YaHei"));

    m_product_label = new QLabel(version, this);
    m_product_label->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_product_label->setFont(font);
    m_product_label->setStyleSheet(QString::fromLatin1(label_style));
    m_product_label->setText(QStringLiteral("Wattlex"));
    m_product_label->move(10, 5);

    m_version_label = new QLabel(version, this);
    m_version_label->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_version_label->setFont(font);
    m_version_label->setStyleSheet(QString::fromLatin1(label_style));

    m_loading_label = new QLabel(tr("Loading files, please wait ..."), this);
    m_loading_label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    m_loading_label->setFont(font);
    m_loading_label->setStyleSheet(QString::fromLatin1(label_style));

    // About 8 px per character keeps the version against the right edge.
    m_version_label->move(300 - 8 * (m_version_label->text().length() + 2), 75);
    m_loading_label->move(10, 75);
}

void ui_qsplashscreen_t::set_version_text(const QString& text)
{
    m_version_label->setText(text);
}

void ui_qsplashscreen_t::timer_refresh_slot_func()
{
    ++m_dot_count;
    m_loading_label->setText(tr("Loading files, please wait ") + QString(m_dot_count, QLatin1Char('.')));
}

void ui_qsplashscreen_t::mousePressEvent(QMouseEvent*)
{
}
