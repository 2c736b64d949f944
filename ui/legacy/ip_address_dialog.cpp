#include "ip_address_dialog.h"

#include "ui_ipline_widget_t.h"

ip_address_dialog::ip_address_dialog(QWidget* parent)
    : BaseWindow(parent)
{
    resize(300, 300);
}

ip_address_dialog::~ip_address_dialog() = default;

QString ip_address_dialog::get_visa_resource() const
{
    return ip_line ? ip_line->get_visa_resource() : QString();
}

void ip_address_dialog::deal_ok_button()
{
    emit ok_signal();
}
