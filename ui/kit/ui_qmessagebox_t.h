#ifndef UI_QMESSAGEBOX_T_H
#define UI_QMESSAGEBOX_T_H

#include <QMessageBox>

// A QMessageBox in the program's dark look.
class ui_qmessagebox_t : public QMessageBox
{
public:
    explicit ui_qmessagebox_t(QWidget* parent = nullptr);
    ui_qmessagebox_t(Icon icon, const QString& title, const QString& text,
                     StandardButtons buttons = NoButton, QWidget* parent = nullptr,
                     Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

    static const QString& dark_style_sheet();
};

#endif
