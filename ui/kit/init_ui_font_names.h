#ifndef INIT_UI_FONT_NAMES_H
#define INIT_UI_FONT_NAMES_H

#include <QString>

#include <utility>

// Font families of the interface: English first, Chinese second.
std::pair<QString, QString> init_ui_font_names();

#endif
