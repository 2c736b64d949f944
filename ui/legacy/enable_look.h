#ifndef ENABLE_LOOK_H
#define ENABLE_LOOK_H

#include <initializer_list>

class QWidget;

// The kit's enabled/disabled look: white text, or grey.
void set_enable_look(std::initializer_list<QWidget*> parts, bool enable);

#endif
