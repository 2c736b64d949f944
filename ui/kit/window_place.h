// Where the program's secondary windows open.
#ifndef WINDOW_PLACE_H
#define WINDOW_PLACE_H

class QWidget;

// Moves the top-level `window` so that it lies centred on `anchor` (the main
// window), frames included, and wholly inside the available area of the
// screen that holds the anchor's centre (its top-left corner first when it
// is larger than that area).
void place_centred_on(QWidget* window, const QWidget* anchor);

// Shows `window` in front of `anchor`: a hidden one opens centred on it (as
// above), an open one stays where the user put it (a minimised one comes
// back); either is raised and made the active window.
void show_in_front(QWidget* window, const QWidget* anchor);

// Makes the top-level `window`, before it is shown, a dialog-type window
// whose transient parent is `main`'s window: a window manager then keeps it
// in front of the main window, and a click there cannot bury a modal one.
// Its other flags, its size and its position stay. For windows made without
// a widget parent (a parent would lend them its style sheet).
void keep_in_front_of(QWidget* window, const QWidget* main);

#endif
