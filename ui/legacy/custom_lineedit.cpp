#include "custom_lineedit.h"

#include "kit_parts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

custom_lineedit::custom_lineedit(const QString& label_text, const QString& text, QWidget* parent)
    : QWidget(parent)
{
    auto* label = fixed_part<QLabel>("main_label", 60, 20);
    label->setText(label_text);
    line_edit = fixed_part<QLineEdit>(nullptr, 90, 20);
    line_edit->setText(text);
    line_edit->setStyleSheet(QStringLiteral("QLineEdit{color:black;background:white;font: bold 14px;}"));
    // a reading, not an entry
    line_edit->setEnabled(false);

    QGridLayout* layout = row_layout(0, {label, line_edit});
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    line_edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setLayout(layout);
}

void custom_lineedit::set_text(const QString& text)
{
    line_edit->setText(text);
}
