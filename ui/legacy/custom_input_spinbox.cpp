#include "custom_input_spinbox.h"

#include "kit_parts.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <iterator>

namespace {
struct input_kind_t
{
    const char* unit;
    const char* style;
    const char* name;
};

const input_kind_t input_kinds[] = {
    // the traces' colours, lightened to read on the dark window
    {"A", "color:lime; font: bold 14px;", "current_spinbox"},
    {"V", "color:rgb(255, 90, 90); font: bold 14px;", "voltage_spinbox"},
    {"\u03A9", "color:cyan; font: bold 14px;", "resis_spinbox"},
    {"W", "color:yellow; font: bold 14px;", "power_spinbox"},
};
} // namespace

custom_input_spinbox::custom_input_spinbox(int kind, int maximum, QWidget* parent)
    : QWidget(parent)
{
    spin_box = fixed_part<QDoubleSpinBox>(nullptr, 60, 15);
    unit_label = fixed_part<QLabel>(nullptr, 13, 15);
    if (kind >= 0 && kind < int(std::size(input_kinds))) {
        const input_kind_t& k = input_kinds[kind];
        unit_label->setText(QString::fromUtf8(k.unit));
        unit_label->setStyleSheet(QString::fromLatin1(k.style));
        spin_box->setObjectName(QString::fromLatin1(k.name));
    }
    spin_box->setFrame(false);
    spin_box->setAlignment(Qt::AlignRight);
    spin_box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spin_box->setDecimals(1);
    spin_box->setRange(0, maximum);

    QGridLayout* layout = row_layout(0, {spin_box, unit_label});
    connect(spin_box, SIGNAL(editingFinished()), this, SLOT(deal_spinbox()));
    setLayout(layout);
}

custom_input_spinbox::~custom_input_spinbox()
{
    delete spin_box;
    delete unit_label;
}

double custom_input_spinbox::value() const
{
    return spin_box->value();
}

void custom_input_spinbox::set_value(double value)
{
    spin_box->setValue(value);
}

void custom_input_spinbox::set_maximum(int maximum)
{
    spin_box->setRange(0, maximum);
    emit valuechanged();
}

void custom_input_spinbox::set_focusable(bool focusable)
{
    spin_box->setFocusPolicy(focusable ? Qt::StrongFocus : Qt::NoFocus);
}

void custom_input_spinbox::deal_spinbox()
{
    emit valuechanged();
}
