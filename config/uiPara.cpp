#include "uiPara.h"

#include <cmath>
#include <vector>

namespace {

// A mode's words: the settings text's word and the word the load's set
// command takes (the load answers long words but some commands use short ones).
struct word_entry
{
    const char* text;
    const char* command;
};

struct word_table
{
    const word_entry* entries;
    int count;
};

const word_entry dyn_mode_entries[] = {
    {"CONTINUOUS", "CONTINUOUS"}, {"PULSE", "PULSE"}, {"TOGGLE", "TOGGLE"}};
const word_entry list_mode_entries[] = {
    {"CURRENT", "CURR"}, {"VOLTAGE", "VOLT"}, {"RESISTANCE", "RES"}, {"POWER", "POW"}};
const word_entry battery_mode_entries[] = {
    {"CURRENT", "CURR"}, {"POWER", "POW"}, {"RESISTANCE", "RES"}};
const word_entry ext_mode_entries[] = {{"INT", "INT"}, {"EXTI", "EXTI"}, {"EXTV", "EXTV"}};
const word_entry trig_source_entries[] = {
    {"MANUAL", "MANUAL"}, {"EXTERNAL", "EXT"}, {"BUS", "BUS"}};
const word_entry prog_mode_entries[] = {{"CURRENT", "CURR"},
                                        {"VOLTAGE", "VOLT"},
                                        {"RESISTANCE", "RES"},
                                        {"POWER", "POW"},
                                        {"LED", "LED"}};
// "FUNC" takes the short words, "FUNC:TRAN" the long ones
const word_entry func_static_entries[] = {
    {"CURRENT", "CURR"}, {"VOLTAGE", "VOLT"}, {"RESISTANCE", "RES"}, {"POWER", "POW"}, {"LED", "LED"}};
const word_entry func_tran_entries[] = {
    {"CURRENT", "CURRENT"}, {"VOLTAGE", "VOLTAGE"}, {"RESISTANCE", "RESISTANCE"}, {"POWER", "POWER"}};
// the command that enters the mode; the two functions' own commands enter
// BASIC and TRAN
const word_entry func_mode_entries[] = {{"BASIC", nullptr},       {"TRAN", nullptr},
                                        {"OCP", "OCP:FUNC"},      {"OPP", "OPP:FUNC"},
                                        {"BATTERY", "BATT:FUNC"}, {"LIST", "LIST:STAT:ON"},
                                        {"PROGRAM", "PROG:STAT:ON"}};
// reported by the load only: no command word
const word_entry rrange_entries[] = {
    {"LOW", nullptr}, {"MIDDLE", nullptr}, {"HIGH", nullptr}, {"UP", nullptr}};

template <int N>
constexpr word_table table_of(const word_entry (&entries)[N])
{
    return word_table{entries, N};
}

const word_table dyn_mode_table = table_of(dyn_mode_entries);
const word_table list_mode_table = table_of(list_mode_entries);
const word_table battery_mode_table = table_of(battery_mode_entries);
const word_table ext_mode_table = table_of(ext_mode_entries);
const word_table trig_source_table = table_of(trig_source_entries);
const word_table prog_mode_table = table_of(prog_mode_entries);
const word_table rrange_table = table_of(rrange_entries);
const word_table func_static_table = table_of(func_static_entries);
const word_table func_tran_table = table_of(func_tran_entries);
const word_table func_mode_table = table_of(func_mode_entries);

// the names the field table uses
const word_table* const dyn_mode_words = &dyn_mode_table;
const word_table* const list_mode_words = &list_mode_table;
const word_table* const battery_mode_words = &battery_mode_table;
const word_table* const ext_mode_words = &ext_mode_table;
const word_table* const trig_source_words = &trig_source_table;
const word_table* const prog_mode_words = &prog_mode_table;
const word_table* const rrange_words = &rrange_table;
const word_table* const func_static_words = &func_static_table;
const word_table* const func_tran_words = &func_tran_table;
const word_table* const func_mode_words = &func_mode_table;

// One row of the field table that appears in the settings text.
struct column_t
{
    settings_field::kind_t kind;
    const char* name;
    int entries; // 1 for a single value
    const char* command;
    const word_table* words;
    const char* default_entry; // step lists only
    int uiPara_data::*int_value;
    double uiPara_data::*double_value;
    bool uiPara_data::*bool_value;
    QStringList uiPara_data::*list_value;
    double lowest = 0;  // numeric kinds: what a load of the family can hold
    double highest = 0;
};

column_t scalar_column(settings_field::kind_t kind, const char* name, int uiPara_data::*value,
                       const char* command, const word_table* words)
{
    return column_t{kind, name, 1, command, words, nullptr, value, nullptr, nullptr, nullptr};
}

column_t scalar_column(settings_field::kind_t kind, const char* name, double uiPara_data::*value,
                       const char* command, const word_table* words)
{
    return column_t{kind, name, 1, command, words, nullptr, nullptr, value, nullptr, nullptr};
}

column_t scalar_column(settings_field::kind_t kind, const char* name, bool uiPara_data::*value,
                       const char* command, const word_table* words)
{
    return column_t{kind, name, 1, command, words, nullptr, nullptr, nullptr, value, nullptr};
}

column_t steps_column(settings_field::kind_t kind, const char* name, int entries,
                      QStringList uiPara_data::*value, const char* default_entry,
                      const char* command, const word_table* words)
{
    return column_t{kind, name, entries, command, words, default_entry,
                    nullptr, nullptr, nullptr, value};
}

// The table's columns with the ranges of uiPara_limits.def filled in.
std::vector<column_t> with_limits(std::vector<column_t> columns)
{
    struct limit_row
    {
        const char* name;
        double lowest;
        double highest;
    };
#define UIPARA_LIMIT(name, lowest, highest) limit_row{#name, lowest, highest},
    static const limit_row limits[] = {
#include "uiPara_limits.def"
    };
#undef UIPARA_LIMIT
    for (const limit_row& row : limits) {
        for (column_t& c : columns) {
            if (qstrcmp(c.name, row.name) == 0) {
                c.lowest = row.lowest;
                c.highest = row.highest;
            }
        }
    }
    return columns;
}

const std::vector<column_t>& columns()
{
#define UIPARA_SCALAR(kind, type, name, def, command, words) \
    scalar_column(settings_field::kind, #name, &uiPara_data::name, command, words),
#define UIPARA_STEPS(kind, name, entries, def, command, words) \
    steps_column(settings_field::kind, #name, entries, &uiPara_data::name, def, command, words),
#define UIPARA_MIRROR(type, name, source)
#define UIPARA_MIRROR_STEPS(name, entries, source)
    static const std::vector<column_t> table = with_limits({
#include "uiPara_fields.def"
    });
#undef UIPARA_SCALAR
#undef UIPARA_STEPS
#undef UIPARA_MIRROR
#undef UIPARA_MIRROR_STEPS
    return table;
}

QStringList filled_steps(int entries, const char* entry)
{
    QStringList list;
    list.reserve(entries);
    const QString text = QString::fromLatin1(entry);
    for (int i = 0; i < entries; ++i)
        list.append(text);
    return list;
}

QString without_line_end(QString text)
{
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

// What a whole-list setter stores: a read-back split at "," ends in a part
// that is only the reply's line end; the store keeps exactly `entries`
// entries without line ends, so that the settings text keeps its size.
QStringList normalized_steps(const QStringList& in, int entries, const QString& fill)
{
    int used = in.size();
    if (used > 0 && !in.last().isEmpty() && without_line_end(in.last()).isEmpty())
        --used;
    QStringList out;
    out.reserve(entries);
    for (int i = 0; i < entries; ++i)
        out.append(i < used ? without_line_end(in.at(i)) : fill);
    return out;
}

int word_index(const word_table* words, const QString& text)
{
    for (int i = 0; i < words->count; ++i) {
        if (text == QLatin1String(words->entries[i].text))
            return i;
    }
    return -1;
}

QString number_text(double value)
{
    return std::isfinite(value) ? QString::number(value, 'g', 6) : QStringLiteral("0");
}

bool parse_number(const QString& text, double* value)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

bool parse_int(const QString& text, int* value)
{
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (!ok)
        return false;
    *value = v;
    return true;
}

// A stored number as the nearest value a load of the family holds, so that
// every saved text loads back (a read-back gone wrong can store anything).
double within(const column_t& c, double v)
{
    if (c.lowest == 0 && c.highest == 0)
        return v;
    return std::isfinite(v) ? qBound(c.lowest, v, c.highest) : c.lowest;
}

// The text form of one field of the settings text from the store's data.
QString field_text(const column_t& c, int step, const uiPara_data& data)
{
    using k = settings_field;
    switch (c.kind) {
    case k::i_range:
        return data.*c.int_value == 0 ? QStringLiteral("5") : QStringLiteral("30");
    case k::v_range:
        return data.*c.int_value == 0 ? QStringLiteral("36") : QStringLiteral("150");
    case k::level:
    case k::level_whole:
        return number_text(within(c, data.*c.double_value));
    case k::count:
    case k::aver:
        return QString::number(qRound(within(c, data.*c.int_value)));
    case k::switch_01:
    case k::switch_onoff:
        return data.*c.bool_value ? QStringLiteral("1") : QStringLiteral("0");
    case k::mode_word: {
        const int v = data.*c.int_value;
        return QLatin1String(c.words->entries[v >= 0 && v < c.words->count ? v : 0].text);
    }
    default:
        break;
    }

    const QStringList& list = data.*c.list_value;
    const QString entry = step < list.size() ? list.at(step).trimmed() : QString();
    switch (c.kind) {
    case k::step_number: {
        double v = 0;
        return number_text(within(c, parse_number(entry, &v) ? v : 0));
    }
    case k::step_word:
        return word_index(c.words, entry) >= 0 ? entry : QString::fromLatin1(c.default_entry);
    case k::step_i_range:
        return entry == QLatin1String("5") ? entry : QStringLiteral("30");
    case k::step_v_range:
        return entry == QLatin1String("36") ? entry : QStringLiteral("150");
    case k::step_switch:
        return (entry.compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0 ||
                entry == QLatin1String("1"))
                   ? QStringLiteral("1")
                   : QStringLiteral("0");
    default:
        return QString();
    }
}

// One parsed field of a settings text.
struct parsed_t
{
    int int_value = 0;
    double double_value = 0;
    bool bool_value = false;
    QString entry;  // step lists: the text to store
    int word = -1;  // word kinds: index in the word table
};

// Parses one field of a settings text; false when the text is not a value
// of the field's kind.
bool parse_value(const column_t& c, const QString& text, parsed_t* out)
{
    using k = settings_field;
    switch (c.kind) {
    case k::i_range:
    case k::v_range: {
        const bool current = c.kind == k::i_range;
        if (text == QLatin1String(current ? "5" : "36"))
            out->int_value = 0;
        else if (text == QLatin1String(current ? "30" : "150"))
            out->int_value = 1;
        else
            return false;
        return true;
    }
    case k::level:
    case k::level_whole:
        return parse_number(text, &out->double_value);
    case k::count:
    case k::aver:
        return parse_int(text, &out->int_value);
    case k::switch_01:
    case k::switch_onoff:
        if (text != QLatin1String("0") && text != QLatin1String("1"))
            return false;
        out->bool_value = text == QLatin1String("1");
        return true;
    case k::mode_word:
        out->word = word_index(c.words, text);
        out->int_value = out->word;
        return out->word >= 0;
    case k::step_number:
        if (!parse_number(text, &out->double_value))
            return false;
        out->entry = text.trimmed();
        return true;
    case k::step_word:
        out->word = word_index(c.words, text);
        out->entry = text;
        return out->word >= 0;
    case k::step_i_range:
        out->entry = text;
        return text == QLatin1String("5") || text == QLatin1String("30");
    case k::step_v_range:
        out->entry = text;
        return text == QLatin1String("36") || text == QLatin1String("150");
    case k::step_switch:
        // stored as the words of the load's own step lists
        out->bool_value = text == QLatin1String("1");
        out->entry = out->bool_value ? QStringLiteral("ON") : QStringLiteral("OFF");
        return text == QLatin1String("1") || text == QLatin1String("0");
    }
    return false;
}

// Whether a parsed value is one a load of the family can hold; kinds
// without a range (ranges, switches, words) are checked by parsing alone.
bool within_limits(const column_t& c, const parsed_t& value)
{
    using k = settings_field;
    switch (c.kind) {
    case k::level:
    case k::level_whole:
    case k::step_number:
        return value.double_value >= c.lowest && value.double_value <= c.highest;
    case k::count:
    case k::aver:
        return value.int_value >= c.lowest && value.int_value <= c.highest;
    default:
        return true;
    }
}

void store_value(const column_t& c, int step, const parsed_t& value, uiPara_data* staged)
{
    if (c.int_value)
        staged->*c.int_value = value.int_value;
    else if (c.double_value)
        staged->*c.double_value = value.double_value;
    else if (c.bool_value)
        staged->*c.bool_value = value.bool_value;
    else
        (staged->*c.list_value)[step] = value.entry;
}

// The set command for one parsed field; "" when the field is never written.
QString command_of(const column_t& c, int step, const QString& text, const parsed_t& value)
{
    if (!c.command)
        return QString();
    using k = settings_field;
    const QString prefix = QLatin1String(c.command) + QLatin1Char(' ');
    const QString step_prefix = prefix + QString::number(step + 1) + QLatin1Char(',');
    switch (c.kind) {
    case k::i_range:
    case k::v_range:
    case k::count:
    case k::switch_01:
        return prefix + text;
    case k::level:
        return prefix + number_text(value.double_value);
    case k::level_whole: {
        double whole = std::trunc(value.double_value);
        if (whole == 0)
            whole = 0; // no "-0"
        return prefix + QString::number(whole, 'f', 0);
    }
    case k::aver:
        return prefix + QString::number(static_cast<qint64>(value.int_value) + 6);
    case k::switch_onoff:
        return prefix + (value.bool_value ? QLatin1String("ON") : QLatin1String("OFF"));
    case k::mode_word:
        return prefix + QLatin1String(c.words->entries[value.word].command);
    case k::step_number:
        return step_prefix + number_text(value.double_value);
    case k::step_i_range:
    case k::step_v_range:
        return step_prefix + text;
    case k::step_word: {
        const char* word = c.words->entries[value.word].command;
        return word ? step_prefix + QLatin1String(word) : QString();
    }
    case k::step_switch:
        return step_prefix + value.entry;
    }
    return QString();
}

QString default_entry_of(const char* name)
{
    for (const column_t& c : columns()) {
        if (qstrcmp(c.name, name) == 0 && c.default_entry)
            return QString::fromLatin1(c.default_entry);
    }
    return QString();
}

QString kind_description(settings_field::kind_t kind)
{
    using k = settings_field;
    switch (kind) {
    case k::i_range:
    case k::step_i_range:
        return uiPara::tr("a current range (5 or 30)");
    case k::v_range:
    case k::step_v_range:
        return uiPara::tr("a voltage range (36 or 150)");
    case k::level:
    case k::level_whole:
    case k::step_number:
        return uiPara::tr("a number");
    case k::count:
    case k::aver:
        return uiPara::tr("an integer");
    case k::switch_01:
    case k::switch_onoff:
    case k::step_switch:
        return uiPara::tr("a switch (0 or 1)");
    case k::mode_word:
    case k::step_word:
        return uiPara::tr("a known mode word");
    }
    return QString();
}

void set_error(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

uiPara_data::uiPara_data()
{
#define UIPARA_SCALAR(kind, type, name, def, command, words) name = def;
#define UIPARA_STEPS(kind, name, entries, def, command, words) name = filled_steps(entries, def);
#define UIPARA_MIRROR(type, name, source) name = source;
#define UIPARA_MIRROR_STEPS(name, entries, source) name = source;
#include "uiPara_fields.def"
#undef UIPARA_SCALAR
#undef UIPARA_STEPS
#undef UIPARA_MIRROR
#undef UIPARA_MIRROR_STEPS
}

uiPara::uiPara(QObject* parent) : QObject(parent) {}

uiPara* uiPara::instance()
{
    static uiPara store;
    return &store;
}

// Accessors of every field, from the table.
#define UIPARA_SCALAR_ACCESS(type, name)                                                          \
    type uiPara::get_##name() const                                                             \
    {                                                                                           \
        std::lock_guard<std::mutex> lock(m_lock);                                                             \
        return d.name;                                                                          \
    }                                                                                           \
    void uiPara::set_##name(type value)                                                         \
    {                                                                                           \
        {                                                                                       \
            std::lock_guard<std::mutex> lock(m_lock);                                                         \
            d.name = value;                                                                     \
        }                                                                                       \
        emit sig_##name(value);                                                                 \
    }
#define UIPARA_STEPS_ACCESS(name, entries, fill)                                                  \
    QStringList uiPara::get_##name() const                                                      \
    {                                                                                           \
        std::lock_guard<std::mutex> lock(m_lock);                                                             \
        return d.name;                                                                          \
    }                                                                                           \
    void uiPara::set_##name(const QStringList& value)                                           \
    {                                                                                           \
        static const QString fill_entry = fill;                                                 \
        const QStringList stored = normalized_steps(value, entries, fill_entry);                      \
        {                                                                                       \
            std::lock_guard<std::mutex> lock(m_lock);                                                         \
            d.name = stored;                                                                    \
        }                                                                                       \
        emit sig_##name(stored);                                                                \
    }                                                                                           \
    QString uiPara::get_##name##_by_index(int index) const                                      \
    {                                                                                           \
        std::lock_guard<std::mutex> lock(m_lock);                                                             \
        return index >= 0 && index < d.name.size() ? d.name.at(index) : QString();              \
    }                                                                                           \
    void uiPara::set_##name##_by_index(const QString& text, int index)                          \
    {                                                                                           \
        if (index < 0 || index >= (entries))                                                    \
            return;                                                                             \
        {                                                                                       \
            std::lock_guard<std::mutex> lock(m_lock);                                                         \
            d.name[index] = text;                                                               \
        }                                                                                       \
        emit sig_##name##_by_index(text, index);                                                \
    }

#define UIPARA_SCALAR(kind, type, name, def, command, words) UIPARA_SCALAR_ACCESS(type, name)
#define UIPARA_STEPS(kind, name, entries, def, command, words) \
    UIPARA_STEPS_ACCESS(name, entries, QStringLiteral(def))
#define UIPARA_MIRROR(type, name, source) UIPARA_SCALAR_ACCESS(type, name)
// a mirror list pads with its source's default entry
#define UIPARA_MIRROR_STEPS(name, entries, source) \
    UIPARA_STEPS_ACCESS(name, entries, default_entry_of(#source))
#include "uiPara_fields.def"
#undef UIPARA_SCALAR
#undef UIPARA_STEPS
#undef UIPARA_MIRROR
#undef UIPARA_MIRROR_STEPS
#undef UIPARA_SCALAR_ACCESS
#undef UIPARA_STEPS_ACCESS

int uiPara::get_dyn_mode_by_function(int function) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    switch (function) {
    case 1:
        return d.dyn_cv_mode;
    case 2:
        return d.dyn_cr_mode;
    case 3:
        return d.dyn_cp_mode;
    default:
        return d.dyn_cc_mode;
    }
}

uiPara_data uiPara::snapshot() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return d;
}

// Sets every field through its setter, in the table's order.
void uiPara::apply(const uiPara_data& next)
{
#define UIPARA_SCALAR(kind, type, name, def, command, words) set_##name(next.name);
#define UIPARA_STEPS(kind, name, entries, def, command, words) set_##name(next.name);
#define UIPARA_MIRROR(type, name, source) set_##name(next.name);
#define UIPARA_MIRROR_STEPS(name, entries, source) set_##name(next.name);
#include "uiPara_fields.def"
#undef UIPARA_SCALAR
#undef UIPARA_STEPS
#undef UIPARA_MIRROR
#undef UIPARA_MIRROR_STEPS
}

const QVector<settings_field>& uiPara::settings_layout()
{
    static const QVector<settings_field> layout = [] {
        QVector<settings_field> fields;
        fields.reserve(settings_field_count);
        const std::vector<column_t>& table = columns();
        for (int c = 0; c < static_cast<int>(table.size()); ++c) {
            const column_t& col = table[c];
            for (int s = 0; s < col.entries; ++s)
                fields.append(settings_field{col.kind, col.name, col.entries > 1 ? s : -1,
                                             col.command, c, col.lowest, col.highest});
        }
        return fields;
    }();
    return layout;
}

QString uiPara::to_settings_text() const
{
    const uiPara_data data = snapshot();
    const QVector<settings_field>& layout = settings_layout();
    const std::vector<column_t>& table = columns();
    QStringList fields;
    fields.reserve(layout.size());
    for (const settings_field& f : layout)
        fields.append(field_text(table[f.column], qMax(f.step, 0), data));
    return fields.join(QLatin1Char(','));
}

bool uiPara::from_settings_text(const QString& text, QString* error)
{
    const QStringList fields = text.trimmed().split(QLatin1Char(','), Qt::KeepEmptyParts);
    const QVector<settings_field>& layout = settings_layout();
    // The function fields close the text: the older text is the rest.
    if (fields.size() != layout.size() && fields.size() != settings_field_count_without_function) {
        set_error(error, tr("The settings text has %1 fields, %2 expected.")
                             .arg(fields.size())
                             .arg(layout.size()));
        return false;
    }

    uiPara_data staged = snapshot();
    const std::vector<column_t>& table = columns();
    for (int i = 0; i < fields.size(); ++i) {
        const settings_field& f = layout[i];
        const column_t& c = table[f.column];
        parsed_t value;
        const bool parsed = parse_value(c, fields[i], &value);
        if (!parsed || !within_limits(c, value)) {
            const QString where = f.step < 0 ? QString::fromLatin1(f.name)
                                             : QStringLiteral("%1[%2]").arg(QLatin1String(f.name)).arg(f.step);
            const QString wanted = parsed ? tr("within %1..%2").arg(c.lowest).arg(c.highest)
                                          : kind_description(f.kind);
            set_error(error, tr("Field %1 (%2) is \"%3\", not %4.")
                                 .arg(i + 1)
                                 .arg(where, fields[i].left(40), wanted));
            return false;
        }
        store_value(c, qMax(f.step, 0), value, &staged);
    }

#define UIPARA_SCALAR(kind, type, name, def, command, words)
#define UIPARA_STEPS(kind, name, entries, def, command, words)
#define UIPARA_MIRROR(type, name, source) staged.name = staged.source;
#define UIPARA_MIRROR_STEPS(name, entries, source) staged.name = staged.source;
#include "uiPara_fields.def"
#undef UIPARA_SCALAR
#undef UIPARA_STEPS
#undef UIPARA_MIRROR
#undef UIPARA_MIRROR_STEPS

    apply(staged);
    return true;
}

QString uiPara::settings_command(int field_no, const QString& text)
{
    const QVector<settings_field>& layout = settings_layout();
    if (field_no < 0 || field_no >= layout.size())
        return QString();
    const settings_field& f = layout[field_no];
    const column_t& c = columns()[f.column];
    parsed_t value;
    // only a valid value may reach the load
    if (!c.command || !parse_value(c, text, &value))
        return QString();
    return command_of(c, qMax(f.step, 0), text, value);
}

namespace {

// The commands that put the load into the stored function and mode. The
// function commands switch the mode themselves (FUNC to BASIC, FUNC:TRAN to
// TRAN), so the one of the stored mode goes last.
QStringList function_commands(const uiPara_data& data)
{
    auto word = [](const word_table* words, int index) {
        return words->entries[index >= 0 && index < words->count ? index : 0];
    };
    const QString static_func = QStringLiteral("FUNC ") + QLatin1String(word(func_static_words, data.func_static).command);
    const QString tran_func = QStringLiteral("FUNC:TRAN ") + QLatin1String(word(func_tran_words, data.func_tran).command);
    const word_entry mode = word(func_mode_words, data.func_mode);
    QStringList commands;
    if (qstrcmp(mode.text, "TRAN") == 0) {
        commands = QStringList{static_func, tran_func};
    } else {
        commands = QStringList{tran_func, static_func};
        if (mode.command)
            commands.append(QLatin1String(mode.command));
    }
    // Every mode change puts the load's external control back to INT.
    const word_entry ext = word(ext_mode_words, data.ext_mode);
    if (qstrcmp(ext.text, "INT") != 0)
        commands.append(QStringLiteral("EXT:MODE ") + QLatin1String(ext.command));
    return commands;
}

} // namespace

bool uiPara::set_function_by_words(const QString& mode, const QString& static_func, const QString& tran_func,
                                   const QString& ext_mode)
{
    const int m = word_index(func_mode_words, mode);
    const int s = word_index(func_static_words, static_func);
    const int t = word_index(func_tran_words, tran_func);
    const int e = word_index(ext_mode_words, ext_mode);
    if (m < 0 || s < 0 || t < 0 || e < 0)
        return false;
    set_func_mode(m);
    set_func_static(s);
    set_func_tran(t);
    set_ext_mode(e);
    return true;
}

QStringList uiPara::settings_write_commands(bool with_function) const
{
    const uiPara_data data = snapshot();
    const QVector<settings_field>& layout = settings_layout();
    const std::vector<column_t>& table = columns();
    QStringList commands;
    for (int i = 0; i < layout.size(); ++i) {
        const settings_field& f = layout[i];
        if (!f.command)
            continue;
        const QString command =
            settings_command(i, field_text(table[f.column], qMax(f.step, 0), data));
        if (!command.isEmpty())
            commands.append(command);
    }
    if (with_function)
        commands += function_commands(data);
    return commands;
}
