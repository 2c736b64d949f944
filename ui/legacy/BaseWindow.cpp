#include "BaseWindow.h"

#include "MyTitleBar.h"

#include "window_look.h"

#include <QGuiApplication>
#include <QScreen>

BaseWindow::BaseWindow(QWidget* parent)
    : QWidget(parent)
{
    // a window of its own even when given a parent; a dialog, so that once
    // it is transient for the main window (keep_in_front_of) a window
    // manager keeps it in front
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    init_title_bar();
}

BaseWindow::~BaseWindow() = default;

void BaseWindow::init_title_bar()
{
    m_title_bar = new MyTitleBar(this);
    m_title_bar->set_button_type(0);
    m_title_bar->move(0, 0);
    connect(m_title_bar, SIGNAL(signalButtonMinClicked()), this, SLOT(onBaseButtonMinClicked()));
    connect(m_title_bar, SIGNAL(signalButtonRestoreClicked()), this, SLOT(onBaseButtonRestoreClicked()));
    connect(m_title_bar, SIGNAL(signalButtonMaxClicked()), this, SLOT(onBaseButtonMaxClicked()));
    connect(m_title_bar, SIGNAL(signalButtonCloseClicked()), this, SLOT(onBaseButtonCloseClicked()));
}

void BaseWindow::load_style_sheet(QString name)
{
    append_resource_style_sheet(this, name);
}

void BaseWindow::onBaseButtonMinClicked()
{
    showMinimized();
}

void BaseWindow::onBaseButtonRestoreClicked()
{
    QPoint position;
    QSize size;
    m_title_bar->stored_restore_geometry(position, size);
    setGeometry(QRect(position, size));
}

void BaseWindow::onBaseButtonMaxClicked()
{
    m_title_bar->store_restore_geometry(pos(), size());
    // The work area of the screen the window is on: neither over the
    // desktop's panels nor spilling onto a neighbouring screen.
    QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (target)
        setGeometry(target->availableGeometry());
}

void BaseWindow::onBaseButtonCloseClicked()
{
    close();
}

void BaseWindow::paintEvent(QPaintEvent* event)
{
    fill_rounded_background(this, QColor(20, 20, 20), QPainter::SmoothPixmapTransform);
    QWidget::paintEvent(event);
}
