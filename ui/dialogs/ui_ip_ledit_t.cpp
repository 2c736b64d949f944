#include "ui_ip_ledit_t.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDebug>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpressionValidator>

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
    // Whatever reaches the text by other roads (drag and drop, middle-click
    // paste, undo) is digits too.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this));
    connect(this, &QLineEdit::textChanged, this, &ui_ip_ledit_t::btn_text_changed_func);
}

void ui_ip_ledit_t::btn_text_changed_func(const QString& text)
{
    QString shown = text;
    int cursor = cursorPosition();
    // "0" then "1" is 1: a section holding 0 takes the next digit in its place.
    while (shown.size() > 1 && shown.startsWith(QLatin1Char('0'))) {
        shown.remove(0, 1);
        cursor = qMax(0, cursor - 1);
    }
    if (shown.toInt() >= 256) {
        shown = QStringLiteral("255");
        cursor = 0;
    }
    if (shown == text)
        return;
    // Setting the text here must not run this check again.
    disconnect(this, &QLineEdit::textChanged, this, &ui_ip_ledit_t::btn_text_changed_func);
    setText(shown);
    setCursorPosition(cursor);
    connect(this, &QLineEdit::textChanged, this, &ui_ip_ledit_t::btn_text_changed_func);
}

void ui_ip_ledit_t::type_char(QChar c)
{
    const bool entered_full = m_entered_full;
    m_entered_full = false;
    if (c == QLatin1Char('.')) {
        if (!entered_full && !text().isEmpty())
            emit pressed_valid_changed_ledit();
        return;
    }
    if (!c.isDigit() || c.unicode() > '9')
        return;
    // A lone 0 is a placeholder: the digit takes its place wherever the
    // cursor stands in it.
    if (!hasSelectedText() && text() == QLatin1String("0"))
        selectAll();
    if (!hasSelectedText() && text().size() >= maxLength()) {
        if (cursorPosition() == text().size())
            emit overflow_ledit(c);
        return;
    }
    insert(QString(c));
    // A capped value leaves the cursor at 0 and the focus here.
    if (text().size() >= maxLength() && cursorPosition() == text().size()) {
        qDebug() << "++++++ui_ip_ledit_t::btn_text_changed_func():change lineEdit!";
        emit pressed_valid_changed_ledit();
    }
}

void ui_ip_ledit_t::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Paste) {
        m_entered_full = false;
        emit paste_ledit(QApplication::clipboard()->text());
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && (typed[0].isDigit() || typed[0] == QLatin1Char('.'))
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        type_char(typed[0]);
        return;
    }
    m_entered_full = false;
    switch (event->key()) {
    case Qt::Key_Backspace:
        // At the start of a section Backspace steps over the dot before it.
        if (!hasSelectedText() && cursorPosition() == 0) {
            emit cursor_moved_valid_changed_ledit(0);
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
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
        break;
    }
    // Editing and selection keys (Delete, Home, End, Ctrl+A, copy, cut,
    // undo) work as in any line edit; other printable keys never reach the
    // text.
    if (typed.isEmpty() || !typed[0].isPrint()
        || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ui_ip_ledit_t::focusOutEvent(QFocusEvent* event)
{
    m_entered_full = false;
    QLineEdit::focusOutEvent(event);
}

void ui_ip_ledit_t::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu's Paste spreads an address over the sections as Ctrl+V does.
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            action->disconnect();
            connect(action, &QAction::triggered, this,
                    [this] { emit paste_ledit(QApplication::clipboard()->text()); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
