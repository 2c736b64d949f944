#include "custom_combobox.h"

#include "enable_look.h"
#include "mycombobox.h"

#include <QGridLayout>
#include <QLabel>

custom_combobox::custom_combobox(QWidget* parent)
    : QWidget(parent)
{
    name_label = new QLabel;
    name_label->setObjectName(QStringLiteral("main_label"));
    name_label->setFixedSize(80, 20);
    combo = new mycombobox(nullptr);
    combo->setObjectName(QStringLiteral("main_combobox"));
    combo->setFixedSize(120, 20);

    auto* layout = new QGridLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(25);
    layout->addWidget(name_label, 0, 0);
    layout->addWidget(combo, 0, 1);
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
