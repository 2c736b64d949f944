#include "custom_spinbox.h"

#include "kit_parts.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>

custom_spinbox::custom_spinbox(QWidget* parent, bool show_unit)
    : QWidget(parent), m_unit_in_layout(show_unit)
{
    name_label = fixed_part<QLabel>("main_label", 80, 20);
    unit_label = fixed_part<QLabel>("main_label", 60, 20);
    spin_box = fixed_part<QDoubleSpinBox>("main_spinbox", 90, 20);
    spin_box->setRange(0, 9999);

    QGridLayout* layout = row_layout(15, {name_label, spin_box});
    if (show_unit)
        layout->addWidget(unit_label, 0, 2);
    name_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    unit_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(spin_box, SIGNAL(valueChanged(double)), this, SLOT(deal_spinbox(double)));
    connect(spin_box, SIGNAL(editingFinished()), this, SLOT(deal_edit_spinbox()));
    setLayout(layout);
}

custom_spinbox::~custom_spinbox()
{
    // outside the layout the unit label has no parent to delete it
    if (!m_unit_in_layout)
        delete unit_label;
}

void custom_spinbox::set_label_text(const QString& text)
{
    name_label->setText(text);
}

void custom_spinbox::set_unit_text(const char* unit)
{
    unit_label->setText(QString::fromUtf8(unit));
}

void custom_spinbox::set_decimals_step(int decimals, double step)
{
    spin_box->setDecimals(decimals);
    spin_box->setSingleStep(step);
}

void custom_spinbox::set_value(double value)
{
    spin_box->setValue(value);
}

double custom_spinbox::value() const
{
    return spin_box->value();
}

void custom_spinbox::set_maximum(double maximum)
{
    spin_box->setMaximum(maximum);
}

void custom_spinbox::set_minimum(double minimum)
{
    spin_box->setMinimum(minimum);
}

void custom_spinbox::set_special_value(int value, const QString& text)
{
    spin_box->setSpecialValueText(text);
    spin_box->setValue(value);
}

void custom_spinbox::set_enable(bool enable)
{
    set_enable_look({name_label, unit_label, spin_box}, enable);
    spin_box->setEnabled(enable);
}

void custom_spinbox::deal_spinbox(double value)
{
    emit change_spinbox(value);
}

void custom_spinbox::deal_edit_spinbox()
{
    emit change_spin_spinbox();
}
