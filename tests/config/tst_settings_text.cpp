// The settings text: its layout, formats, round trip, refusals and the set
// commands that write it to the load.
#include "uiPara.h"

#include <QSignalSpy>
#include <cmath>
#include <QtTest>

namespace {

// The stored fields of the connection read-back, in the order of its queries.
const char* const read_back_order[] = {
    "static_cc_i_range", "static_cc_v_range", "static_cc_i", "static_cc_ris", "static_cc_fal",
    "static_cv_i_range", "static_cv_v_range", "static_cv_v", "static_cr_i_range",
    "static_cr_v_range", "static_cr_r", "static_cp_i_range", "static_cp_v_range", "static_cp_p",
    "static_led_i_range", "static_led_v_range", "static_led_io", "static_led_vo", "static_led_rco",
    "dyn_cc_mode", "dyn_cc_i_range", "dyn_cc_v_range", "dyn_cc_a_level", "dyn_cc_b_level",
    "dyn_cc_a_width", "dyn_cc_b_width", "dyn_cc_ris", "dyn_cc_fal", "dyn_cv_mode",
    "dyn_cv_i_range", "dyn_cv_v_range", "dyn_cv_a_level", "dyn_cv_b_level", "dyn_cv_a_width",
    "dyn_cv_b_width", "dyn_cp_mode", "dyn_cp_i_range", "dyn_cp_v_range", "dyn_cp_a_level",
    "dyn_cp_b_level", "dyn_cp_a_width", "dyn_cp_b_width", "dyn_cr_mode", "dyn_cr_i_range",
    "dyn_cr_v_range", "dyn_cr_a_level", "dyn_cr_b_level", "dyn_cr_a_width", "dyn_cr_b_width",
    "prog_pause", "prog_mode", "prog_irange", "prog_vrange", "prog_short", "prog_ton",
    "prog_toff", "prog_tdly", "prog_min", "prog_max", "prog_set", "prog_io", "prog_rco",
    "program_step", "list_mode", "list_i_range", "list_v_range", "list_count", "list_step",
    "list_set", "list_width", "list_slew", "ocpt_i_range", "ocpt_v_range", "ocpt_v",
    "ocpt_i_step", "ocpt_i_start", "ocpt_i_end", "ocpt_i_min", "ocpt_i_max", "ocpt_delay",
    "oppt_i_range", "oppt_v_range", "oppt_v", "oppt_p_step", "oppt_p_start", "oppt_p_end",
    "oppt_p_min", "oppt_p_max", "oppt_delay", "battery_mode", "battery_i_range",
    "battery_v_range", "battery_level", "battery_v_stop_sw", "battery_c_stop_sw",
    "battery_t_stop_sw", "battery_v_stop", "battery_c_stop", "battery_t_stop", "ext_mode",
    "ext_i_range", "ext_v_range", "utility_vrmt", "utility_sof", "utility_vol", "utility_aver",
    "utility_von", "utility_trig", "utility_ext_sw", "utility_imon", "utility_vmon",
    "utility_tmon", "utility_v_low", "utility_v_high", "utility_i_protect", "utility_current",
    "utility_i_delay", "utility_p_protect", "utility_power", "utility_p_delay"};

QStringList words_of(const QByteArray& field)
{
    if (field.startsWith("dyn_"))
        return {"CONTINUOUS", "PULSE", "TOGGLE"};
    if (field == "list_mode")
        return {"CURRENT", "VOLTAGE", "RESISTANCE", "POWER"};
    if (field == "battery_mode")
        return {"CURRENT", "POWER", "RESISTANCE"};
    if (field == "ext_mode")
        return {"INT", "EXTI", "EXTV"};
    if (field == "utility_trig")
        return {"MANUAL", "EXTERNAL", "BUS"};
    if (field == "prog_mode")
        return {"CURRENT", "VOLTAGE", "RESISTANCE", "POWER", "LED"};
    if (field == "prog_rrange")
        return {"LOW", "MIDDLE", "HIGH", "UP"};
    if (field == "func_static")
        return {"CURRENT", "VOLTAGE", "RESISTANCE", "POWER", "LED"};
    if (field == "func_tran")
        return {"CURRENT", "VOLTAGE", "RESISTANCE", "POWER"};
    if (field == "func_mode")
        return {"BASIC", "TRAN", "OCP", "OPP", "BATTERY", "LIST", "PROGRAM"};
    return {};
}

// A number within the field's limits, spread by i, different from `current`.
QString number_within(const settings_field& f, int i, const QString& current, bool whole)
{
    for (int k = 0;; ++k) {
        double v = f.lowest + (f.highest - f.lowest) * ((i * 7 + k) % 97 + 1) / 99.0;
        if (whole)
            v = std::floor(v);
        const QString text = QString::number(v, 'g', 6);
        if (text != current)
            return text;
    }
}

// A valid value different from `current` for field i, unique where the kind
// and the field's limits allow, so that a field read into the wrong place shows.
QString other_value(const settings_field& f, int i, const QString& current)
{
    using k = settings_field;
    switch (f.kind) {
    case k::i_range:
    case k::step_i_range:
        return current == "5" ? "30" : "5";
    case k::v_range:
    case k::step_v_range:
        return current == "36" ? "150" : "36";
    case k::level:
    case k::step_number:
        return number_within(f, i, current, false);
    case k::level_whole:
    case k::count:
    case k::aver:
        return number_within(f, i, current, true);
    case k::switch_01:
    case k::switch_onoff:
    case k::step_switch:
        return current == "1" ? "0" : "1";
    case k::mode_word:
    case k::step_word: {
        const QStringList words = words_of(f.name);
        const int at = words.indexOf(current);
        return words.at((at + 1 + qMax(f.step, 0) % (words.size() - 1)) % words.size());
    }
    }
    return QString();
}

QStringList split(const QString& text)
{
    return text.split(QLatin1Char(','), Qt::KeepEmptyParts);
}

} // namespace

class tst_settings_text : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layout_follows_the_read_back();
    void default_text_format();
    void value_formats();
    void round_trip_of_every_field();
    void invalid_store_values_still_give_a_readable_text();
    void refusals_change_nothing_data();
    void refusals_change_nothing();
    void write_commands();
    void commands_of_text_values();

private:
    QString m_default_text;
};

void tst_settings_text::initTestCase()
{
    m_default_text = uiPara::instance()->to_settings_text();
}

void tst_settings_text::layout_follows_the_read_back()
{
    const QVector<settings_field>& layout = uiPara::settings_layout();
    QCOMPARE(layout.size(), 1107);
    QByteArrayList order;
    for (const settings_field& f : layout) {
        if (order.isEmpty() || order.last() != f.name)
            order.append(f.name);
    }
    const int n = int(sizeof(read_back_order) / sizeof(read_back_order[0]));
    QCOMPARE(n, 120);
    for (int i = 0; i < n; ++i)
        QCOMPARE(order.value(i), QByteArray(read_back_order[i]));
    // then the one stored field the read-back does not fill; mirrors are not in the text
    // and the function and mode the load was in
    QCOMPARE(order.mid(n), QByteArrayList({"prog_rrange", "func_static", "func_tran", "func_mode"}));
    QVERIFY(!order.contains("prog_vo"));
    QVERIFY(!order.contains("dyn_cc_width"));

    // step lists: 100 or 50 consecutive entries, steps counted from 0
    int list_set_first = -1;
    for (int i = 0; i < layout.size(); ++i) {
        if (qstrcmp(layout[i].name, "list_set") == 0) {
            if (list_set_first < 0)
                list_set_first = i;
            QCOMPARE(layout[i].step, i - list_set_first);
        }
    }
    QCOMPARE(layout[list_set_first + 99].step, 99);
    QCOMPARE(layout[0].step, -1);
}

void tst_settings_text::default_text_format()
{
    const QString& text = m_default_text;
    QCOMPARE(split(text).size(), 1107);
    QVERIFY(!text.endsWith(QLatin1Char(',')));
    QVERIFY(!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')));
    QVERIFY(!text.contains(QLatin1Char(' ')));
    QVERIFY(text.startsWith("5,36,3,0.5,0.5,5,36,4.8,5,36,10,5,36,10,5,36,1,3,0.2,CONTINUOUS,5,36,1,2,"));
    // the program's pause switches, then its modes
    const QStringList fields = split(text);
    QCOMPARE(fields.at(49), QStringLiteral("0"));
    QCOMPARE(fields.at(49 + 50), QStringLiteral("CURRENT"));
    QCOMPARE(fields.at(49 + 100), QStringLiteral("30"));
    QCOMPARE(fields.at(49 + 150), QStringLiteral("150"));
    QCOMPARE(fields.at(1103), QStringLiteral("HIGH"));
    QCOMPARE(fields.mid(1104), QStringList({"CURRENT", "CURRENT", "BASIC"}));
    // utility: ... current 30, delay 3, power protection off, 300 W, 3 s
    QCOMPARE(fields.mid(1104 - 50 - 6, 6), QStringList({"0", "30", "3", "0", "300", "3"}));
}

void tst_settings_text::value_formats()
{
    uiPara* p = uiPara::instance();
    QVERIFY(p->from_settings_text(m_default_text));
    auto field = [p](int i) { return split(p->to_settings_text()).at(i); };

    p->set_static_cc_i(1.23456789);
    QCOMPARE(field(2), QStringLiteral("1.23457"));
    p->set_static_cc_i(0.00002);
    QCOMPARE(field(2), QStringLiteral("2e-05"));
    p->set_prog_max_by_index(QStringLiteral("1000000"), 0);
    QCOMPARE(field(49 + 450), QStringLiteral("1e+06"));
    p->set_static_cc_i(30);
    QCOMPARE(field(2), QStringLiteral("30"));
    p->set_static_cc_i_range(1);
    p->set_static_cc_v_range(1);
    QCOMPARE(field(0), QStringLiteral("30"));
    QCOMPARE(field(1), QStringLiteral("150"));
    p->set_dyn_cc_mode(2);
    QCOMPARE(field(19), QStringLiteral("TOGGLE"));
    p->set_utility_trig(1);
    QVERIFY(p->to_settings_text().contains(QLatin1String(",EXTERNAL,")));
    p->set_utility_vrmt(true);
    p->set_list_count(0);
    p->set_utility_aver(4);
    const QStringList fields = split(p->to_settings_text());
    const int utility = 104 - 18 + 300 + 650; // first utility field
    QCOMPARE(fields.at(utility), QStringLiteral("1"));
    QCOMPARE(fields.at(utility + 3), QStringLiteral("4"));
    QCOMPARE(fields.at(49 + 650 + 4), QStringLiteral("0")); // list_count

    // read-back forms in the step lists become the text's forms
    p->set_prog_pause_by_index(QStringLiteral("1\n"), 0);
    p->set_prog_pause_by_index(QStringLiteral("ON"), 1);
    p->set_prog_pause_by_index(QStringLiteral("OFF"), 2);
    p->set_prog_mode_by_index(QStringLiteral("LED\n"), 0);
    p->set_prog_irange_by_index(QStringLiteral("5\n"), 0);
    p->set_prog_ton_by_index(QStringLiteral("2.5\n"), 0);
    const QStringList after = split(p->to_settings_text());
    QCOMPARE(after.mid(49, 3), QStringList({"1", "1", "0"}));
    QCOMPARE(after.at(99), QStringLiteral("LED"));
    QCOMPARE(after.at(149), QStringLiteral("5"));
    QCOMPARE(after.at(49 + 250), QStringLiteral("2.5"));
    QVERIFY(p->from_settings_text(m_default_text));
}

// A non-default, distinct value in every field survives text -> store -> text.
void tst_settings_text::round_trip_of_every_field()
{
    uiPara* p = uiPara::instance();
    QVERIFY(p->from_settings_text(m_default_text));
    const QVector<settings_field>& layout = uiPara::settings_layout();
    const QStringList defaults = split(m_default_text);
    QStringList wanted;
    for (int i = 0; i < layout.size(); ++i) {
        wanted << other_value(layout[i], i, defaults[i]);
        QVERIFY2(wanted.last() != defaults[i], qPrintable(QString::number(i)));
    }
    const QString text = wanted.join(QLatin1Char(','));

    QSignalSpy cc(p, &uiPara::sig_static_cc_i);
    QSignalSpy set(p, &uiPara::sig_prog_set);
    QSignalSpy vo(p, &uiPara::sig_prog_vo);
    QSignalSpy width(p, &uiPara::sig_dyn_cr_width);
    QString error;
    QVERIFY2(p->from_settings_text(text, &error), qPrintable(error));
    QCOMPARE(p->to_settings_text(), text);

    // every field went through its setter
    QCOMPARE(cc.count(), 1);
    QCOMPARE(set.count(), 1);
    QCOMPARE(vo.count(), 1);
    QCOMPARE(width.count(), 1);
    QCOMPARE(p->get_static_cc_i(), wanted.at(2).toDouble());
    QCOMPARE(p->get_static_cc_i_range(), 1);
    QCOMPARE(p->get_utility_power(), wanted.at(1103 - 51).toDouble());
    // mirrors follow their source
    QCOMPARE(p->get_prog_vo(), p->get_prog_set());
    QCOMPARE(p->get_dyn_cc_width(), p->get_dyn_cc_b_width());
    QCOMPARE(p->get_dyn_cr_width(), p->get_dyn_cr_b_width());
    // program switches are stored as the load's words
    QCOMPARE(p->get_prog_pause_by_index(0), QStringLiteral("ON"));
    QCOMPARE(p->get_prog_rrange().size(), 50);

    // The older form without the function fields is taken; the stored
    // function stays.
    QVERIFY(p->from_settings_text(QStringList(split(m_default_text).mid(0, 1104)).join(',')));
    QCOMPARE(split(p->to_settings_text()).mid(0, 1104), split(m_default_text).mid(0, 1104));
    QCOMPARE(split(p->to_settings_text()).mid(1104), wanted.mid(1104));

    // a line end after the text (an editor's) is not a field
    QVERIFY(p->from_settings_text(m_default_text + "\n"));
    QCOMPARE(p->to_settings_text(), m_default_text);
}

void tst_settings_text::invalid_store_values_still_give_a_readable_text()
{
    uiPara* p = uiPara::instance();
    p->set_dyn_cv_mode(7);
    p->set_static_cv_v(std::numeric_limits<double>::quiet_NaN());
    p->set_list_set_by_index(QStringLiteral("abc"), 5);
    p->set_prog_mode_by_index(QStringLiteral("NONSENSE"), 3);
    p->set_prog_vrange_by_index(QString(), 3);
    const QString text = p->to_settings_text();
    QCOMPARE(split(text).size(), 1107);
    QString error;
    QVERIFY2(p->from_settings_text(text, &error), qPrintable(error));
    QCOMPARE(p->get_dyn_cv_mode(), 0);
    QCOMPARE(p->get_static_cv_v(), 0.0);
    QCOMPARE(p->get_list_set_by_index(5), QStringLiteral("0"));
    QCOMPARE(p->get_prog_mode_by_index(3), QStringLiteral("CURRENT"));
    QCOMPARE(p->get_prog_vrange_by_index(3), QStringLiteral("150"));

    // Values no load holds (a read-back gone wrong) are saved as the nearest
    // one it holds, so that the text loads back.
    p->set_static_cc_i(1e300);
    p->set_static_cc_ris(0);
    p->set_program_step(-7);
    p->set_list_slew_by_index(QStringLiteral("abc"), 2);
    p->set_list_step(std::numeric_limits<int>::max());
    const QStringList clamped = split(p->to_settings_text());
    QCOMPARE(clamped.mid(2, 2), QStringList({"30", "0.001"}));
    QCOMPARE(clamped.at(49 + 650), QStringLiteral("1"));
    QCOMPARE(clamped.at(49 + 650 + 5), QStringLiteral("100"));
    QCOMPARE(clamped.at(49 + 650 + 6 + 200 + 2), QStringLiteral("0.001"));
    QVERIFY2(p->from_settings_text(clamped.join(','), &error), qPrintable(error));
    QVERIFY(p->from_settings_text(m_default_text));
}

void tst_settings_text::refusals_change_nothing_data()
{
    QTest::addColumn<QString>("text");
    const QStringList fields = split(m_default_text);
    auto with = [&fields](int i, const QString& value) {
        QStringList f = fields;
        f[i] = value;
        return f.join(QLatin1Char(','));
    };
    QTest::newRow("empty") << QString();
    QTest::newRow("1103 fields") << QStringList(fields.mid(0, 1103)).join(QLatin1Char(','));
    QTest::newRow("1105 fields") << m_default_text + ",0";
    QTest::newRow("trailing comma") << m_default_text + ",";
    QTest::newRow("level not a number") << with(2, "abc");
    QTest::newRow("level empty") << with(2, "");
    QTest::newRow("level nan") << with(2, "nan");
    QTest::newRow("level inf") << with(3, "inf");
    QTest::newRow("unknown mode word") << with(19, "SQUARE");
    QTest::newRow("mode word lower case") << with(19, "pulse");
    QTest::newRow("range") << with(0, "10");
    QTest::newRow("range index") << with(1, "1");
    QTest::newRow("count not integer") << with(49 + 650 + 4, "1.5");
    QTest::newRow("switch") << with(104 - 18 + 950, "2");
    QTest::newRow("program switch word") << with(49, "ON");
    QTest::newRow("program mode") << with(100, "DYNAMIC");
    QTest::newRow("program range") << with(150, "31");
    QTest::newRow("list level") << with(49 + 650 + 6 + 7, "1,5");
    QTest::newRow("last step of a list") << with(1103, "HUGE");
    QTest::newRow("1108 fields") << m_default_text + ",BASIC";
    // Values no load of the family can hold: refused before anything changes.
    QTest::newRow("level 1e300") << with(2, "1e300");
    QTest::newRow("negative level") << with(2, "-5000");
    QTest::newRow("resistance below the lowest") << with(10, "0.01");
    QTest::newRow("slew of 0") << with(3, "0");
    QTest::newRow("width above 999 s") << with(24, "1000");
    QTest::newRow("program time") << with(49 + 250, "101");
    QTest::newRow("program limit") << with(49 + 400 + 3, "-1");
    QTest::newRow("negative step count") << with(49 + 650, "-7");
    QTest::newRow("step count INT_MAX") << with(49 + 650, "2147483647");
    QTest::newRow("program of no steps") << with(49 + 650, "0");
    QTest::newRow("list of 101 steps") << with(49 + 650 + 5, "101");
    QTest::newRow("list repeated 256 times") << with(49 + 650 + 4, "256");
    QTest::newRow("list level") << with(49 + 650 + 6 + 99, "10001");
    QTest::newRow("averaging exponent 15") << with(104 - 18 + 950 + 3, "9");
    QTest::newRow("battery capacity") << with(1054 - 18 - 3 - 2, "1e+06");
    QTest::newRow("power protection") << with(1054 - 2, "1000");
    QTest::newRow("static function") << with(1104, "SHORT");
    QTest::newRow("transient LED") << with(1105, "LED");
    QTest::newRow("mode word") << with(1106, "EXT");
    QTest::newRow("older form out of range") << QStringList(with(2, "-1").split(',').mid(0, 1104)).join(',');
}

void tst_settings_text::refusals_change_nothing()
{
    QFETCH(QString, text);
    uiPara* p = uiPara::instance();
    QVERIFY(p->from_settings_text(m_default_text));
    p->set_static_cc_i(2.75); // something not at its default
    p->set_list_slew_by_index(QStringLiteral("1.5"), 10);
    const QString before = p->to_settings_text();
    const QStringList slew = p->get_list_slew();

    QSignalSpy range(p, &uiPara::sig_static_cc_i_range);
    QSignalSpy level(p, &uiPara::sig_static_cc_i);
    QSignalSpy list(p, &uiPara::sig_list_set);
    QString error;
    QVERIFY(!p->from_settings_text(text, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(p->to_settings_text(), before);
    QCOMPARE(p->get_list_slew(), slew);
    QCOMPARE(range.count() + level.count() + list.count(), 0);
}

void tst_settings_text::write_commands()
{
    uiPara* p = uiPara::instance();
    QVERIFY(p->from_settings_text(m_default_text));
    QStringList commands = p->settings_write_commands();
    // the resistance ranges are never written; the function closes the list
    QCOMPARE(commands.size(), 1104 - 50 + 2);
    QCOMPARE(commands.mid(1054), QStringList({"FUNC:TRAN CURRENT", "FUNC CURR"}));
    QCOMPARE(p->settings_write_commands(false), commands.mid(0, 1054));
    QCOMPARE(commands.mid(0, 5), QStringList({"CURR:IRANG 5", "CURR:VRANG 36", "CURR 3",
                                               "CURR:SLEW:POS 0.5", "CURR:SLEW:NEG 0.5"}));
    QVERIFY(commands.contains("CURR:TRAN:MODE CONTINUOUS"));
    QVERIFY(commands.contains("CURR:TRAN:SLEW:POS  0.5")); // two blanks, as the panel sends it
    QVERIFY(commands.contains("PROG:PAUSE 1,OFF"));
    QVERIFY(commands.contains("PROG:MODE 50,CURR"));
    QVERIFY(commands.contains("PROG:IRANG 2,30"));
    QVERIFY(commands.contains("LIST:LEV 100,1"));
    QVERIFY(commands.contains("LIST:SLEW 3,0.5"));
    QVERIFY(commands.contains("SENS:AVER:COUN 6"));
    QVERIFY(commands.contains("TRIG:SOUR MANUAL"));
    QVERIFY(commands.contains("SYST:SENS OFF"));
    QVERIFY(commands.contains("VOLT:LATCh 0"));
    QVERIFY(commands.contains("BATT:MODE CURR"));
    QVERIFY(commands.contains("BATT:IRANG 30"));
    QVERIFY(commands.contains("POW:PROT:LEV 300"));
    // a block's mode and ranges go out before its levels
    QVERIFY(commands.indexOf("LIST:MODE CURR") < commands.indexOf("LIST:LEV 1,1"));
    QVERIFY(commands.indexOf("PROG:MODE 1,CURR") < commands.indexOf("PROG:LEV 1,1"));
    QVERIFY(commands.indexOf("BATT:VRANG 150") < commands.indexOf("BATT:VOLT 0"));

    p->set_utility_trig(1);
    p->set_utility_aver(8);
    p->set_utility_i_protect(true);
    p->set_battery_c_stop(2000.7);
    p->set_battery_t_stop(-0.4);
    p->set_battery_mode(2);
    p->set_list_mode(3);
    p->set_ext_mode(2);
    p->set_dyn_cp_mode(1);
    p->set_prog_mode_by_index(QStringLiteral("LED\n"), 4);
    p->set_prog_short_by_index(QStringLiteral("1\n"), 4);
    commands = p->settings_write_commands();
    for (const char* c : {"TRIG:SOUR EXT", "SENS:AVER:COUN 14", "CURR:PROT:STAT ON",
                          "BATT:CAP 2000", "BATT:TIM 0", "BATT:MODE RES", "LIST:MODE POW",
                          "EXT:MODE EXTV", "POW:TRAN:MODE PULSE", "PROG:MODE 5,LED",
                          "PROG:SHOR 5,ON"})
        QVERIFY2(commands.contains(QLatin1String(c)), c);

    // The mode last: the function commands switch the mode themselves.
    const struct
    {
        const char* mode;
        const char* static_func;
        const char* tran_func;
        QStringList tail;
    } functions[] = {
        {"TRAN", "RESISTANCE", "POWER", {"FUNC RES", "FUNC:TRAN POWER"}},
        {"BASIC", "LED", "VOLTAGE", {"FUNC:TRAN VOLTAGE", "FUNC LED"}},
        {"LIST", "CURRENT", "CURRENT", {"FUNC:TRAN CURRENT", "FUNC CURR", "LIST:STAT:ON"}},
        {"PROGRAM", "POWER", "CURRENT", {"FUNC:TRAN CURRENT", "FUNC POW", "PROG:STAT:ON"}},
        {"OCP", "VOLTAGE", "RESISTANCE", {"FUNC:TRAN RESISTANCE", "FUNC VOLT", "OCP:FUNC"}},
        {"OPP", "CURRENT", "CURRENT", {"FUNC:TRAN CURRENT", "FUNC CURR", "OPP:FUNC"}},
        {"BATTERY", "CURRENT", "CURRENT", {"FUNC:TRAN CURRENT", "FUNC CURR", "BATT:FUNC"}},
    };
    p->set_ext_mode(0);
    for (const auto& f : functions) {
        QVERIFY(p->set_function_by_words(f.mode, f.static_func, f.tran_func, "INT"));
        commands = p->settings_write_commands();
        QCOMPARE(commands.mid(1054), f.tail);
        QCOMPARE(split(p->to_settings_text()).mid(1104),
                 QStringList({f.static_func, f.tran_func, f.mode}));
    }
    // An unknown word changes none of the four.
    QVERIFY(!p->set_function_by_words("TRAN", "CURRENT", "LED", "INT"));
    QVERIFY(!p->set_function_by_words("TRAN", "CURRENT", "CURRENT", "EXT"));
    QCOMPARE(p->settings_write_commands().mid(1054), functions[6].tail);
    // A mode change puts the external control back to INT: it is sent again.
    QVERIFY(p->set_function_by_words("BATTERY", "CURRENT", "CURRENT", "EXTV"));
    QCOMPARE(p->settings_write_commands().mid(1054), functions[6].tail + QStringList{"EXT:MODE EXTV"});
    QVERIFY(p->from_settings_text(m_default_text));
}

void tst_settings_text::commands_of_text_values()
{
    const QVector<settings_field>& layout = uiPara::settings_layout();
    QCOMPARE(uiPara::settings_command(0, "30"), QStringLiteral("CURR:IRANG 30"));
    QCOMPARE(uiPara::settings_command(2, "2.5"), QStringLiteral("CURR 2.5"));
    QCOMPARE(uiPara::settings_command(0, "31"), QString()); // invalid: nothing to send
    QCOMPARE(uiPara::settings_command(2, "x"), QString());
    QCOMPARE(uiPara::settings_command(-1, "5"), QString());
    QCOMPARE(uiPara::settings_command(layout.size(), "5"), QString());
    QCOMPARE(uiPara::settings_command(layout.size() - 1, "HIGH"), QString()); // never written
    const int list_set = 49 + 650 + 6;
    QCOMPARE(layout[list_set + 2].name, "list_set");
    QCOMPARE(uiPara::settings_command(list_set + 2, "2.5"), QStringLiteral("LIST:LEV 3,2.5"));
    QCOMPARE(uiPara::settings_command(50, "1"), QStringLiteral("PROG:PAUSE 2,ON"));
    QCOMPARE(uiPara::settings_command(100, "VOLTAGE"), QStringLiteral("PROG:MODE 2,VOLT"));
    QCOMPARE(uiPara::settings_command(19, "PULSE"), QStringLiteral("CURR:TRAN:MODE PULSE"));
}

QTEST_GUILESS_MAIN(tst_settings_text)
#include "tst_settings_text.moc"
