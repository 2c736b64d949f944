// The record settings window: how it is filled, what OK hands on, and what
// it refuses.
#include "file_dialog_stub.h"
#include "modal_answerer.h"

#include "MySpinBox.h"
#include "recordSetting.h"
#include "typed_entry_t.h"
#include "user_input.h"
#include "ui_recordsetting.h"

#include <QDir>
#include <QPointer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

namespace {

// Every setter signal in the order it came, as "name:args".
class setter_log : public QObject
{
public:
    explicit setter_log(recordSetting* w)
    {
        connect(w, &recordSetting::sig_stop_record, this, [this] { calls << "stop"; });
        connect(w, &recordSetting::sig_record_path, this, [this](const QString& p) { calls << "path:" + p; });
        connect(w, &recordSetting::sig_record_stop_time, this, [this](bool on, int h, int m, int s) {
            calls << QString("time:%1,%2,%3,%4").arg(on).arg(h).arg(m).arg(s);
        });
        connect(w, &recordSetting::sig_record_stop_count, this,
                [this](bool on, int n) { calls << QString("count:%1,%2").arg(on).arg(n); });
        connect(w, &recordSetting::sig_record_interval, this,
                [this](bool automatic, int s) { calls << QString("interval:%1,%2").arg(automatic).arg(s); });
    }
    QStringList calls;
};

// Every control's state, to see what a step left alone.
QStringList controls(const recordSetting* w)
{
    const Ui_recordSetting* f = w->form();
    QStringList states{f->lineEdit_Path->text(), QString::number(f->groupBox_Stop->isChecked())};
    for (const QRadioButton* r : w->findChildren<QRadioButton*>())
        states << r->objectName() + "=" + QString::number(r->isChecked());
    for (const QSpinBox* b : w->findChildren<QSpinBox*>())
        states << b->objectName() + "=" + b->text();
    return states;
}

} // namespace

class tst_dialog_record : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void filled_from_the_record_settings();
    void ok_hands_on_every_setting();
    void auto_stop_off_keeps_the_values_but_not_the_flags();
    void typed_values_are_taken();
    void typed_path_is_taken();
    void refused_entry_keeps_the_window_open_data();
    void refused_entry_keeps_the_window_open();
    void empty_path_and_zero_interval_refused();
    void running_record_asks_first();
    void browse_sets_the_path();
    void default_path_falls_back_to_home();
    void cancel_applies_nothing();

private:
    recordSetting* open(const QString& path = "/data/run1.csv");
    // Where a user's pointer is when OK is clicked.
    void press_ok(recordSetting* w)
    {
        QPushButton* ok = w->form()->pushButton_OK;
        QCursor::setPos(ok->mapToGlobal(ok->rect().center()));
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    QTemporaryDir m_home;
    QScopedPointer<QWidget> m_host;
};

void tst_dialog_record::initTestCase()
{
    QVERIFY(m_home.isValid());
}

void tst_dialog_record::init()
{
    m_host.reset(new QWidget);
    m_host->resize(600, 400);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.data()));
}

recordSetting* tst_dialog_record::open(const QString& path)
{
    auto* w = new recordSetting(m_host.data());
    w->set_record_para(path, true, true, 1, 2, 3, 500, false, 5);
    show_active(w);
    return w;
}

void tst_dialog_record::filled_from_the_record_settings()
{
    recordSetting w(m_host.data());
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(w.windowTitle(), QString("Record Settings"));
    QCOMPARE(w.size(), QSize(442, 291));
    QCOMPARE(w.windowModality(), Qt::WindowModal);

    Ui_recordSetting* f = w.form();
    w.set_record_para("/data/a.csv", false, false, 4, 5, 6, 77, true, 9);
    QCOMPARE(f->lineEdit_Path->text(), QString("/data/a.csv"));
    QVERIFY(!f->lineEdit_Path->isReadOnly());
    QVERIFY(!f->groupBox_Stop->isChecked());
    QVERIFY(f->radioButton_After_N->isChecked() && !f->radioButton_Elapsed_Time->isChecked());
    QVERIFY(f->radioButton_Auto_Delay->isChecked() && !f->radioButton_Manual_Delay->isChecked());
    QCOMPARE(f->spinBox_H->value(), 4);
    QCOMPARE(f->spinBox_M->value(), 5);
    QCOMPARE(f->spinBox_S->value(), 6);
    QCOMPARE(f->spinBox_After_N->value(), 77);
    QCOMPARE(f->spinBox_Manual_Delay_s->value(), 9);
    QCOMPARE(w.get_time(), 4 * 3600 + 5 * 60 + 6);

    // The other choice of each pair, and the bounds of the boxes.
    w.set_record_para("/data/a.csv", true, true, 30, 70, 70, 200000, false, 200000);
    QVERIFY(f->groupBox_Stop->isChecked());
    QVERIFY(f->radioButton_Elapsed_Time->isChecked() && !f->radioButton_After_N->isChecked());
    QVERIFY(f->radioButton_Manual_Delay->isChecked());
    QCOMPARE(w.get_time(), 24 * 3600 + 59 * 60 + 59);
    QCOMPARE(f->spinBox_After_N->value(), 100000);
    QCOMPARE(f->spinBox_Manual_Delay_s->value(), 100000);
}

void tst_dialog_record::ok_hands_on_every_setting()
{
    QPointer<recordSetting> w = open();
    setter_log log(w);
    press_ok(w);
    QCOMPARE(log.calls, (QStringList{"path:/data/run1.csv", "time:1,1,2,3", "count:0,500", "interval:0,5"}));
    QTRY_VERIFY(!w);

    // After N chosen by the user, with the automatic interval.
    w = open();
    setter_log log2(w);
    QTest::mouseClick(w->form()->radioButton_After_N, Qt::LeftButton, {}, QPoint(5, 8));
    QTest::mouseClick(w->form()->radioButton_Auto_Delay, Qt::LeftButton, {}, QPoint(5, 8));
    press_ok(w);
    QCOMPARE(log2.calls, (QStringList{"path:/data/run1.csv", "time:0,1,2,3", "count:1,500", "interval:1,5"}));
}

void tst_dialog_record::auto_stop_off_keeps_the_values_but_not_the_flags()
{
    recordSetting* w = open();
    setter_log log(w);
    // A refused entry in a box the user then switches off holds up nothing:
    // the value shown applies.
    click_and_type(w->form()->spinBox_H, "25");
    // The group's check box sits left of its title.
    QGroupBox* stop = w->form()->groupBox_Stop;
    stop->setFocus();
    QTest::keyClick(stop, Qt::Key_Space);
    QVERIFY(!stop->isChecked());
    QVERIFY(!w->form()->spinBox_H->isEnabled());
    press_ok(w);
    QCOMPARE(log.calls, (QStringList{"path:/data/run1.csv", "time:0,1,2,3", "count:0,500", "interval:0,5"}));
}

void tst_dialog_record::typed_values_are_taken()
{
    recordSetting* w = open();
    setter_log log(w);
    Ui_recordSetting* f = w->form();
    // An elapsed time of 0:0:0 is kept as it stands.
    for (QSpinBox* box : {static_cast<QSpinBox*>(f->spinBox_H), static_cast<QSpinBox*>(f->spinBox_M),
                          static_cast<QSpinBox*>(f->spinBox_S)}) {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, "0");
    }
    QTest::mouseClick(f->spinBox_Manual_Delay_s, Qt::LeftButton);
    QTest::keyClick(f->spinBox_Manual_Delay_s, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(f->spinBox_Manual_Delay_s, "12");
    press_ok(w);
    QCOMPARE(log.calls, (QStringList{"path:/data/run1.csv", "time:1,0,0,0", "count:0,500", "interval:0,12"}));
}

void tst_dialog_record::refused_entry_keeps_the_window_open_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason"); // empty: taken
    QTest::addColumn<QString>("corrected");
    QTest::addColumn<QString>("applied"); // the setter call that differs from the values shown at opening
    const QString range = "Out of range: 0 to %1";
    QTest::newRow("hours, above") << "spinBox_H" << "25" << range.arg(24) << "24" << "time:1,24,2,3";
    QTest::newRow("hours, below") << "spinBox_H" << "-1" << range.arg(24) << "0" << "time:1,0,2,3";
    QTest::newRow("hours, top") << "spinBox_H" << "24" << "" << "" << "time:1,24,2,3";
    QTest::newRow("minutes, above") << "spinBox_M" << "60" << range.arg(59) << "59" << "time:1,1,59,3";
    QTest::newRow("seconds, comma") << "spinBox_S" << "1,5" << "Whole numbers only" << "7" << "time:1,1,2,7";
    QTest::newRow("count, thousands") << "spinBox_After_N" << "1,000"
        << "A comma before three digits is read as a thousands separator: type the number without it, or with a point"
        << "1000" << "count:0,1000";
    QTest::newRow("count, above") << "spinBox_After_N" << "100001" << range.arg(100000) << "100000"
                                  << "count:0,100000";
    QTest::newRow("count, top") << "spinBox_After_N" << "100000" << "" << "" << "count:0,100000";
    QTest::newRow("interval, letters") << "spinBox_Manual_Delay_s" << "abc" << "Not a number" << "1"
                                       << "interval:0,1";
    // The interval's range starts at 1 s, as the OK's own check did.
    const QString interval_range = "Out of range: 1 to 100000";
    QTest::newRow("interval, zero") << "spinBox_Manual_Delay_s" << "0" << interval_range << "1" << "interval:0,1";
    QTest::newRow("interval, below") << "spinBox_Manual_Delay_s" << "-1" << interval_range << "1"
                                     << "interval:0,1";
    QTest::newRow("interval, decimals") << "spinBox_Manual_Delay_s" << "2.5" << "Whole numbers only" << "3"
                                        << "interval:0,3";
    QTest::newRow("interval, bottom") << "spinBox_Manual_Delay_s" << "1" << "" << "" << "interval:0,1";
    QTest::newRow("interval, thousands") << "spinBox_Manual_Delay_s" << "1,000"
        << "A comma before three digits is read as a thousands separator: type the number without it, or with a point"
        << "1000" << "interval:0,1000";
    QTest::newRow("interval, negative") << "spinBox_Manual_Delay_s" << "-5" << interval_range << "5"
                                        << "interval:0,5";
    QTest::newRow("interval, above") << "spinBox_Manual_Delay_s" << "100001" << interval_range << "100000"
                                     << "interval:0,100000";
    QTest::newRow("interval, top") << "spinBox_Manual_Delay_s" << "100000" << "" << "" << "interval:0,100000";
}

// OK with an entry a box refused applies nothing, asks nothing about the
// running record and shows the reason at the box, where the pointer that
// clicked OK does not hide it. That OK alone is held back: the next one
// applies what the boxes show, unless an entry was refused again meanwhile.
// Corrected, OK goes on as usual.
void tst_dialog_record::refused_entry_keeps_the_window_open()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    QFETCH(QString, corrected);
    QFETCH(QString, applied);
    const QStringList shown{"stop", "path:/data/run1.csv", "time:1,1,2,3", "count:0,500", "interval:0,5"};
    // Typed, then OK: held back with the reason at the box.
    const auto refused_ok = [&](recordSetting* w, MySpinBox* spin, const QStringList& before,
                                const modal_answerer& answerer, const setter_log& log) {
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        click_and_type(spin, typed, false);
        press_ok(w);
        QVERIFY(w->isVisible());
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QString("\"%1\": %2").arg(typed, reason));
        QCOMPARE(spin->toolTip(), QToolTip::text());
        QWidget* tip = typed_entry_t::shown_tip();
        QVERIFY(tip && !tip->geometry().contains(QCursor::pos()));
        QVERIFY(answerer.boxes().isEmpty());
        QVERIFY(log.calls.isEmpty());
        QCOMPARE(controls(w), before);
    };
    // Each dialog has its own answerer: one still alive when the next
    // dialog opens would take that dialog for an unexpected box.
    QPointer<recordSetting> w;
    QStringList calls;
    const auto open_answered = [&](const std::function<void(MySpinBox*, const modal_answerer&, const setter_log&)>& steps) {
        w = open();
        w->set_recording_probe([] { return true; });
        setter_log log(w);
        // The dialog stays the active modal window while the reason shows.
        modal_answerer answerer;
        answerer.leave_alone(w).press(QMessageBox::Yes);
        auto* spin = w->findChild<MySpinBox*>(box);
        QVERIFY(spin);
        steps(spin, answerer, log);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(answerer.wait_answered());
        calls = log.calls;
        QTRY_VERIFY(!w);
    };
    if (!reason.isEmpty()) {
        open_answered([&](MySpinBox* spin, const modal_answerer& answerer, const setter_log& log) {
            const QStringList before = controls(w);
            refused_ok(w, spin, before, answerer, log);
            // Refused again before the next OK: held back again.
            if (!QTest::currentTestFailed())
                refused_ok(w, spin, before, answerer, log);
            // Then OK on what the boxes show.
            if (!QTest::currentTestFailed())
                press_ok(w);
        });
        QCOMPARE(calls, shown);
        open_answered([&](MySpinBox* spin, const modal_answerer& answerer, const setter_log& log) {
            const QStringList before = controls(w);
            refused_ok(w, spin, before, answerer, log);
            if (QTest::currentTestFailed())
                return;
            click_and_type(spin, corrected, false);
            press_ok(w);
        });
    } else {
        open_answered([&](MySpinBox* spin, const modal_answerer&, const setter_log&) {
            click_and_type(spin, typed, false);
            press_ok(w);
        });
    }
    QStringList expected = shown;
    for (QString& call : expected)
        if (call.section(':', 0, 0) == applied.section(':', 0, 0))
            call = applied;
    QCOMPARE(calls, expected);
}

void tst_dialog_record::typed_path_is_taken()
{
    // Typed over the old path as in any line edit; a folder is no file.
    const struct
    {
        QString typed;
        QString taken; // empty: refused
    } cases[] = {
        {" " + m_home.filePath("typed.csv") + " ", m_home.filePath("typed.csv")},
        {m_home.filePath("sub/../again.csv"), m_home.filePath("again.csv")},
        {m_home.path(), QString()},
        {m_home.path() + "/", QString()},
        {"   ", QString()},
    };
    for (const auto& c : cases) {
        QPointer<recordSetting> w = open();
        setter_log log(w);
        QLineEdit* line = w->form()->lineEdit_Path;
        QTest::mouseClick(line, Qt::LeftButton);
        QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(line, c.typed);
        QCOMPARE(line->text(), c.typed);
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        press_ok(w);
        if (c.taken.isEmpty()) {
            QVERIFY(answerer.wait_answered());
            QCOMPARE(answerer.boxes()[0].text, QString("Please select a valid path."));
            QVERIFY(log.calls.isEmpty());
            delete w;
        } else {
            QCOMPARE(log.calls.value(0), "path:" + c.taken);
            QVERIFY(answerer.boxes().isEmpty());
            QTRY_VERIFY(!w);
        }
    }
}

void tst_dialog_record::empty_path_and_zero_interval_refused()
{
    recordSetting* w = open();
    setter_log log(w);
    w->form()->lineEdit_Path->clear();
    modal_answerer answerer;
    answerer.press(QMessageBox::Ok);
    press_ok(w);
    QVERIFY(answerer.wait_answered());
    QCOMPARE(answerer.boxes()[0].title, QString("Warning"));
    QCOMPARE(answerer.boxes()[0].text, QString("Please select a valid path."));
    QCOMPARE(answerer.boxes()[0].icon, int(QMessageBox::Warning));
    QVERIFY(w->isVisible());

    w->form()->lineEdit_Path->setText("/data/run1.csv");
    // Zero is refused by the box's own range, with that range as its reason.
    w->activateWindow(); // back from the warning, as the user's click brings it
    QVERIFY(QTest::qWaitForWindowActive(w));
    QSpinBox* interval = w->form()->spinBox_Manual_Delay_s;
    click_and_type(interval, "0", false);
    answerer.clear();
    press_ok(w);
    QTRY_COMPARE(interval->toolTip(), QString("\"0\": Out of range: 1 to 100000"));
    QVERIFY(answerer.boxes().isEmpty());
    QVERIFY(w->isVisible());
    QVERIFY(log.calls.isEmpty());

    // With the automatic interval the manual value does not matter.
    QTest::mouseClick(w->form()->radioButton_Auto_Delay, Qt::LeftButton, {}, QPoint(5, 8));
    press_ok(w);
    QCOMPARE(log.calls.last(), QString("interval:1,%1").arg(interval->value()));
}

void tst_dialog_record::running_record_asks_first()
{
    bool recording = true;
    // Each step has its own answerer: one still alive when the next dialog
    // opens would take that dialog for an unexpected box and close it.
    {
        QPointer<recordSetting> w = open();
        w->set_recording_probe([&] { return recording; });
        setter_log log(w);
        modal_answerer answerer;
        answerer.press(QMessageBox::No);
        press_ok(w);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes()[0].text, QString("Recording.Do you want to stop record and apply new settings?"));
        QCOMPARE(answerer.boxes()[0].icon, int(QMessageBox::Question));
        QVERIFY(log.calls.isEmpty());
        QTRY_VERIFY(!w);
    }
    {
        QPointer<recordSetting> w = open();
        w->set_recording_probe([&] { return recording; });
        setter_log log(w);
        modal_answerer answerer;
        answerer.press(QMessageBox::Yes);
        press_ok(w);
        QVERIFY(answerer.wait_answered());
        // The record ends before the new rules reach the window.
        QCOMPARE(log.calls,
                 (QStringList{"stop", "path:/data/run1.csv", "time:1,1,2,3", "count:0,500", "interval:0,5"}));
        QTRY_VERIFY(!w);
    }
    // No question while no record runs.
    recording = false;
    {
        QPointer<recordSetting> w = open();
        w->set_recording_probe([&] { return recording; });
        setter_log log(w);
        modal_answerer answerer;
        press_ok(w);
        QCOMPARE(log.calls.size(), 4);
        QVERIFY(answerer.boxes().isEmpty());
    }
}

void tst_dialog_record::browse_sets_the_path()
{
    recordSetting* w = open();
    file_dialog_stub files;
    files.answer("/data/new.csv");
    QTest::mouseClick(w->form()->pushButton_Browser, Qt::LeftButton);
    QCOMPARE(w->form()->lineEdit_Path->text(), QString("/data/new.csv"));
    QCOMPARE(files.calls().size(), 1);
    QVERIFY(files.calls()[0].save);
    QCOMPARE(files.calls()[0].caption, QString("save file"));
    QCOMPARE(files.calls()[0].dir, QDir::currentPath());
    QCOMPARE(files.calls()[0].filter, QString("csv(*.csv)"));
    // Cancelled: the path stays.
    QTest::mouseClick(w->form()->pushButton_Browser, Qt::LeftButton);
    QCOMPARE(w->form()->lineEdit_Path->text(), QString("/data/new.csv"));
    delete w;
}

void tst_dialog_record::default_path_falls_back_to_home()
{
    const QByteArray old_home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(m_home.path()));
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QVERIFY(desktop.startsWith(m_home.path()));

    QDir(desktop).removeRecursively();
    QCOMPARE(recordSetting::default_record_path(), QDir(m_home.path()).filePath("trend.csv"));
    QVERIFY(QDir().mkpath(desktop));
    QCOMPARE(recordSetting::default_record_path(), QDir(desktop).filePath("trend.csv"));

    // A window opened before any record was set up shows where it will go.
    recordSetting* w = open(QString());
    QCOMPARE(w->form()->lineEdit_Path->text(), QDir(desktop).filePath("trend.csv"));
    setter_log log(w);
    press_ok(w);
    QCOMPARE(log.calls.first(), "path:" + QDir(desktop).filePath("trend.csv"));
    qputenv("HOME", old_home);
}

void tst_dialog_record::cancel_applies_nothing()
{
    QPointer<recordSetting> w = open();
    setter_log log(w);
    QTest::mouseClick(w->form()->pushButton_Cancel, Qt::LeftButton);
    QTRY_VERIFY(!w);
    QVERIFY(log.calls.isEmpty());
}

QTEST_MAIN(tst_dialog_record)
#include "tst_dialog_record.moc"
