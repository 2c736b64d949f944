#include "custom_picture.h"

custom_picture::custom_picture(QWidget* parent)
    : QLabel(parent)
{
}

void custom_picture::mousePressEvent(QMouseEvent*)
{
    emit clicked();
}
