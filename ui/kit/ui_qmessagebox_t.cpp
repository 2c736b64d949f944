#include "ui_qmessagebox_t.h"

#include <QStringList>

const QString& ui_qmessagebox_t::dark_style_sheet()
{
    // Kept as one string of rules separated by blank runs, the way the
    // box has always carried it; the parser ignores the blanks.
    static const QString sheet = [] {
        const QStringList button_rule {
            QStringLiteral("QPushButton{color: rgb(255, 255, 255);font: 12pt;"),
            QStringLiteral("min-width: 4em;"),
            QStringLiteral("min-height: 1.5em;"),
            QStringLiteral("outline: 0px;"),
            QStringLiteral("border: 2px solid #848484;"),
            QStringLiteral("border-radius: 5px;"),
            QStringLiteral("background-color: qlineargradient(x1:0.5, y1:1, x2:0.5, y2:0,"),
            QStringLiteral("stop:0 #111111, stop:1 #808080);}"),
        };
        const QStringList rules {
            QStringLiteral("QMessageBox{background-color: rgb(51, 51, 51);}"),
            QStringLiteral("QLabel{font:12pt;background-color:transparent;color: white;}"),
            button_rule.join(QString(58, QLatin1Char(' '))),
            QStringLiteral("QPushButton::hover{border: 2px solid #3a94b7;}"),
            QStringLiteral("QPushButton::focus{border: 2px solid #3a94b7;}"),
            QStringLiteral("QPushButton::!enabled{color: rgb(120, 120, 120)}"),
            QStringLiteral("QPushButton::pressed{background-color: qlineargradient(x1:0.5, y1:1, x2:0.5, "
                           "y2:0.5,stop:0 rgb(19,143,207), stop:1 #101010);}"),
            QStringLiteral("QToolTip{background-color: blue;color: rgb(0, 0, 0)}"),
        };
        return rules.join(QString(46, QLatin1Char(' ')));
    }();
    return sheet;
}

ui_qmessagebox_t::ui_qmessagebox_t(QWidget* parent)
    : QMessageBox(parent)
{
    setStyleSheet(dark_style_sheet());
}

ui_qmessagebox_t::ui_qmessagebox_t(Icon icon, const QString& title, const QString& text,
                                   StandardButtons buttons, QWidget* parent, Qt::WindowFlags flags)
    : QMessageBox(icon, title, text, buttons, parent, flags)
{
    setStyleSheet(dark_style_sheet());
}
