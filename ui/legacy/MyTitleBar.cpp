#include "MyTitleBar.h"

#include "window_look.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace {
constexpr int bar_height = 30;
constexpr int roll_interval_ms = 200;
// one position for every bar of the process
int roll_position = 0;
} // namespace

MyTitleBar::MyTitleBar(QWidget* parent)
    : QWidget(parent)
{
    init_controls();
    connect_buttons();
}

MyTitleBar::~MyTitleBar() = default;

void MyTitleBar::init_controls()
{
    m_icon_label = new QLabel;
    m_title_label = new QLabel;
    m_min_button = new QPushButton;
    m_restore_button = new QPushButton;
    m_max_button = new QPushButton;
    m_close_button = new QPushButton;

    struct button_look_t
    {
        QPushButton* button;
        const char* name;
        const char* icon;
        const char* tip;
    };
    const button_look_t looks[] = {
        {m_min_button, "title_min_button", ":/resource/min.jpg", "最小化"},
        {m_restore_button, "title_restore_button", ":/resource/max.jpg", "还原"},
        {m_max_button, "title_max_button", ":/resource/max.jpg", "最大化"},
        {m_close_button, "title_close_button", ":/resource/close.jpg", "关闭"},
    };
    for (const button_look_t& look : looks) {
        look.button->setObjectName(QString::fromLatin1(look.name));
        look.button->setFixedSize(30, 22);
        look.button->setIconSize(QSize(30, 22));
        look.button->setStyleSheet(QStringLiteral("background-color:rgb(20, 20, 20)"));
        look.button->setIcon(QIcon(QString::fromLatin1(look.icon)));
        look.button->setToolTip(QString::fromUtf8(look.tip));
    }
    m_icon_label->setObjectName(QStringLiteral("title_icon_label"));
    m_icon_label->setStyleSheet(QStringLiteral("background-color: rgb(20, 20, 20)"));
    m_title_label->setObjectName(QStringLiteral("title_label"));
    m_title_label->setStyleSheet(QStringLiteral("color: yellow;background-color: rgb(20, 20, 20)"));
    m_title_label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_icon_label);
    layout->addWidget(m_title_label);
    layout->addWidget(m_min_button);
    layout->addWidget(m_restore_button);
    layout->addWidget(m_max_button);
    layout->addWidget(m_close_button);
    layout->setContentsMargins(5, 0, 0, 0);
    layout->setSpacing(0);

    setFixedHeight(bar_height);
    setWindowFlags(Qt::FramelessWindowHint);
}

void MyTitleBar::connect_buttons()
{
    connect(m_min_button, SIGNAL(clicked()), this, SLOT(onButtonMinClicked()));
    connect(m_restore_button, SIGNAL(clicked()), this, SLOT(onButtonRestoreClicked()));
    connect(m_max_button, SIGNAL(clicked()), this, SLOT(onButtonMaxClicked()));
    connect(m_close_button, SIGNAL(clicked()), this, SLOT(onButtonCloseClicked()));
}

void MyTitleBar::set_background_color(int red, int green, int blue, bool transparent)
{
    m_red = red;
    m_green = green;
    m_blue = blue;
    m_transparent = transparent;
    update();
}

void MyTitleBar::set_title_icon(QString path, QSize size)
{
    const QPixmap pixmap(path);
    m_icon_label->setPixmap(pixmap.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

void MyTitleBar::set_title_content(QString text, int point_size)
{
    QFont font = m_title_label->font();
    font.setPointSize(point_size);
    m_title_label->setFont(font);
    m_title_label->setText(text);
    m_title_text = text;
}

void MyTitleBar::set_title_width(int width)
{
    setFixedWidth(width);
}

void MyTitleBar::set_button_type(int type)
{
    m_button_type = type;
    switch (type) {
    case 0:
        m_restore_button->hide();
        m_max_button->hide();
        break;
    case 1:
        m_restore_button->hide();
        break;
    case 2:
        m_min_button->hide();
        m_restore_button->hide();
        m_max_button->hide();
        break;
    default:
        break;
    }
}

void MyTitleBar::start_title_roll()
{
    connect(&m_roll_timer, SIGNAL(timeout()), this, SLOT(onRollTitle()), Qt::UniqueConnection);
    m_roll_timer.start(roll_interval_ms);
}

void MyTitleBar::set_border_width(int width)
{
    m_border_width = width;
}

void MyTitleBar::store_restore_geometry(QPoint position, QSize size)
{
    m_restore_position = position;
    m_restore_size = size;
}

void MyTitleBar::stored_restore_geometry(QPoint& position, QSize& size) const
{
    position = m_restore_position;
    size = m_restore_size;
}

void MyTitleBar::load_style_sheet(QString name)
{
    append_resource_style_sheet(this, name);
}

void MyTitleBar::onButtonMinClicked()
{
    emit signalButtonMinClicked();
}

void MyTitleBar::onButtonRestoreClicked()
{
    m_restore_button->hide();
    m_max_button->show();
    emit signalButtonRestoreClicked();
}

void MyTitleBar::onButtonMaxClicked()
{
    m_max_button->hide();
    m_restore_button->show();
    emit signalButtonMaxClicked();
}

void MyTitleBar::onButtonCloseClicked()
{
    emit signalButtonCloseClicked();
}

void MyTitleBar::onRollTitle()
{
    if (roll_position > m_title_text.size())
        roll_position = 0;
    m_title_label->setText(m_title_text.mid(roll_position));
    ++roll_position;
}

bool MyTitleBar::start_system_move()
{
    // Under Wayland a window cannot place itself: moving it does nothing, so
    // the compositor takes the drag. Elsewhere the bar moves the window.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    QWidget* target = parentWidget() ? parentWidget()->window() : nullptr;
    QWindow* handle = target ? target->windowHandle() : nullptr;
    return handle && handle->startSystemMove();
}

void MyTitleBar::mousePressEvent(QMouseEvent* event)
{
    // a maximised window stays where it is
    const bool maximised = m_button_type == 1 && m_max_button->isHidden();
    if (!maximised && event->button() == Qt::LeftButton && !start_system_move()) {
        m_pressed = true;
        m_press_point = event->globalPos();
    }
    QWidget::mousePressEvent(event);
}

void MyTitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed) {
        const QPoint global = event->globalPos();
        if (QWidget* target = parentWidget())
            target->move(target->pos() + (global - m_press_point));
        m_press_point = global;
    }
    QWidget::mouseMoveEvent(event);
}

void MyTitleBar::mouseReleaseEvent(QMouseEvent* event)
{
    m_pressed = false;
    QWidget::mouseReleaseEvent(event);
}

void MyTitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_button_type == 1) {
        if (!m_max_button->isHidden())
            onButtonMaxClicked();
        else
            onButtonRestoreClicked();
    }
    QWidget::mouseDoubleClickEvent(event);
}

void MyTitleBar::paintEvent(QPaintEvent* event)
{
    if (!m_transparent)
        fill_rounded_background(this, QColor(m_red, m_green, m_blue), QPainter::Antialiasing);
    if (QWidget* target = parentWidget()) {
        const int wanted = target->width() - m_border_width;
        if (wanted != width())
            setFixedWidth(wanted);
    }
    QWidget::paintEvent(event);
}
