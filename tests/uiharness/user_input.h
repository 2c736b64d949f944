// What a user's hands do in a test: typing into value boxes, ticking check
// boxes and checkable group boxes, bringing a window to the front.
#ifndef USER_INPUT_H
#define USER_INPUT_H

#include <QPoint>
#include <QString>

class QAbstractSpinBox;
class QAction;
class QCheckBox;
class QGroupBox;
class QMenu;
class QMenuBar;
class QWidget;

// The typing helpers fail the test when the box will not take the focus.

// Types `text` over a value box's contents and moves the focus on to `next`
// (away from the box when null): a box that takes its value on leaving
// takes it then.
void type_and_leave(QAbstractSpinBox* box, const QString& text, QWidget* next = nullptr);

// Types `text` over a value box's contents, ends the edit with Enter and
// waits until the box has given up its focus (the test fails when it keeps it).
void type_and_enter(QAbstractSpinBox* box, const QString& text);

// Clicks into a value box, types `text` over its contents and, when
// `enter`, presses Enter.
void click_and_type(QAbstractSpinBox* box, const QString& text, bool enter = true);

// Where a checkable group box's check mark is, and a click on it.
QPoint group_check_point(QGroupBox* box);
void click_group_check(QGroupBox* box);
// A click on a check box's mark.
void click_check(QCheckBox* box);

// Opens `menu` from the menu bar `bar` with a click and clicks `action` in
// it; false when the menu did not open or did not close after the click.
bool choose_from_menu(QMenuBar* bar, QMenu* menu, QAction* action);

// Shows `window` and makes it the active window; a child window counts as
// active while its parent is, so the wait is for the window itself. False
// (with a warning) when it did not become active within `timeout_ms`.
bool show_active(QWidget* window, int timeout_ms = 5000);

#endif
