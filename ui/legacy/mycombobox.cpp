#include "mycombobox.h"

mycombobox::mycombobox(QWidget* parent)
    : QComboBox(parent)
{
}

void mycombobox::wheelEvent(QWheelEvent*)
{
}
