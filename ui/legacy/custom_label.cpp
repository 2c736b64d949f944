#include "custom_label.h"

#include "format_decimals.h"
#include "kit_parts.h"

#include <QGridLayout>
#include <QLabel>

custom_label::custom_label(bool with_name, QWidget* parent)
    : QWidget(parent), m_with_name(with_name)
{
    name_label = new QLabel;
    name_label->setMinimumSize(50, 20);
    value_label = new QLabel;
    value_label->setMinimumSize(70, 20);
    unit_label = new QLabel;
    unit_label->setMinimumSize(30, 20);

    QGridLayout* layout = with_name ? row_layout(0, {name_label, value_label, unit_label})
                                    : row_layout(0, {value_label, unit_label});
    if (with_name) {
        name_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        value_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        value_label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    }
    unit_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setLayout(layout);
}

custom_label::~custom_label()
{
    // outside the layout the name label has no parent to delete it
    if (!m_with_name)
        delete name_label;
}

void custom_label::set_value(const char* unit, double value, int decimals, bool as_time,
                             const QString& name)
{
    if (as_time) {
        value_label->setText(format_elapsed_time(value));
        unit_label->hide();
    } else {
        value_label->setText(format_decimals(value, decimals));
        unit_label->setText(QString::fromUtf8(unit));
        unit_label->show();
    }
    name_label->setText(name);
}
