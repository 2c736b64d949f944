#include "init_ui_font_names.h"

std::pair<QString, QString> init_ui_font_names()
{
    return {QStringLiteral("Microsoft YaHei"), QStringLiteral("Microsoft YaHei")};
}
