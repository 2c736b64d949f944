#ifndef KIT_PARTS_H
#define KIT_PARTS_H

#include <QString>
#include <initializer_list>

class QGridLayout;
class QWidget;

// What the kit's composites share: named fixed-size parts, one row of
// parts without margins, and the enabled/disabled look.

// A new part without parent, named for the style sheet (none when empty),
// of a fixed size.
template <typename Part>
Part* fixed_part(const char* name, int width, int height)
{
    auto* part = new Part;
    if (name)
        part->setObjectName(QString::fromLatin1(name));
    part->setFixedSize(width, height);
    return part;
}

// A grid of one row, no margins, the parts in columns 0, 1, ...; the caller
// installs it last, which adopts the parts.
QGridLayout* row_layout(int spacing, std::initializer_list<QWidget*> parts);

// White text for an enabled composite, grey for a disabled one.
void set_enable_look(std::initializer_list<QWidget*> parts, bool enable);

#endif
