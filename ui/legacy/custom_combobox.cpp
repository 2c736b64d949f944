#include "custom_combobox.h"

#include "kit_parts.h"
#include "mycombobox.h"

#include <QGridLayout>
#include <QLabel>

custom_combobox::custom_combobox(QWidget* parent)
    : QWidget(parent)
{
    name_label = fixed_part<QLabel>("main_label", 80, 20);
    combo = fixed_part<mycombobox>("main_combobox", 120, 20);

    QGridLayout* layout = row_layout(25, {name_label, combo});
    name_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(combo, SIGNAL(currentIndexChanged(int)), this, SLOT(deal_combobox(int)));
    setLayout(layout);
}

void custom_combobox::set_label_text(const QString& text)
{
    name_label->setText(text);
}

void custom_combobox::set_items(const QStringList& items)
{
    combo->clear();
    combo->insertItems(combo->count(), items);
}

void custom_combobox::set_current_index(int index)
{
    combo->setCurrentIndex(index);
}

int custom_combobox::current_index() const
{
    return combo->currentIndex();
}

void custom_combobox::set_combo_width(int width)
{
    combo->setFixedWidth(width);
}

void custom_combobox::set_enable(bool enable)
{
    set_enable_look({name_label, combo}, enable);
    combo->setEnabled(enable);
}

void custom_combobox::deal_combobox(int index)
{
    emit currentindex_changed(index);
}
