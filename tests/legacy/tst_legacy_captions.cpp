// The older window's texts whose form changes with the value, at each limit
// and one step (the smallest the box or reply holds) either side: widths
// in ms below 1 s and in s from it, the time test's times in seconds up to
// 60 s and as h:m:s above, the discharge time's two-digit parts, the list
// count 0 as "Infinite".
#include "mainwindow.h"

#include "custom_label.h"
#include "custom_spinbox.h"
#include "modal_answerer.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QTest>

#include <memory>

namespace {

QString shown(const custom_label* l)
{
    QString text = (l->name_label ? l->name_label->text() : QString()) + l->value_label->text();
    if (!l->unit_label->isHidden())
        text += l->unit_label->text();
    return text;
}

// The text of `where` as the window shows it.
QString caption(MainWindow& w, const QString& where)
{
    if (where == QLatin1String("count"))
        return w.list_count_spin->spin_box->text();
    if (where == QLatin1String("T_Rise"))
        return shown(w.display_aux_label_1);
    if (where == QLatin1String("T_Fall"))
        return shown(w.display_aux_label_2);
    if (where == QLatin1String("time"))
        return shown(w.display_power_label);
    // The diagram's labels, by the name they start with.
    for (QLabel* l : w.dynamic_labels) {
        if (l->text().startsWith(where + QLatin1Char('\n')))
            return l->text();
    }
    return QString();
}

} // namespace

class tst_legacy_captions : public QObject
{
    Q_OBJECT

private slots:
    void captions_change_at_their_limits_data();
    void captions_change_at_their_limits();
};

void tst_legacy_captions::captions_change_at_their_limits_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("function"); // func_code; 0 with the time test on
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("shown");
    struct width_t {
        int operation;
        const char* name;
    };
    for (const width_t& w : {width_t{107, "A_width"}, width_t{108, "B_width"}, width_t{109, "width"}}) {
        const QString name = QString::fromLatin1(w.name);
        QTest::newRow(qPrintable(name + " below 1 s")) << w.operation << 0 << QStringList{"0.999999\n"} << name
                                                       << name + "\n999.999ms";
        QTest::newRow(qPrintable(name + " 1 s")) << w.operation << 0 << QStringList{"1\n"} << name << name + "\n1.000s";
        QTest::newRow(qPrintable(name + " above 1 s")) << w.operation << 0 << QStringList{"1.000001\n"} << name
                                                       << name + "\n1.000s";
    }
    auto poll = [](const char* fourth, const char* rise, const char* fall) {
        return QStringList{"1\n", "1\n", "5\n", "5\n", QString(fourth) + "\n", "1\n", QString(rise) + "\n",
                           QString(fall) + "\n"};
    };
    QTest::newRow("rise below 60") << 183 << 0 << poll("5", "59.9999", "1") << "T_Rise" << "T_Rise: 59.9999s";
    QTest::newRow("rise 60") << 183 << 0 << poll("5", "60", "1") << "T_Rise" << "T_Rise: 60.0000s";
    QTest::newRow("rise above 60") << 183 << 0 << poll("5", "60.0001", "1") << "T_Rise" << "T_Rise: 00:01:00";
    QTest::newRow("fall below 60") << 183 << 0 << poll("5", "1", "59.9999") << "T_Fall" << "T_Fall: 59.9999s";
    QTest::newRow("fall 60") << 183 << 0 << poll("5", "1", "60") << "T_Fall" << "T_Fall: 60.0000s";
    QTest::newRow("fall above 60") << 183 << 0 << poll("5", "1", "60.0001") << "T_Fall" << "T_Fall: 00:01:00";
    // the discharge time in place of the power
    QTest::newRow("9 s") << 183 << 8 << poll("9", "0", "0") << "time" << "00:00:09";
    QTest::newRow("10 s") << 183 << 8 << poll("10", "0", "0") << "time" << "00:00:10";
    QTest::newRow("just below a minute") << 183 << 8 << poll("59.99", "0", "0") << "time" << "00:00:59";
    QTest::newRow("a minute") << 183 << 8 << poll("60", "0", "0") << "time" << "00:01:00";
    QTest::newRow("61 s") << 183 << 8 << poll("61", "0", "0") << "time" << "00:01:01";
    QTest::newRow("just below an hour") << 183 << 8 << poll("3599", "0", "0") << "time" << "00:59:59";
    QTest::newRow("an hour") << 183 << 8 << poll("3600", "0", "0") << "time" << "01:00:00";
    QTest::newRow("just below 10 h") << 183 << 8 << poll("35999", "0", "0") << "time" << "09:59:59";
    QTest::newRow("10 h") << 183 << 8 << poll("36000", "0", "0") << "time" << "10:00:00";
    QTest::newRow("count 0") << 79 << 0 << QStringList{"0\n", "0\n"} << "count" << "Infinite";
    QTest::newRow("count 1") << 79 << 0 << QStringList{"0\n", "1\n"} << "count" << "1";
}

void tst_legacy_captions::captions_change_at_their_limits()
{
    QFETCH(int, operation);
    QFETCH(int, function);
    QFETCH(QStringList, replies);
    QFETCH(QString, where);
    QFETCH(QString, shown);
    modal_answerer answerer; // none expected: a box would be closed and listed
    MainWindow w;
    w.connected = true;
    w.func_code = function;
    w.tmon_on = function == 0;
    // A count other than the row's, so that the row's reply changes it.
    w.list_count_spin->set_value(5);
    w.deal_cfg_thread(operation, replies, {}, 0);
    QCOMPARE(caption(w, where), shown);
    QVERIFY(answerer.boxes().isEmpty());
}

QTEST_MAIN(tst_legacy_captions)
#include "tst_legacy_captions.moc"
