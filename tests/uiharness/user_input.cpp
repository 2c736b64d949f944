#include "user_input.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>

namespace {

// Gives `box` the focus and replaces its text with `text`; false when the
// box would not take the focus.
bool focus_and_type(QAbstractSpinBox* box, const QString& text)
{
    // A modal box shown before may have left the window inactive.
    QApplication::setActiveWindow(box->window());
    box->setFocus();
    if (!QTest::qWaitFor([box] { return box->hasFocus(); })) {
        QTest::qFail("the box does not take the focus", __FILE__, __LINE__);
        return false;
    }
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
    return true;
}

} // namespace

void type_and_leave(QAbstractSpinBox* box, const QString& text, QWidget* next)
{
    if (!focus_and_type(box, text))
        return;
    if (next)
        next->setFocus();
    else
        box->clearFocus();
}

void type_and_enter(QAbstractSpinBox* box, const QString& text)
{
    if (!focus_and_type(box, text))
        return;
    QTest::keyClick(box, Qt::Key_Return);
    if (!QTest::qWaitFor([box] { return !box->hasFocus(); }))
        QTest::qFail("the box keeps the focus after Enter", __FILE__, __LINE__);
}

void click_and_type(QAbstractSpinBox* box, const QString& text, bool enter)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, box->height() / 2));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
    if (enter)
        QTest::keyClick(box, Qt::Key_Return);
}

QPoint group_check_point(QGroupBox* box)
{
    QStyleOptionGroupBox opt;
    opt.initFrom(box);
    opt.text = box->title();
    opt.lineWidth = 1;
    opt.textAlignment = Qt::Alignment(box->alignment());
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxCheckBox | QStyle::SC_GroupBoxLabel;
    opt.state |= box->isChecked() ? QStyle::State_On : QStyle::State_Off;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxCheckBox, box).center();
}

void click_group_check(QGroupBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, group_check_point(box));
}

void click_check(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

bool choose_from_menu(QMenuBar* bar, QMenu* menu, QAction* action)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 3000))
        return false;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    return QTest::qWaitFor([menu] { return !menu->isVisible(); }, 3000);
}

bool show_active(QWidget* window, int timeout_ms)
{
    window->show();
    window->activateWindow();
    if (QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, timeout_ms))
        return true;
    qWarning() << window->metaObject()->className() << "is not the active window";
    return false;
}
