#ifndef IP_ADDRESS_DIALOG_H
#define IP_ADDRESS_DIALOG_H

#include "BaseWindow.h"

class ui_ipline_widget_t;

// The frameless 300 x 300 window the older window fills with an address
// entry and an OK button.
class ip_address_dialog : public BaseWindow
{
    Q_OBJECT

public:
    explicit ip_address_dialog(QWidget* parent = nullptr);
    ~ip_address_dialog() override;

    // "TCPIP0::" + address + "::INSTR" of ip_line; empty while none is set.
    QString get_visa_resource() const;

    // The address entry; not owned (the filler parents it to the dialog).
    ui_ipline_widget_t* ip_line = nullptr;

signals:
    void ok_signal();

public slots:
    void deal_ok_button();
};

#endif
