#include "ui_ip_ledit_t.h"

#include <QDebug>
#include <QKeyEvent>

ui_ip_ledit_t::ui_ip_ledit_t(QWidget* parent)
    : QLineEdit(parent)
{
    init_ledit();
}

ui_ip_ledit_t::ui_ip_ledit_t(const QString& text, QWidget* parent)
    : QLineEdit(text, parent)
{
    init_ledit();
}

ui_ip_ledit_t::~ui_ip_ledit_t() = default;

void ui_ip_ledit_t::init_ledit()
{
    setMaxLength(3);
    connect(this, &QLineEdit::textChanged, this, &ui_ip_ledit_t::btn_text_changed_func);
}

void ui_ip_ledit_t::btn_text_changed_func(const QString& text)
{
    const int value = text.toInt();
    if (value >= 256) {
        // Setting the text here must not run this check again.
        disconnect(this, &QLineEdit::textChanged, this, &ui_ip_ledit_t::btn_text_changed_func);
        setText(QStringLiteral("255"));
        setCursorPosition(0);
        connect(this, &QLineEdit::textChanged, this, &ui_ip_ledit_t::btn_text_changed_func);
        return;
    }
    if (text.length() >= maxLength()) {
        qDebug() << "++++++ui_ip_ledit_t::btn_text_changed_func():change lineEdit!";
        emit pressed_valid_changed_ledit();
    }
}

void ui_ip_ledit_t::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Delete
        || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    switch (key) {
    case Qt::Key_Backspace: {
        const int pos = cursorPosition();
        QLineEdit::keyPressEvent(event);
        if (pos <= 1)
            emit cursor_moved_valid_changed_ledit(0);
        return;
    }
    case Qt::Key_Left:
    case Qt::Key_Up: {
        const int pos = cursorPosition() - 1;
        setCursorPosition(pos);
        if (pos < 0)
            emit cursor_moved_valid_changed_ledit(0);
        return;
    }
    case Qt::Key_Right:
    case Qt::Key_Down: {
        const int pos = cursorPosition() + 1;
        setCursorPosition(pos);
        if (pos > text().length())
            emit cursor_moved_valid_changed_ledit(1);
        return;
    }
    default:
        // Dots, letters and everything else never reach the text.
        event->accept();
        return;
    }
}

void ui_ip_ledit_t::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
}
