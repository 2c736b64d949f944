#include "window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

void place_centred_on(QWidget* window, const QWidget* anchor)
{
    const QRect anchor_frame = anchor->frameGeometry();
    const QRect anchor_inner = anchor->geometry();
    // A window's frame is known only once it has been shown: until then it
    // takes the anchor's (both are decorated by the same window manager).
    QSize frame_size = window->frameGeometry().size();
    if (!window->isVisible())
        frame_size = window->size() + anchor_frame.size() - anchor_inner.size();

    QRect frame(QPoint(0, 0), frame_size);
    frame.moveCenter(anchor_frame.center());

    const QScreen* screen = QGuiApplication::screenAt(anchor_frame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        // qMax last: a window larger than the room keeps its top-left corner in it.
        frame.moveLeft(qMax(room.left(), qMin(frame.left(), room.right() + 1 - frame.width())));
        frame.moveTop(qMax(room.top(), qMin(frame.top(), room.bottom() + 1 - frame.height())));
    }
    // A top-level window's position is that of its frame.
    window->move(frame.topLeft());
}

void show_in_front(QWidget* window, const QWidget* anchor)
{
    if (!window->isVisible())
        place_centred_on(window, anchor);
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void keep_in_front_of(QWidget* window, const QWidget* main)
{
    if (window->windowType() != Qt::Dialog)
        window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    // The native window is made now, so that it can be told its parent.
    window->winId();
    QWindow* handle = window->windowHandle();
    QWindow* parent = main->window()->windowHandle();
    if (handle && parent)
        handle->setTransientParent(parent);
}
