#include "custom_messagebox.h"

#include <QIcon>

custom_messagebox::custom_messagebox(Icon icon, const QString& title, const QString& text,
                                     StandardButtons buttons, QWidget* parent, Qt::WindowFlags flags)
    : QMessageBox(icon, title, text, buttons, parent, flags)
{
    setWindowIcon(QIcon(QStringLiteral(":/resource/lion.jpg")));
    // QMessageBox adds an OK button to a box shown without any; a wait
    // prompt must offer none, it is closed by the code that waits.
    if (buttons == NoButton)
        setStandardButtons(NoButton);
}

void custom_messagebox::set_single_ok()
{
    setStandardButtons(Ok);
    setAttribute(Qt::WA_DeleteOnClose);
}
