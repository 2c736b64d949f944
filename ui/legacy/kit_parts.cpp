#include "kit_parts.h"

#include <QGridLayout>
#include <QWidget>

QGridLayout* row_layout(int spacing, std::initializer_list<QWidget*> parts)
{
    auto* layout = new QGridLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    int column = 0;
    for (QWidget* part : parts)
        layout->addWidget(part, 0, column++);
    return layout;
}

void set_enable_look(std::initializer_list<QWidget*> parts, bool enable)
{
    const QString style = enable ? QStringLiteral("color:white") : QStringLiteral("color:grey");
    for (QWidget* part : parts)
        part->setStyleSheet(style);
}
