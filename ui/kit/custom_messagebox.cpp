#include "custom_messagebox.h"

#include "ui_qmessagebox_t.h"

#include <QIcon>

custom_messagebox::custom_messagebox(Icon icon, const QString& title, const QString& text,
                                     StandardButtons buttons, QWidget* parent, Qt::WindowFlags flags)
    : QMessageBox(icon, title, text, NoButton, parent, flags)
{
    setWindowIcon(QIcon(QStringLiteral(":/resource/lion.jpg")));
    // The dark look of the program's other boxes; without it the window's
    // white text reaches the box on the desktop's light ground. Set before
    // the buttons exist: buttons made earlier can keep the plain look.
    setStyleSheet(ui_qmessagebox_t::dark_style_sheet());
    // QMessageBox adds an OK button to a box shown without any; a wait
    // prompt must offer none, it is closed by the code that waits.
    setStandardButtons(buttons);
}

void custom_messagebox::set_single_ok()
{
    setStandardButtons(Ok);
    setAttribute(Qt::WA_DeleteOnClose);
}
