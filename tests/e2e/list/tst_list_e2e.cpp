// The List page against the simulated load, driven as a user drives it:
// settings and step edits reach the load and come back, a triggered run is
// followed to its end, the preview draws the steps, and .list files go to
// the disk and back.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "ListPreviewWin.h"
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
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

QDoubleSpinBox* cell(MyMainWindow* w, int row, int column)
{
    return qobject_cast<QDoubleSpinBox*>(w->ui->tableWidget_List->cellWidget(row, column));
}

} // namespace

class tst_list_e2e : public QObject
{
    Q_OBJECT

    connected_window cw;
    QTemporaryDir dir;
    MyMainWindow* w = nullptr;

    // Types `text` into a value box and moves the focus away, as a user does.
    void type_into(QAbstractSpinBox* box, const QString& text)
    {
        type_and_leave(box, text, w->ui->pushButton_Preview_List);
    }

private slots:
    void initTestCase()
    {
        use_program_font();
        QVERIFY2(cw.start({QStringLiteral("--time-scale"), QStringLiteral("20")}), qPrintable(cw.error()));
        w = cw.window();
        const int from = cw.received_count();
        w->ui->comboBox_Mode->setCurrentIndex(3);
        QVERIFY(cw.wait_received(QStringLiteral("LIST:STAT:ON"), from) >= 0);
        QTRY_COMPARE(w->func_code, 13);
    }

    // Mode, ranges, count and step count: sent with their read-back, held by the load, shown.
    void settings()
    {
        int from = cw.received_count();
        type_into(w->ui->spinBox_Step_List, QStringLiteral("3"));
        const int at = cw.wait_received(QStringLiteral("LIST:STEP 3"), from);
        QVERIFY(at > 0);
        const QStringList got = cw.sim().received();
        QCOMPARE(got.at(at - 1), QStringLiteral("INP?"));
        QTRY_COMPARE(w->ui->tableWidget_List->rowCount(), 3);
        QCOMPARE(cw.side_query(QStringLiteral("LIST:STEP?")), QStringLiteral("3\n"));

        type_into(w->ui->spinBox_Count_List, QStringLiteral("2"));
        QTRY_COMPARE(uiPara::instance()->get_list_count(), 2);
        QCOMPARE(cw.side_query(QStringLiteral("LIST:COUN?")), QStringLiteral("2\n"));

        QTest::mouseClick(w->ui->radioButton_CV_List, Qt::LeftButton);
        QTRY_COMPARE(uiPara::instance()->get_list_mode(), 1);
        QCOMPARE(w->ui->tableWidget_List->horizontalHeaderItem(1)->text(), QStringLiteral("Set(V)"));
        QVERIFY(w->ui->tableWidget_List->isColumnHidden(3));
        QCOMPARE(cw.side_query(QStringLiteral("LIST:MODE?")), QStringLiteral("VOLTAGE\n"));
        QTest::mouseClick(w->ui->radioButton_150V_List, Qt::LeftButton);
        QTRY_COMPARE(uiPara::instance()->get_list_v_range(), 1);
        QCOMPARE(cw.side_query(QStringLiteral("LIST:VRANG?")), QStringLiteral("150\n"));
        QTest::mouseClick(w->ui->radioButton_CC_List, Qt::LeftButton);
        QTRY_COMPARE(uiPara::instance()->get_list_mode(), 0);
        QVERIFY(!w->ui->tableWidget_List->isColumnHidden(3));
        from = cw.received_count();
        QTest::mouseClick(w->ui->radioButton_30A_List, Qt::LeftButton);
        const int range_at = cw.wait_received(QStringLiteral("LIST:IRANG 30"), from);
        QVERIFY(range_at >= 0);
        // The setting first, then the input state and the read-back.
        QTRY_VERIFY(cw.received_count() > range_at + 2);
        QCOMPARE(cw.sim().received().mid(range_at, 3),
                 (QStringList{"LIST:IRANG 30", "INP?", "LIST:IRANG?"}));
        QTRY_COMPARE(uiPara::instance()->get_list_i_range(), 1);
        QVERIFY(w->ui->radioButton_30A_List->isChecked());
        QCOMPARE(w->ui->doubleSpinBox_C_MAX->maximum(), 30.0);
        QCOMPARE(cell(w, 0, 1)->maximum(), 30.0);
    }

    // Cells send their step number and value; an unchanged cell sends nothing.
    void step_edits()
    {
        int from = cw.received_count();
        type_into(cell(w, 2, 1), QStringLiteral("2.5"));
        const int at = cw.wait_received(QStringLiteral("LIST:LEV 3,2.5"), from);
        QVERIFY(at > 0);
        QCOMPARE(cw.sim().received().at(at - 1), QStringLiteral("INP?"));
        QVERIFY(cw.wait_received(QStringLiteral("LIST:LEV? 3"), at) == at + 1);
        QTRY_COMPARE(uiPara::instance()->get_list_set_by_index(2), QStringLiteral("2.5\n"));

        type_into(cell(w, 0, 1), QStringLiteral("1.25"));
        type_into(cell(w, 1, 1), QStringLiteral("4"));
        type_into(cell(w, 1, 2), QStringLiteral("3"));
        type_into(cell(w, 0, 3), QStringLiteral("0.25"));
        QTRY_COMPARE(uiPara::instance()->get_list_slew_by_index(0), QStringLiteral("0.25\n"));
        QCOMPARE(cw.side_query(QStringLiteral("LIST:LEV? 1")), QStringLiteral("1.25\n"));
        QCOMPARE(cw.side_query(QStringLiteral("LIST:LEV? 2")), QStringLiteral("4\n"));
        QCOMPARE(cw.side_query(QStringLiteral("LIST:WID? 2")), QStringLiteral("3\n"));
        QCOMPARE(cw.side_query(QStringLiteral("LIST:SLEW? 1")), QStringLiteral("0.25\n"));
        QCOMPARE(uiPara::instance()->get_list_set_by_index(1), QStringLiteral("4\n"));

        from = cw.received_count();
        QApplication::setActiveWindow(w);
        cell(w, 0, 2)->setFocus();
        w->ui->pushButton_Preview_List->setFocus();
        QTest::qWait(100);
        for (const QString& m : cw.sim().received().mid(from))
            QVERIFY2(!m.startsWith(QStringLiteral("LIST:")), qPrintable(m));
    }

    // The preview draws the load's levels; a trigger runs the list and the
    // table and the preview follow the running step to the end.
    void run_and_preview()
    {
        // Three steps of 2 s (100 ms at the load's time scale 20), run twice.
        type_into(cell(w, 0, 1), QStringLiteral("1"));
        type_into(cell(w, 0, 2), QStringLiteral("2"));
        type_into(cell(w, 1, 2), QStringLiteral("2"));
        type_into(cell(w, 2, 2), QStringLiteral("2"));
        // The window holds what the load read back.
        QTRY_COMPARE(uiPara::instance()->get_list_width_by_index(2), QStringLiteral("2\n"));
        QCOMPARE(uiPara::instance()->get_list_set_by_index(0), QStringLiteral("1\n"));
        QCOMPARE(cw.side_query(QStringLiteral("LIST:WID? 3")), QStringLiteral("2\n"));

        QTest::mouseClick(w->ui->pushButton_Preview_List, Qt::LeftButton);
        ListPreviewWin* preview = w->list_preview_win;
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(preview->level_y(), (QVector<double>{1, 1, 4, 2.5}));

        struct seen_t { int step; int stop; int load; int green_row; QVector<double> marker; };
        QList<seen_t> seen;
        connect(w, &MyMainWindow::sig_list_trigger_thread, this, [&](int step, int stop, int load) {
            int green = -1;
            for (int r = 0; r < w->ui->tableWidget_List->rowCount(); ++r) {
                if (w->ui->tableWidget_List->item(r, 0)->foreground().color() == QColor(Qt::green))
                    green = r;
            }
            seen << seen_t{step, stop, load, green, preview->running_x()};
        });

        modal_answerer answerer;
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        QTRY_VERIFY(w->load_switch->getSelectedItem());
        answerer.press(QMessageBox::Ok);
        QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
        QVERIFY(answerer.wait_answered(15000));
        QCOMPARE(answerer.boxes().last().text, QStringLiteral("List run complete !"));
        QTRY_VERIFY(!w->load_switch->getSelectedItem());
        disconnect(w, &MyMainWindow::sig_list_trigger_thread, this, nullptr);

        // Every running reply marks its step, in the table and on the preview.
        QSet<int> steps;
        int last_step = 0;
        for (const seen_t& s : seen) {
            if (s.load != 1 || s.step < 1)
                continue;
            steps << s.step;
            QCOMPARE(s.green_row, s.step - 1);
            QCOMPARE(s.marker, (QVector<double>{double(s.step), double(s.step - 1)}));
            last_step = s.step;
        }
        QCOMPARE(steps, (QSet<int>{1, 2, 3}));
        QCOMPARE(last_step, 3);
        QVERIFY(!seen.isEmpty() && seen.last().load == 0);
        QVERIFY(preview->running_x().isEmpty());
        for (int r = 0; r < 3; ++r)
            QCOMPARE(w->ui->tableWidget_List->item(r, 0)->foreground().color(), QColor(w->enabled_colour));
        QCOMPARE(answerer.boxes().size(), 1); // announced once
        QTRY_COMPARE(w->sbar_run_state->text(), QStringLiteral("List state:Stop 0/3"));

        if (!qEnvironmentVariableIsEmpty("WATTLEX_SHOT_DIR")) {
            const QString shots = qEnvironmentVariable("WATTLEX_SHOT_DIR");
            w->grab().save(shots + QStringLiteral("/list_page.png"));
            preview->grab().save(shots + QStringLiteral("/list_preview.png"));
        }
        preview->close();

        // Halted by the load, a run is polled no more: switched off, it shows the stop all the same.
        QVERIFY(cw.side_write({QStringLiteral("LIST:COUN 0")})); // endless, halted while it runs
        QVERIFY(cw.switch_input(true));
        QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
        QTRY_VERIFY(w->sbar_run_state->text().startsWith(QStringLiteral("List state:Running ")));
        QVERIFY(cw.side_write({QStringLiteral("SIM:LIST:HALT")}) && cw.wait_for_polls(1));
        QVERIFY(cw.switch_input(false) && cw.side_write({QStringLiteral("LIST:COUN 2")}));
        QTRY_COMPARE(w->sbar_run_state->text(), QStringLiteral("List state:Stop 0/3"));
        QCOMPARE(answerer.boxes().size(), 1); // a halted list is not announced complete
    }

    // A change while the input is on is refused by the load: the page shows
    // the read-back and asks to turn the input off.
    void refused_while_input_on()
    {
        modal_answerer answerer;
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        QTRY_VERIFY(w->load_switch->getSelectedItem());
        answerer.press(QMessageBox::Ok);
        QTest::mouseClick(w->ui->radioButton_CP_List, Qt::LeftButton);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().last().text, QStringLiteral("Please turn off the load !"));
        QTRY_VERIFY(w->ui->radioButton_CC_List->isChecked());
        QCOMPARE(cw.side_query(QStringLiteral("LIST:MODE?")), QStringLiteral("CURRENT\n"));
        answerer.press(QMessageBox::Ok);
        type_into(cell(w, 1, 1), QStringLiteral("3"));
        QVERIFY(answerer.wait_answered());
        QTRY_COMPARE(cell(w, 1, 1)->value(), 4.0);
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        QTRY_VERIFY(!w->load_switch->getSelectedItem());
        QVERIFY(answerer.unexpected().isEmpty());
    }

    // Export, change, import: the list comes back; bad files are refused.
    void files()
    {
        file_dialog_stub files;
        modal_answerer answerer;

        // A cancelled dialog sends nothing.
        int from = cw.received_count();
        QTest::mouseClick(w->ui->pushButton_Export_List, Qt::LeftButton);
        QTest::qWait(100);
        QVERIFY(!cw.sim().received().mid(from).contains(QStringLiteral("LIST:EXPORT?")));

        const QString path = dir.filePath(QStringLiteral("saved.list"));
        files.answer(path);
        QTest::mouseClick(w->ui->pushButton_Export_List, Qt::LeftButton);
        QTRY_VERIFY(QFile(path).size() == 1232);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray block = saved.readAll();
        saved.close();
        QVERIFY(block_check::valid(block, 1232));

        // Change the list behind the file's back.
        type_into(cell(w, 0, 1), QStringLiteral("3.5"));
        type_into(w->ui->spinBox_Step_List, QStringLiteral("5"));
        QTRY_COMPARE(cw.side_query(QStringLiteral("LIST:STEP?")), QStringLiteral("5\n"));
        QTRY_COMPARE(w->ui->tableWidget_List->rowCount(), 5);

        // Import: the window keeps painting through the load's pause.
        from = cw.received_count();
        files.answer(path);
        answerer.leave_open(QStringLiteral("Please waiting for the list recalling")); // closed by the read-back
        loop_watch watch(100);
        QTest::mouseClick(w->ui->pushButton_Inport_List, Qt::LeftButton); // returns when the prompt closes
        watch.stop();
        QVERIFY(watch.elapsed_ms() >= 2500);
        QVERIFY2(watch.ticks() >= 20, qPrintable(QString::number(watch.ticks())));
        QVERIFY(!w->wait_prompt);
        const QList<QByteArray> raw = cw.sim().received_raw().mid(from);
        const int imported = raw.indexOf(QByteArray("LIST:IMPORT ") + block);
        QVERIFY(imported >= 0);
        QCOMPARE(raw.at(imported).size(), 1244);
        const QStringList after = cw.sim().received().mid(from + imported + 1);
        QVERIFY(after.contains(QStringLiteral("LIST:LEV:ALL?")));
        QCOMPARE(after.first(), QStringLiteral("LIST:STAT:ON"));

        QCOMPARE(cw.side_query(QStringLiteral("LIST:STEP?")), QStringLiteral("3\n"));
        QCOMPARE(cw.side_query(QStringLiteral("LIST:LEV? 1")), QStringLiteral("1\n"));
        QCOMPARE(w->ui->tableWidget_List->rowCount(), 3);
        QCOMPARE(w->ui->spinBox_Step_List->value(), 3);
        QCOMPARE(cell(w, 0, 1)->value(), 1.0);
        QCOMPARE(cell(w, 1, 1)->value(), 4.0);
        QCOMPARE(cell(w, 2, 1)->value(), 2.5);
        QCOMPARE(cell(w, 1, 2)->value(), 2.0);

        // Wrong size or wrong check byte: refused, nothing sent.
        QByteArray wrong_check = block;
        wrong_check[100] = static_cast<char>(wrong_check.at(100) ^ 0x40);
        for (const QByteArray& content : {block + QByteArray(1, '\0'), block.left(1231), wrong_check}) {
            const QString bad = dir.filePath(QStringLiteral("bad.list"));
            QFile f(bad);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(content);
            f.close();
            from = cw.received_count();
            files.answer(bad);
            answerer.press(QMessageBox::Ok);
            QTest::mouseClick(w->ui->pushButton_Inport_List, Qt::LeftButton);
            QVERIFY(answerer.wait_answered());
            QCOMPARE(answerer.boxes().last().text, QStringLiteral("It's not the correct file !"));
            QVERIFY(cw.wait_for_polls(2));
            for (const QByteArray& m : cw.sim().received_raw().mid(from))
                QVERIFY(!m.startsWith("LIST:IMPORT"));
        }
        QVERIFY(answerer.unexpected().isEmpty());
    }

    // A load that ends its export with a line feed still gives the list:
    // the same file as without it; the check byte is tested on the kept block.
    void export_with_terminator()
    {
        file_dialog_stub files;
        modal_answerer answerer;
        auto export_to = [&](const QString& name) -> QByteArray {
            const QString path = dir.filePath(name);
            files.answer(path);
            QTest::mouseClick(w->ui->pushButton_Export_List, Qt::LeftButton);
            if (!QTest::qWaitFor([&] { return !w->list_export_waiting; }, 5000))
                return QByteArray("no block came");
            QFile saved(path);
            return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
        };
        QVERIFY(cw.side_write({QStringLiteral("SIM:EXP:TERM 1")}));
        const QByteArray terminated = export_to(QStringLiteral("terminated.list"));
        QVERIFY(cw.side_write({QStringLiteral("SIM:EXP:TERM 0")}));
        const QByteArray plain = export_to(QStringLiteral("plain.list"));
        QCOMPARE(plain.size(), 1232);
        QCOMPARE(terminated, plain);
        QVERIFY(answerer.boxes().isEmpty());
    }
};

QTEST_MAIN(tst_list_e2e)
#include "tst_list_e2e.moc"
