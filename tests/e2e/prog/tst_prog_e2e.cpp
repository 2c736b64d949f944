// The Program page against the simulated load, driven as a user drives it:
// step edits reach the load and come back, a passing and a failing run end
// in the result window, and .prog files go to the disk and back.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "MyDoubleSpinBox.h"
#include "ProgResultWin.h"
#include "SwitchButton.h"
#include "block_check.h"
#include "connected_window.h"
#include "file_dialog_stub.h"
#include "loop_watch.h"
#include "modal_answerer.h"
#include "program_look.h"
#include "uiPara.h"
#include "user_input.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class tst_prog_e2e : public QObject
{
    Q_OBJECT

    connected_window cw;
    QTemporaryDir dir;
    MyMainWindow* w = nullptr;

    QTableWidget* table() { return w->ui->tableWidget_Prog; }
    MyDoubleSpinBox* value(int row, int col) { return qobject_cast<MyDoubleSpinBox*>(table()->cellWidget(row, col)); }
    QComboBox* combo(int row, int col) { return qobject_cast<QComboBox*>(table()->cellWidget(row, col)); }

    // Types `text` into a value box and moves the focus away, as a user does.
    void type_into(QAbstractSpinBox* box, const QString& text)
    {
        type_and_leave(box, text, w->ui->pushButton_Result_Prog);
    }

    // True when the load received a message starting with `prefix` at index `from` or later.
    bool received_starting_with(const QString& prefix, int from)
    {
        const QStringList got = cw.sim().received();
        for (int i = from; i < got.size(); ++i) {
            if (got.at(i).startsWith(prefix))
                return true;
        }
        return false;
    }

    // Input on, trigger, and wait for the results of the run.
    void run_program()
    {
        w->prog_result_win->hide();
        QVERIFY(cw.switch_input(true));
        const int from = cw.received_count();
        QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
        QVERIFY(cw.wait_received(QStringLiteral("*TRG"), from) >= 0);
        QVERIFY(cw.wait_received(QStringLiteral("PROG:TEST:ALL?"), from, 15000) >= 0);
        QTRY_VERIFY_WITH_TIMEOUT(w->prog_result_win->isVisible(), 5000);
        QTRY_VERIFY(!w->load_switch->getSelectedItem());
    }
    QString verdict(int row, int col = 1)
    {
        QTableWidgetItem* item = w->prog_result_win->result_table()->item(row, col);
        return item ? item->text() : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        use_program_font();
        QVERIFY2(cw.start({QStringLiteral("--time-scale"), QStringLiteral("50")}), qPrintable(cw.error()));
        w = cw.window();
        const int from = cw.received_count();
        w->ui->comboBox_Mode->setCurrentIndex(4);
        QVERIFY(cw.wait_received(QStringLiteral("PROG:STAT:ON"), from) >= 0);
        QTRY_COMPARE(w->func_code, 14);
        QCOMPARE(w->mode_page, 4);
        QVERIFY(w->ui->groupBox_Config_Prog->isVisible());
    }

    // Edits of the count and of the cells reach the load, which holds them,
    // and the table shows the load's read-back.
    void edits_reach_the_load()
    {
        int from = cw.received_count();
        type_into(w->ui->spinBox_Step_Prog, QStringLiteral("3"));
        QVERIFY(cw.wait_received(QStringLiteral("PROG:STEP 3"), from) >= 0);
        QTRY_COMPARE(table()->rowCount(), 3);
        QCOMPARE(cw.side_query(QStringLiteral("PROG:STEP?")), QStringLiteral("3\n"));
        QCOMPARE(w->prog_result_win->result_table()->rowCount(), 3);

        // The low current range of step 1: the single read-back "5\n" shows 5A.
        from = cw.received_count();
        combo(0, 2)->setCurrentIndex(0);
        QVERIFY(cw.wait_received(QStringLiteral("PROG:IRANG 1,5"), from) >= 0);
        QTRY_COMPARE(uiPara::instance()->get_prog_irange_by_index(0), QStringLiteral("5\n"));
        QCOMPARE(combo(0, 2)->currentText(), QStringLiteral("5A"));
        QCOMPARE(cw.side_query(QStringLiteral("PROG:IRANG? 1")), QStringLiteral("5\n"));

        // A limit above 99.99, and a time below the old cell minimum of 1 s.
        from = cw.received_count();
        type_into(value(1, 10), QStringLiteral("250.5"));
        QVERIFY(cw.wait_received(QStringLiteral("PROG:MAX 2,250.5"), from) >= 0);
        from = cw.received_count();
        type_into(value(1, 6), QStringLiteral("0.5"));
        QVERIFY(cw.wait_received(QStringLiteral("PROG:TIME:ON 2,0.5"), from) >= 0);
        QTRY_COMPARE(uiPara::instance()->get_prog_ton_by_index(1), QStringLiteral("0.5\n"));
        QCOMPARE(cw.side_query(QStringLiteral("PROG:MAX? 2")), QStringLiteral("250.5\n"));
        QCOMPARE(value(1, 10)->value(), 250.5);
        QCOMPARE(value(1, 6)->value(), 0.5);

        // Pause of step 3: sent as ON, read back as 1.
        from = cw.received_count();
        combo(2, 4)->setCurrentIndex(0);
        QVERIFY(cw.wait_received(QStringLiteral("PROG:PAUSE 3,ON"), from) >= 0);
        QTRY_COMPARE(uiPara::instance()->get_prog_pause_by_index(2), QStringLiteral("1\n"));
        QCOMPARE(combo(2, 4)->currentText(), QStringLiteral("ON"));
        QCOMPARE(cw.side_query(QStringLiteral("PROG:PAUSE? 3")), QStringLiteral("1\n"));

        // Step 3 becomes an LED step: the row follows the load's answer.
        from = cw.received_count();
        combo(2, 1)->setCurrentIndex(4);
        QVERIFY(cw.wait_received(QStringLiteral("PROG:MODE 3,LED"), from) >= 0);
        QTRY_VERIFY(value(2, 13) != nullptr);
        QCOMPARE(cw.side_query(QStringLiteral("PROG:MODE? 3")), QStringLiteral("LED\n"));
        from = cw.received_count();
        type_into(value(2, 14), QStringLiteral("0.75"));
        QVERIFY(cw.wait_received(QStringLiteral("PROG:LED:CURR 3,0.75"), from) >= 0);
        QTRY_COMPARE(uiPara::instance()->get_prog_io_by_index(2), QStringLiteral("0.75\n"));
        save_shot(w, "prog_page");
    }

    // A program whose steps pass, then one with a step over its maximum.
    void runs_are_judged_per_step()
    {
        int from = cw.received_count();
        type_into(w->ui->spinBox_Step_Prog, QStringLiteral("2"));
        QVERIFY(cw.wait_received(QStringLiteral("PROG:STEP 2"), from) >= 0);
        QTRY_COMPARE(table()->rowCount(), 2);

        // CC 1 A from the 5 V source: 4.9 V at the load, on its minimum.
        from = cw.received_count();
        type_into(value(1, 9), QStringLiteral("4.9"));
        QVERIFY(cw.wait_received(QStringLiteral("PROG:MIN 2,4.9"), from) >= 0);
        QTRY_COMPARE(uiPara::instance()->get_prog_min_by_index(1), QStringLiteral("4.9\n"));
        run_program();
        QCOMPARE(verdict(0), QStringLiteral("Pass"));
        QCOMPARE(verdict(1), QStringLiteral("Pass"));
        QCOMPARE(verdict(1, 2), QStringLiteral("4.900(CC)"));
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("Program state:Stop 0"));
        // The run has ended: no step number stays marked as running.
        for (int row = 0; row < table()->rowCount(); ++row)
            QCOMPARE(table()->item(row, 0)->foreground().color(), QColor(Qt::white));

        from = cw.received_count();
        type_into(value(1, 10), QStringLiteral("4"));
        QVERIFY(cw.wait_received(QStringLiteral("PROG:MAX 2,4"), from) >= 0);
        QTRY_COMPARE(uiPara::instance()->get_prog_max_by_index(1), QStringLiteral("4\n"));
        run_program();
        QCOMPARE(verdict(0), QStringLiteral("Pass"));
        QCOMPARE(verdict(1), QStringLiteral("Fail"));
        QCOMPARE(verdict(1, 2), QStringLiteral("Over MAX: 4.900(CC)"));
        QVERIFY(w->prog_result_win->result_table()->item(1, 1)->background()
                != w->prog_result_win->result_table()->item(0, 1)->background());
        save_shot(w->prog_result_win, "prog_result");
    }

    // Export, change, import: the program comes back; wrong files are refused.
    void files_keep_the_program()
    {
        const QString path = dir.filePath(QStringLiteral("saved.prog"));
        file_dialog_stub files;
        int from = cw.received_count();
        {
            modal_answerer nothing_asked; // a box here fails the test instead of holding it
            // A cancelled dialog asks nothing.
            QTest::mouseClick(w->ui->pushButton_Export_Prog, Qt::LeftButton);
            files.answer(path);
            QTest::mouseClick(w->ui->pushButton_Export_Prog, Qt::LeftButton);
            QVERIFY(cw.wait_received(QStringLiteral("PROG:EXPORT?"), from) >= 0);
            QTRY_VERIFY(QFile::exists(path) && QFile(path).size() == 1927);
            QVERIFY(nothing_asked.boxes().isEmpty());
        }
        QCOMPARE(cw.sim().received().mid(from).count(QStringLiteral("PROG:EXPORT?")), 1);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray block = saved.readAll();
        saved.close();
        QVERIFY(block_check::valid(block, 1927));

        // Change the program behind the saved file.
        from = cw.received_count();
        type_into(w->ui->spinBox_Step_Prog, QStringLiteral("4"));
        QVERIFY(cw.wait_received(QStringLiteral("PROG:STEP 4"), from) >= 0);
        QTRY_COMPARE(table()->rowCount(), 4);
        from = cw.received_count();
        type_into(value(1, 10), QStringLiteral("77"));
        QVERIFY(cw.wait_received(QStringLiteral("PROG:MAX 2,77"), from) >= 0);
        QTRY_COMPARE(cw.side_query(QStringLiteral("PROG:MAX? 2")), QStringLiteral("77\n"));

        // Wrong files: refused with the message, nothing sent.
        const QString short_file = dir.filePath(QStringLiteral("short.prog"));
        const QString bad_check = dir.filePath(QStringLiteral("bad.prog"));
        QFile f1(short_file);
        QVERIFY(f1.open(QIODevice::WriteOnly));
        f1.write(block.left(1926));
        f1.close();
        QByteArray broken = block;
        broken[0] = static_cast<char>(~static_cast<unsigned char>(block.at(0)));
        QFile f2(bad_check);
        QVERIFY(f2.open(QIODevice::WriteOnly));
        f2.write(broken);
        f2.close();
        from = cw.received_count();
        for (const QString& bad : {short_file, bad_check}) {
            modal_answerer answerer;
            answerer.press(QMessageBox::Ok);
            files.answer(bad);
            QTest::mouseClick(w->ui->pushButton_Import_Prog, Qt::LeftButton);
            QVERIFY(answerer.wait_answered());
            QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("It's not the correct file !"));
        }
        QVERIFY(cw.wait_for_polls(2));
        QVERIFY(!received_starting_with(QStringLiteral("PROGram:IMPORT"), from));

        // The saved file: imported, then read back after the load's settling
        // time, with the window painting meanwhile.
        modal_answerer answerer;
        answerer.leave_open(QStringLiteral("Please waiting for the program recalling"));
        files.answer(path);
        from = cw.received_count();
        loop_watch watch(100);
        QTest::mouseClick(w->ui->pushButton_Import_Prog, Qt::LeftButton); // returns once the prompt is closed
        watch.stop();
        const qint64 waited = watch.elapsed_ms();
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Please waiting for the program recalling"));
        QVERIFY2(waited >= 4000, qPrintable(QString::number(waited)));
        QVERIFY2(watch.ticks() >= 20, qPrintable(QString::number(watch.ticks())));

        const QList<QByteArray> raw = cw.sim().received_raw().mid(from);
        int import_at = -1;
        for (int i = 0; i < raw.size(); ++i) {
            if (raw.at(i).startsWith("PROGram:IMPORT ")) {
                import_at = i;
                QCOMPARE(raw.at(i), QByteArray("PROGram:IMPORT ") + block);
            }
        }
        QVERIFY(import_at >= 0);
        const QStringList after = cw.sim().received().mid(from + import_at + 1);
        QVERIFY(after.size() >= 3);
        QCOMPARE(after.at(0), QStringLiteral("INP 0"));
        QCOMPARE(after.at(1), QStringLiteral("PROG:STAT:ON"));
        QCOMPARE(after.at(2), QStringLiteral("PROG:PAUSE:ALL?"));

        QCOMPARE(cw.side_query(QStringLiteral("PROG:STEP?")), QStringLiteral("2\n"));
        QCOMPARE(cw.side_query(QStringLiteral("PROG:MAX? 2")), QStringLiteral("4\n"));
        QTRY_COMPARE(table()->rowCount(), 2);
        QCOMPARE(w->ui->spinBox_Step_Prog->value(), 2);
        QCOMPARE(value(1, 10)->value(), 4.0);
        QCOMPARE(combo(0, 2)->currentText(), QStringLiteral("5A"));
        QCOMPARE(value(1, 6)->value(), 0.5);
    }

    // With stop-on-fail on, the load stops at a failed step with its input
    // off: only then is the user told, and no results are asked. A run that
    // passes with the setting on ends in the result window as any other.
    void stop_on_fail_warns_only_for_a_failed_run()
    {
        QVERIFY(cw.side_write({QStringLiteral("STOP:ON:FAIL ON")}));
        QCOMPARE(cw.side_query(QStringLiteral("PROG:MAX? 2")), QStringLiteral("4\n"));
        {
            modal_answerer answerer;
            answerer.press(QMessageBox::Ok);
            QVERIFY(cw.switch_input(true));
            const int from = cw.received_count();
            QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
            QVERIFY(answerer.wait_answered(15000));
            QCOMPARE(answerer.boxes().size(), 1);
            QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("SOF set to on\nTest failed, stop running"));
            QVERIFY(cw.wait_for_polls(3));
            QVERIFY(!received_starting_with(QStringLiteral("PROG:TEST:ALL?"), from));
            QTRY_VERIFY(!w->load_switch->getSelectedItem());
            QVERIFY(answerer.unexpected().isEmpty());
        }

        int from = cw.received_count();
        type_into(value(1, 10), QStringLiteral("10"));
        QVERIFY(cw.wait_received(QStringLiteral("PROG:MAX 2,10"), from) >= 0);
        QTRY_COMPARE(uiPara::instance()->get_prog_max_by_index(1), QStringLiteral("10\n"));
        {
            modal_answerer answerer; // nothing is asked
            run_program();
            QCOMPARE(verdict(0), QStringLiteral("Pass"));
            QCOMPARE(verdict(1), QStringLiteral("Pass"));
            QVERIFY(answerer.boxes().isEmpty());
        }
        QVERIFY(cw.side_write({QStringLiteral("STOP:ON:FAIL OFF")}));
    }
};

QTEST_MAIN(tst_prog_e2e)
#include "tst_prog_e2e.moc"
