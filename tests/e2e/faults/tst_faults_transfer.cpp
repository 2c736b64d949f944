// File transfers under faults: the load stops answering at a list or
// program export or import, drops the connection at a list import or while
// a settings file is sent, or hangs while the settings are saved. No file is
// written from a block that did not come, every wait prompt closes, the
// window shows the disconnected state in time and connects again.
#include "fault_rig.h"

#include "mymainwindow.h"
#include "ui_mymainwindow.h"

#include "Send_data_thread.h"
#include "cfg_thread_t.h"
#include "file_dialog_stub.h"
#include "modal_answerer.h"
#include "uiPara.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int list_block_size = 1232;
const int prog_block_size = 1927;
// The program read-back follows an import after this pause.
const int prog_import_settle_ms = 4000;

QStringList silent_at(const QString& message)
{
    return QStringList{"--fault-at", message, "--stop-after", "0"} + fault_rig::quick_timeouts();
}

// The connection closes at `message`; the load answers again after it.
QStringList dropped_at(const QString& message)
{
    return {"--fault-at", message, "--drop-after", "0", "--fault-for", "1"};
}

qint64 file_size(const QString& path)
{
    QFile f(path);
    return f.exists() ? f.size() : -1;
}

} // namespace

class tst_faults_transfer : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    // A file export through the page's button, answered by the load.
    void export_block(QPushButton* button, const QString& path, int size)
    {
        file_dialog_stub files;
        files.answer(path);
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_COMPARE(file_size(path), qint64(size));
    }

    // A record that runs through the transfer, with a few sets in it.
    bool start_record(fault_rig& rig, const QString& path)
    {
        return rig.start_record(path) && QTest::qWaitFor([&] { return rig.sets_since_record() >= 2; }, 5000);
    }

    // The record ended with the connection (its box is the answerer's
    // last) and keeps every set the window was handed.
    void record_kept(fault_rig& rig, const QString& path, const modal_answerer& answerer)
    {
        QTRY_VERIFY(!rig.w()->recording);
        QVERIFY(!answerer.boxes().isEmpty());
        QVERIFY2(answerer.boxes().last().text.contains("connection"), qPrintable(answerer.boxes().last().text));
        bool ok = false;
        const QStringList rows = fault_rig::rows_of(path, &ok);
        QVERIFY(ok);
        QVERIFY(rows.size() >= 2);
        QCOMPARE(rows.size(), rig.sets_since_record());
        QCOMPARE(rows, QVector<QString>(rows.size(), rows.first()).toList());
    }

    // A file dialog answered with `path`, then `button` pressed; the load
    // is silent from the message it sends. Returns with the window
    // disconnected, `box` and the record's end shown once each.
    void silent_export(fault_rig& rig, QPushButton* button, const QString& path, const QString& box)
    {
        const QString record = dir.filePath(QFileInfo(path).fileName() + ".csv");
        QVERIFY2(start_record(rig, record), qPrintable(rig.error()));
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok).press(QMessageBox::Ok);
        rig.watch_log("IGN");
        {
            file_dialog_stub files;
            files.answer(path);
            QTest::mouseClick(button, Qt::LeftButton);
            // One read of the block, then the poll's four reads.
            QVERIFY2(rig.wait_down(fault_rig::quick_read_ms + fault_rig::silent_bound_ms()), qPrintable(rig.error()));
        }
        QVERIFY(answerer.wait_answered(3000));
        QCOMPARE(answerer.boxes().size(), 2);
        QCOMPARE(answerer.boxes()[0].text, box);
        record_kept(rig, record, answerer);
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        QCOMPARE(file_size(path), qint64(-1));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("WATTLEX_SIM"), "WATTLEX_SIM must name the simulated load");
        QVERIFY(dir.isValid());
    }

    void silent_at_a_list_export()
    {
        fault_rig rig;
        QVERIFY2(rig.start(silent_at("LIST:EXPORT?"), [&] { QVERIFY(rig.cw().side_write({"LIST:STAT:ON"})); }),
                 qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        QTRY_COMPARE(w->func_code, 13);
        silent_export(rig, w->ui->pushButton_Export_List, dir.filePath("silent.list"),
                      "The load sent no valid list; no file was written.");
        QVERIFY(!w->list_export_waiting);
        QVERIFY(w->list_export_path.isEmpty());
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }

    void dropped_at_a_list_import()
    {
        fault_rig rig;
        QVERIFY2(rig.start(dropped_at("LIST:IMPORT"), [&] { QVERIFY(rig.cw().side_write({"LIST:STAT:ON"})); }),
                 qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        QTRY_COMPARE(w->func_code, 13);
        const QString path = dir.filePath("dropped.list");
        export_block(w->ui->pushButton_Export_List, path, list_block_size);
        const QString record = dir.filePath("list_import.csv");
        QVERIFY2(start_record(rig, record), qPrintable(rig.error()));

        modal_answerer answerer;
        answerer.leave_open("Please waiting for the list recalling"); // the window closes it
        answerer.press(QMessageBox::Ok);
        rig.watch_log("DROP");
        {
            file_dialog_stub files;
            files.answer(path);
            // Returns once the prompt is closed.
            QTest::mouseClick(w->ui->pushButton_Inport_List, Qt::LeftButton);
        }
        QVERIFY2(rig.wait_down(fault_rig::status_period_ms + fault_rig::slack_ms), qPrintable(rig.error()));
        QVERIFY(answerer.wait_answered(3000));
        QCOMPARE(answerer.boxes().size(), 2);
        QCOMPARE(answerer.boxes()[0].text, QStringLiteral("Please waiting for the list recalling"));
        record_kept(rig, record, answerer);
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        QVERIFY(!w->list_recall_waiting);
        QCOMPARE(file_size(path), qint64(list_block_size)); // the file is left as it was
        QVERIFY2(rig.reconnect(false), qPrintable(rig.error()));
    }

    void silent_at_a_program_export()
    {
        fault_rig rig;
        QVERIFY2(rig.start(silent_at("PROG:EXPORT?"), [&] { QVERIFY(rig.cw().side_write({"PROG:STAT:ON"})); }),
                 qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        QTRY_COMPARE(w->mode_page, 4);
        silent_export(rig, w->ui->pushButton_Export_Prog, dir.filePath("silent.prog"),
                      "The load's program could not be read correctly; no file was written.");
        QVERIFY(w->prog_export_path.isEmpty());
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }

    void silent_at_a_program_import()
    {
        fault_rig rig;
        QVERIFY2(rig.start(silent_at("PROGram:IMPORT"), [&] { QVERIFY(rig.cw().side_write({"PROG:STAT:ON"})); }),
                 qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        QTRY_COMPARE(w->mode_page, 4);
        const QString path = dir.filePath("silent_import.prog");
        export_block(w->ui->pushButton_Export_Prog, path, prog_block_size);
        const QString record = dir.filePath("prog_import.csv");
        QVERIFY2(start_record(rig, record), qPrintable(rig.error()));

        modal_answerer answerer;
        answerer.leave_open("Please waiting for the program recalling"); // the window closes it
        answerer.press(QMessageBox::Ok);
        rig.watch_log("IGN");
        {
            file_dialog_stub files;
            files.answer(path);
            QTest::mouseClick(w->ui->pushButton_Import_Prog, Qt::LeftButton);
        }
        // The import's answer is waited for once, then the pause before the
        // read-back, whose first query is asked four times.
        QVERIFY2(rig.wait_down(fault_rig::quick_read_ms + prog_import_settle_ms + fault_rig::silent_bound_ms()),
                 qPrintable(rig.error()));
        QVERIFY(answerer.wait_answered(3000));
        QCOMPARE(answerer.boxes().size(), 2);
        QCOMPARE(answerer.boxes()[0].text, QStringLiteral("Please waiting for the program recalling"));
        record_kept(rig, record, answerer);
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }

    void dropped_while_settings_are_sent()
    {
        fault_rig rig;
        // The connection closes at the list count, half-way through the settings.
        QVERIFY2(rig.start(dropped_at("LIST:COUN ")), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        const QString path = dir.filePath("setup.wlx");
        {
            file_dialog_stub files;
            files.answer(path);
            w->ui->actionSave->trigger(); // returns when the saving prompt closed
        }
        QCOMPARE(QString::fromUtf8([&] {
                     QFile f(path);
                     return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
                 }()).count(',') + 1,
                 uiPara::settings_field_count);
        QVERIFY(rig.cw().wait_for_polls(2));
        const QString record = dir.filePath("settings_dropped.csv");
        QVERIFY2(start_record(rig, record), qPrintable(rig.error()));

        modal_answerer answerer;
        answerer.leave_open(); // "Please waiting for the file setting"
        answerer.press(QMessageBox::Ok).press(QMessageBox::Ok);
        rig.watch_log("DROP");
        {
            file_dialog_stub files;
            files.answer(path);
            w->ui->actionLoad->trigger();
        }
        QVERIFY2(rig.wait_down(fault_rig::status_period_ms + fault_rig::slack_ms), qPrintable(rig.error()));
        QVERIFY(answerer.wait_answered(3000));
        QCOMPARE(answerer.boxes().size(), 3);
        QCOMPARE(answerer.boxes()[0].text, QStringLiteral("Please waiting for the file setting"));
        QCOMPARE(answerer.boxes()[1].text, QStringLiteral("The load stopped answering while the settings were sent."));
        record_kept(rig, record, answerer);
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        QVERIFY2(rig.reconnect(false), qPrintable(rig.error()));
    }

    // The load takes every setting but answers nothing after them: the
    // read-back that follows gives it up.
    void silent_while_settings_are_sent()
    {
        fault_rig rig;
        QVERIFY2(rig.start(silent_at("LIST:COUN ")), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        const QString path = dir.filePath("silent.wlx");
        {
            file_dialog_stub files;
            files.answer(path);
            w->ui->actionSave->trigger(); // returns when the saving prompt closed
        }
        QVERIFY(rig.cw().wait_for_polls(2));
        const QString record = dir.filePath("settings_silent.csv");
        QVERIFY2(start_record(rig, record), qPrintable(rig.error()));

        modal_answerer answerer;
        answerer.leave_open(); // "Please waiting for the file setting"
        answerer.press(QMessageBox::Ok);
        rig.watch_log("IGN");
        {
            file_dialog_stub files;
            files.answer(path);
            w->ui->actionLoad->trigger();
        }
        QVERIFY2(rig.wait_down(fault_rig::silent_bound_ms() + 1000), qPrintable(rig.error()));
        QVERIFY(answerer.wait_answered(3000));
        QCOMPARE(answerer.boxes().size(), 2);
        QCOMPARE(answerer.boxes()[0].text, QStringLiteral("Please waiting for the file setting"));
        record_kept(rig, record, answerer);
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        QVERIFY(!w->send_data_thread->isRunning());
        QVERIFY2(rig.reconnect(true), qPrintable(rig.error()));
    }

    // Saving stops the traffic first; a load that hangs in the middle of an
    // exchange must not freeze the window meanwhile.
    void saving_while_the_load_hangs()
    {
        fault_rig rig;
        QVERIFY2(rig.start(), qPrintable(rig.error()));
        MyMainWindow* w = rig.w();
        const QString path = dir.filePath("hung.wlx");
        QVERIFY(rig.cw().wait_for_polls(2));
        modal_answerer answerer;
        answerer.leave_open("Please waiting for the file saving");
        answerer.press(QMessageBox::Ok); // the load was lost
        QVERIFY(w->cfg_thread->isRunning());
        QVERIFY2(rig.freeze(), qPrintable(rig.error()));
        rig.reset_stall();
        {
            file_dialog_stub files;
            files.answer(path);
            w->ui->actionSave->trigger();
        }
        const int bound = 2 * (fault_rig::link_timeout_ms + 250) + 1250 + fault_rig::status_period_ms
                          + fault_rig::slack_ms;
        QVERIFY2(rig.wait_down(bound), qPrintable(rig.error()));
        QVERIFY(answerer.wait_answered(3000));
        QCOMPARE(answerer.boxes().size(), 2);
        QCOMPARE(answerer.boxes()[1].text, QStringLiteral("The connection to the load was lost."));
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(rig.quiet(), qPrintable(rig.error()));
        // The settings come from the window's own store: the file is whole.
        QVERIFY(file_size(path) > 0);
        qInfo() << "the window stood still for" << rig.longest_stall() << "ms; down after" << rig.fault_to_down();
        QVERIFY2(rig.longest_stall() < fault_rig::freeze_ms, qPrintable(QString::number(rig.longest_stall())));
        QVERIFY2(rig.reconnect(false), qPrintable(rig.error()));
    }
};

QTEST_MAIN(tst_faults_transfer)
#include "tst_faults_transfer.moc"
