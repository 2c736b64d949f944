#ifndef IPCREAT_H
#define IPCREAT_H

#include <QDialog>

#include "lib_xml_t.h"

class Ui_ipcreat;
class ui_ipline_widget_t;

// The LAN address dialog: the user types a load's IPv4 address, OK keeps
// "TCPIP0::<address>::INSTR" under "manual_tcp_ip" in the XML configuration
// and reports a result code; the opener closes the dialog on the code.
class ipcreat : public QDialog
{
    Q_OBJECT

public:
    // Result codes of btn_info_signal and ip_create_form_btn_signal.
    enum result_t { result_stored = 0, result_failed = 1, result_exists_or_cancel = 2 };

    explicit ipcreat(QWidget* parent = nullptr);
    ~ipcreat() override;

    ui_ipline_widget_t* address_widget() const { return m_address; }

signals:
    void btn_info_signal(ipcreat* dialog, int code);
    void ip_create_form_btn_signal(ipcreat* dialog, int code);

public slots:
    void btn_slot_func();
    void ip_create_form_btn_slot_func(ipcreat* dialog, int code);

private:
    void init_ui();
    // Stores the resource; returns the result code.
    int store_resource(const QString& resource);

    Ui_ipcreat* ui = nullptr;
    ui_ipline_widget_t* m_address = nullptr;
    lib_xml_t m_xml;
};

#endif
