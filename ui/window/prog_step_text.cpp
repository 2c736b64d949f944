#include "prog_step_text.h"

namespace prog_step_text {

namespace {
struct mode_words_t {
    const char* store_word; // as the load answers PROG:MODE?
    const char* abbrev;     // as the mode cell shows it
    const char* command;    // as PROG:MODE takes it
};
const mode_words_t mode_words[mode_count] = {
    {"CURRENT", "CC", "CURR"},
    {"VOLTAGE", "CV", "VOLT"},
    {"RESISTANCE", "CR", "RES"},
    {"POWER", "CP", "POW"},
    {"LED", "LED", "LED"},
};

int index_of(const QString& entry, const char* low, const char* high)
{
    const QString t = entry.trimmed();
    if (t == QLatin1String(low))
        return 0;
    if (t == QLatin1String(high))
        return 1;
    return -1;
}
} // namespace

int mode_index(const QString& entry)
{
    const QString t = entry.trimmed();
    for (int i = 0; i < mode_count; ++i) {
        if (t == QLatin1String(mode_words[i].store_word))
            return i;
    }
    return -1;
}

QString mode_abbrev(int index)
{
    return index >= 0 && index < mode_count ? QString::fromLatin1(mode_words[index].abbrev) : QString();
}

QString mode_command_word(int index)
{
    return index >= 0 && index < mode_count ? QString::fromLatin1(mode_words[index].command) : QString();
}

int irange_index(const QString& entry)
{
    return index_of(entry, "5", "30");
}

int vrange_index(const QString& entry)
{
    return index_of(entry, "36", "150");
}

int switch_state(const QString& entry)
{
    const QString t = entry.trimmed().toUpper();
    if (t == QLatin1String("1") || t == QLatin1String("ON"))
        return 1;
    if (t == QLatin1String("0") || t == QLatin1String("OFF"))
        return 0;
    return -1;
}

double number(const QString& entry)
{
    return entry.trimmed().toDouble();
}

} // namespace prog_step_text
