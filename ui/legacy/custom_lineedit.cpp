#include "custom_lineedit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

custom_lineedit::custom_lineedit(const QString& label_text, const QString& text, QWidget* parent)
    : QWidget(parent)
{
    auto* label = new QLabel(label_text);
    label->setObjectName(QStringLiteral("main_label"));
    label->setFixedSize(60, 20);
    line_edit = new QLineEdit(text);
    line_edit->setFixedSize(90, 20);
    line_edit->setStyleSheet(QStringLiteral("QLineEdit{color:black;background:white;font: bold 14px;}"));
    // a reading, not an entry
    line_edit->setEnabled(false);

    auto* layout = new QGridLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(label, 0, 0);
    layout->addWidget(line_edit, 0, 1);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    line_edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setLayout(layout);
}

void custom_lineedit::set_text(const QString& text)
{
    line_edit->setText(text);
}
