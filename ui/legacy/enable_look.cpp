#include "enable_look.h"

#include <QWidget>

void set_enable_look(std::initializer_list<QWidget*> parts, bool enable)
{
    const QString style = enable ? QStringLiteral("color:white") : QStringLiteral("color:grey");
    for (QWidget* part : parts)
        part->setStyleSheet(style);
}
