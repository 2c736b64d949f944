#include "custom_radiobutton.h"

#include "kit_parts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace {
enum { id_a = 1, id_b = 2 };
}

custom_radiobutton::custom_radiobutton(QWidget* parent)
    : QWidget(parent)
{
    name_label = fixed_part<QLabel>("main_label", 80, 20);
    button_a = fixed_part<QRadioButton>("main_radiobutton", 70, 20);
    button_b = fixed_part<QRadioButton>("main_radiobutton", 70, 20);
    // owned by the pair, so it goes with it
    group = new QButtonGroup(this);
    group->setExclusive(true);
    group->addButton(button_a, id_a);
    group->addButton(button_b, id_b);

    QGridLayout* layout = row_layout(15, {name_label, button_a, button_b});
    name_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(group, SIGNAL(buttonClicked(int)), this, SLOT(deal_buttongroup(int)));
    setLayout(layout);
}

void custom_radiobutton::set_label_text(const QString& text)
{
    name_label->setText(text);
}

void custom_radiobutton::set_text_a(const QString& text)
{
    button_a->setText(text);
}

void custom_radiobutton::set_text_b(const QString& text)
{
    button_b->setText(text);
}

void custom_radiobutton::set_checked(int index)
{
    if (index == 0)
        button_a->setChecked(true);
    else if (index == 1)
        button_b->setChecked(true);
}

int custom_radiobutton::checked_index() const
{
    if (button_a->isChecked())
        return 0;
    if (button_b->isChecked())
        return 1;
    return 2;
}

void custom_radiobutton::set_enable(bool enable)
{
    set_enable_look({name_label, button_a, button_b}, enable);
    button_a->setEnabled(enable);
    button_b->setEnabled(enable);
}

void custom_radiobutton::deal_buttongroup(int id)
{
    if (id == id_a)
        emit buttonA_clicked();
    else if (id == id_b)
        emit buttonB_clicked();
}
