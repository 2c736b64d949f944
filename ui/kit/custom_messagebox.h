#ifndef CUSTOM_MESSAGEBOX_H
#define CUSTOM_MESSAGEBOX_H

#include <QMessageBox>

// A QMessageBox that carries the program's icon (warnings and wait prompts).
class custom_messagebox : public QMessageBox
{
    Q_OBJECT

public:
    custom_messagebox(Icon icon, const QString& title, const QString& text,
                      StandardButtons buttons = NoButton, QWidget* parent = nullptr,
                      Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

    // One OK button, and the box deletes itself when closed: a warning
    // that is run with exec() and forgotten.
    void set_single_ok();
};

#endif
