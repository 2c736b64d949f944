// The parameter store: every field's getter, setter and signal, the step
// lists' by-index access, the whole-list rules and the defaults.
#include "uiPara.h"

#include <QMetaMethod>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <thread>

namespace {

QByteArray field_of_signal(const QMetaMethod& sig)
{
    return sig.name().mid(4); // after "sig_"
}

// Calls a setter through the meta-object with one value of its signal's type.
bool invoke_setter(uiPara* p, const QMetaMethod& setter, const QVariant& a, const QVariant& b)
{
    const QByteArray type = setter.parameterTypes().value(0);
    if (type == "int") {
        int v = a.toInt();
        return setter.invoke(p, Qt::DirectConnection, Q_ARG(int, v));
    }
    if (type == "double") {
        double v = a.toDouble();
        return setter.invoke(p, Qt::DirectConnection, Q_ARG(double, v));
    }
    if (type == "bool") {
        bool v = a.toBool();
        return setter.invoke(p, Qt::DirectConnection, Q_ARG(bool, v));
    }
    if (type == "QStringList") {
        QStringList v = a.toStringList();
        return setter.invoke(p, Qt::DirectConnection, Q_ARG(QStringList, v));
    }
    if (type == "QString") {
        QString v = a.toString();
        int i = b.toInt();
        return setter.invoke(p, Qt::DirectConnection, Q_ARG(QString, v), Q_ARG(int, i));
    }
    return false;
}

QVariant invoke_getter(uiPara* p, const QByteArray& field, const QByteArray& type)
{
    const QMetaObject* mo = p->metaObject();
    const QMetaMethod getter = mo->method(mo->indexOfMethod("get_" + field + "()"));
    if (!getter.isValid())
        return QVariant();
    if (type == "int") {
        int v = 0;
        getter.invoke(p, Qt::DirectConnection, Q_RETURN_ARG(int, v));
        return v;
    }
    if (type == "double") {
        double v = 0;
        getter.invoke(p, Qt::DirectConnection, Q_RETURN_ARG(double, v));
        return v;
    }
    if (type == "bool") {
        bool v = false;
        getter.invoke(p, Qt::DirectConnection, Q_RETURN_ARG(bool, v));
        return v;
    }
    QStringList v;
    getter.invoke(p, Qt::DirectConnection, Q_RETURN_ARG(QStringList, v));
    return v;
}

} // namespace

class tst_uipara : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void every_setter_emits();
    void by_index_access_and_bounds();
    void whole_list_setter_keeps_the_list_size();
    void dyn_mode_by_function();
    void concurrent_use();
};

void tst_uipara::defaults()
{
    const uiPara_data d;
    // stated defaults of the utility settings
    QCOMPARE(d.utility_current, 30.0);
    QCOMPARE(d.utility_power, 300.0);
    QCOMPARE(d.utility_i_delay, 3.0);
    QCOMPARE(d.utility_p_delay, 3.0);
    QCOMPARE(d.utility_v_high, 10.0);
    QVERIFY(!d.utility_vrmt && !d.utility_sof && !d.utility_vol && !d.utility_ext_sw);
    QVERIFY(!d.utility_imon && !d.utility_vmon && !d.utility_tmon);
    QVERIFY(!d.utility_i_protect && !d.utility_p_protect);
    // battery: 30 A and 150 V ranges, level 1
    QCOMPARE(d.battery_mode, 0);
    QCOMPARE(d.battery_i_range, 1);
    QCOMPARE(d.battery_v_range, 1);
    QCOMPARE(d.battery_level, 1.0);
    // step lists are full from the start
    QCOMPARE(d.list_set.size(), 100);
    QCOMPARE(d.list_width.size(), 100);
    QCOMPARE(d.list_slew.size(), 100);
    for (const QStringList* l : {&d.prog_mode, &d.prog_irange, &d.prog_vrange, &d.prog_rrange,
                                 &d.prog_pause, &d.prog_short, &d.prog_ton, &d.prog_toff,
                                 &d.prog_tdly, &d.prog_min, &d.prog_max, &d.prog_set, &d.prog_vo,
                                 &d.prog_io, &d.prog_rco})
        QCOMPARE(l->size(), 50);
    // the program table's row builder reads these forms
    QCOMPARE(d.prog_irange.first(), QStringLiteral("30"));
    QCOMPARE(d.prog_vrange.first(), QStringLiteral("150"));
    QCOMPARE(d.prog_pause.first(), QStringLiteral("0"));
    QCOMPARE(d.prog_mode.last(), QStringLiteral("CURRENT"));
    // mirrors start equal to their source
    QCOMPARE(d.prog_vo, d.prog_set);
    QCOMPARE(d.dyn_cp_width, d.dyn_cp_b_width);
}

// Every change signal has its setter and getter; the setter stores and emits
// once per call, also with the value already stored.
void tst_uipara::every_setter_emits()
{
    uiPara* p = uiPara::instance();
    const QMetaObject* mo = p->metaObject();
    int signals_seen = 0;
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        const QMetaMethod sig = mo->method(i);
        if (sig.methodType() != QMetaMethod::Signal)
            continue;
        ++signals_seen;
        const QByteArray field = field_of_signal(sig);
        QVERIFY2(sig.name().startsWith("sig_"), sig.methodSignature().constData());
        const QByteArray params = sig.methodSignature().mid(sig.name().size());
        const int setter_index = mo->indexOfMethod("set_" + field + params);
        QVERIFY2(setter_index >= 0, ("no setter for " + sig.methodSignature()).constData());
        const QMetaMethod setter = mo->method(setter_index);

        const bool by_index = field.endsWith("_by_index");
        const QByteArray type = sig.parameterTypes().first();
        QVariant value;
        QVariant index;
        if (by_index) {
            value = QStringLiteral("7.25\n");
            index = 3;
        } else {
            const QVariant before = invoke_getter(p, field, type);
            QVERIFY2(before.isValid(), ("no getter for " + field).constData());
            if (type == "int")
                value = before.toInt() + 1;
            else if (type == "double")
                value = before.toDouble() + 0.5;
            else if (type == "bool")
                value = !before.toBool();
            else
                value = QStringList(QVector<QString>(before.toStringList().size(), QStringLiteral("4.5")).toList());
        }

        QSignalSpy spy(p, ("2" + sig.methodSignature()).constData());
        QVERIFY(spy.isValid());
        QVERIFY(invoke_setter(p, setter, value, index));
        QCOMPARE(spy.count(), 1);
        QVERIFY(invoke_setter(p, setter, value, index)); // equal value: emits again
        QCOMPARE(spy.count(), 2);
        if (by_index) {
            QCOMPARE(spy.at(1).at(0).toString(), value.toString());
            QCOMPARE(spy.at(1).at(1).toInt(), 3);
            const QByteArray list_field = field.left(field.size() - int(qstrlen("_by_index")));
            QCOMPARE(invoke_getter(p, list_field, "QStringList").toStringList().at(3), value.toString());
        } else {
            QCOMPARE(spy.at(1).at(0), value);
            QCOMPARE(invoke_getter(p, field, type), value);
        }
    }
    // 104 settings + 3 function fields + 4 mirrored widths, and two signals
    // for each of the 18 step lists
    QCOMPARE(signals_seen, 111 + 2 * 18);
}

void tst_uipara::by_index_access_and_bounds()
{
    uiPara* p = uiPara::instance();
    QSignalSpy list_spy(p, &uiPara::sig_list_set_by_index);
    QSignalSpy prog_spy(p, &uiPara::sig_prog_irange_by_index);

    p->set_list_set_by_index(QStringLiteral("2.5\n"), 0);
    p->set_list_set_by_index(QStringLiteral("3.5"), 99);
    QCOMPARE(list_spy.count(), 2);
    QCOMPARE(p->get_list_set_by_index(0), QStringLiteral("2.5\n")); // kept as it came
    QCOMPARE(p->get_list_set_by_index(99), QStringLiteral("3.5"));
    QCOMPARE(p->get_list_set().at(99), QStringLiteral("3.5"));

    const QStringList before = p->get_list_set();
    p->set_list_set_by_index(QStringLiteral("9"), 100);
    p->set_list_set_by_index(QStringLiteral("9"), -1);
    p->set_list_set_by_index(QStringLiteral("9"), INT_MAX);
    QCOMPARE(list_spy.count(), 2); // ignored, nothing emitted
    QCOMPARE(p->get_list_set(), before);
    QCOMPARE(p->get_list_set_by_index(100), QString());
    QCOMPARE(p->get_list_set_by_index(-1), QString());
    QCOMPARE(p->get_list_set_by_index(INT_MIN), QString());

    p->set_prog_irange_by_index(QStringLiteral("5\n"), 49);
    QCOMPARE(prog_spy.count(), 1);
    QCOMPARE(prog_spy.at(0).at(0).toString(), QStringLiteral("5\n"));
    QCOMPARE(prog_spy.at(0).at(1).toInt(), 49);
    p->set_prog_irange_by_index(QStringLiteral("5"), 50); // program lists end at 49
    QCOMPARE(prog_spy.count(), 1);
    QCOMPARE(p->get_prog_irange_by_index(50), QString());
    QCOMPARE(p->get_prog_irange().size(), 50);
}

void tst_uipara::whole_list_setter_keeps_the_list_size()
{
    uiPara* p = uiPara::instance();
    QSignalSpy spy(p, &uiPara::sig_list_width);

    // a read-back "1,2,3,\n" split at "," keeping empty parts
    p->set_list_width(QString("1,2,3,\n").split(QLatin1Char(',')));
    QStringList stored = p->get_list_width();
    QCOMPARE(stored.size(), 100);
    QCOMPARE(stored.mid(0, 3), QStringList({"1", "2", "3"}));
    QCOMPARE(stored.at(3), QStringLiteral("1")); // padded with the default entry
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toStringList(), stored);

    // without the trailing comma the last entry keeps its value, not its line end
    p->set_list_width(QString("4,5\n").split(QLatin1Char(',')));
    QCOMPARE(p->get_list_width().mid(0, 3), QStringList({"4", "5", "1"}));

    // an empty part stays an (empty) entry
    p->set_prog_ton(QString("1,,3\n").split(QLatin1Char(',')));
    QCOMPARE(p->get_prog_ton().mid(0, 4), QStringList({"1", "", "3", "1"}));

    // too long: cut
    QStringList many;
    for (int i = 0; i < 150; ++i)
        many << QString::number(i);
    p->set_list_width(many);
    QCOMPARE(p->get_list_width().size(), 100);
    QCOMPARE(p->get_list_width().last(), QStringLiteral("99"));

    p->set_prog_rco(QStringList());
    QCOMPARE(p->get_prog_rco(), QStringList(QVector<QString>(50, "0.2").toList()));
    p->set_prog_vo(QStringList());
    QCOMPARE(p->get_prog_vo(), QStringList(QVector<QString>(50, "1").toList()));
}

void tst_uipara::dyn_mode_by_function()
{
    uiPara* p = uiPara::instance();
    p->set_dyn_cc_mode(0);
    p->set_dyn_cv_mode(1);
    p->set_dyn_cr_mode(2);
    p->set_dyn_cp_mode(1);
    p->set_dyn_cp_mode(2);
    QCOMPARE(p->get_dyn_mode_by_function(0), 0);
    QCOMPARE(p->get_dyn_mode_by_function(1), 1);
    QCOMPARE(p->get_dyn_mode_by_function(2), 2);
    QCOMPARE(p->get_dyn_mode_by_function(3), 2);
    p->set_dyn_cc_mode(1);
    QCOMPARE(p->get_dyn_mode_by_function(4), 1);
    QCOMPARE(p->get_dyn_mode_by_function(-7), 1);
}

// A settings thread builds the text while the GUI thread keeps writing.
void tst_uipara::concurrent_use()
{
    uiPara* p = uiPara::instance();
    std::atomic<bool> stop(false);
    std::atomic<int> bad(0);
    // A std::thread: its join, unlike QThread::wait(), is seen by the thread sanitizer.
    std::thread reader([&] {
        while (!stop.load()) {
            if (p->to_settings_text().count(QLatin1Char(',')) != uiPara::settings_field_count - 1)
                ++bad;
        }
    });
    for (int i = 0; i < 2000; ++i) {
        p->set_static_cc_i(i * 0.001);
        p->set_list_set_by_index(QString::number(i), i % 100);
        p->set_prog_mode(QStringList({"LED", "POWER"}));
    }
    stop = true;
    reader.join();
    QCOMPARE(bad.load(), 0);
}

QTEST_GUILESS_MAIN(tst_uipara)
#include "tst_uipara.moc"
