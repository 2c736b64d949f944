// The program panel without a load: the table's rows and cells, what an
// edit posts, how replies reach the store and the table, the result
// window's verdicts and the checks of ".prog" files.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "MyDoubleSpinBox.h"
#include "MySpinBox.h"
#include "ProgResultWin.h"
#include "SwitchButton.h"
#include "app_paths.h"
#include "block_check.h"
#include "cfg_thread_t.h"
#include "disk_faults.h"
#include "uiPara.h"
#include "uiharness/file_dialog_stub.h"
#include "uiharness/loop_watch.h"
#include "uiharness/modal_answerer.h"
#include "uiharness/recording_thread.h"
#include "window_steps.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

namespace {

// A block as the load exports it: a tag, some bytes and the check byte.
QByteArray valid_block(int size = 1927)
{
    QByteArray b(size, '\0');
    b.replace(1, 4, "PRG1");
    b[5] = 3;
    b[0] = static_cast<char>(block_check::check_byte(b));
    return b;
}

QStringList column(const char* text, int n = 50)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QString::fromLatin1(text);
    return out;
}

} // namespace

class tst_prog_panel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MyMainWindow> w;
    recording_thread* recorder = nullptr;
    QTableWidget* table = nullptr;

    void use_recorder() { recorder = attach_recorder(w.get()); }
    // The posts so far (the poll left out), once there are `count` of them.
    QList<cfg_request_t> posts(int count) { return recorder->wait_posts(count); }
    template <class T> T* cell(int row, int col) { return qobject_cast<T*>(table->cellWidget(row, col)); }

    void reset_store_program()
    {
        uiPara* p = uiPara::instance();
        p->set_prog_mode(column("CURRENT"));
        p->set_prog_irange(column("30"));
        p->set_prog_vrange(column("150"));
        p->set_prog_pause(column("OFF"));
        p->set_prog_short(column("OFF"));
        p->set_prog_ton(column("1"));
        p->set_prog_toff(column("1"));
        p->set_prog_tdly(column("1"));
        p->set_prog_min(column("1"));
        p->set_prog_max(column("10"));
        p->set_prog_set(column("1"));
        p->set_prog_vo(column("1"));
        p->set_prog_io(column("1"));
        p->set_prog_rco(column("0.2"));
        p->set_program_step(5);
    }
    // Importing `path` shows the warning `text` and sends nothing.
    void import_is_refused(const QString& path, const QString& text)
    {
        file_dialog_stub files;
        modal_answerer answerer;
        files.answer(path);
        answerer.press(QMessageBox::Ok);
        w->on_pushButton_Import_Prog_clicked();
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().last().text, text);
        QTest::qWait(50);
        QVERIFY(recorder->posts().isEmpty());
        QVERIFY(!w->prog_file.isOpen());
    }
    void show_prog_page()
    {
        w->mode_page = 4;
        w->init_Prog();
        w->fill_prog_rows(uiPara::instance()->get_program_step());
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("wattlex_prog_panel_test"));
        QString error;
        QVERIFY2(app_paths::init(&error), qPrintable(error));
    }

    void init()
    {
        MyMainWindow::set_ui_language(QStringLiteral("english"));
        reset_store_program();
        w.reset(new MyMainWindow);
        table = w->get_prog_table();
        recorder = nullptr;
    }

    void cleanup()
    {
        if (recorder)
            recorder->stop_and_wait();
        w.reset();
    }

    void rows_follow_the_mode_of_their_step()
    {
        uiPara* p = uiPara::instance();
        p->set_prog_mode_by_index(QStringLiteral("RESISTANCE"), 1);
        p->set_prog_mode_by_index(QStringLiteral("LED\n"), 2);
        p->set_prog_mode_by_index(QStringLiteral("POWER"), 3);
        p->set_prog_set_by_index(QStringLiteral("250"), 3);
        p->set_prog_rco_by_index(QStringLiteral("0.3456"), 2);
        show_prog_page();
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(w->prog_row_count, 5);

        // CC: a level up to the high range; placeholders beyond.
        QCOMPARE(cell<QComboBox>(0, 1)->currentText(), QStringLiteral("CC"));
        QCOMPARE(cell<MyDoubleSpinBox>(0, 11)->maximum(), 30.0);
        for (int col = 12; col <= 15; ++col) {
            auto* b = cell<QPushButton>(0, col);
            QVERIFY(b && b->text() == QLatin1String("***") && !b->isEnabled());
        }
        // CR: the resistance range button, levels of kilo-ohms.
        QCOMPARE(cell<QComboBox>(1, 1)->currentIndex(), 2);
        QCOMPARE(cell<QPushButton>(1, 12)->text(), QStringLiteral("≤10kΩ"));
        QVERIFY(cell<QPushButton>(1, 12)->isEnabled());
        QCOMPARE(cell<MyDoubleSpinBox>(1, 11)->maximum(), 10000.0);
        // LED: no Set, Vo/Io/Rco boxes, Rco with 4 decimals.
        QCOMPARE(cell<QComboBox>(2, 1)->currentText(), QStringLiteral("LED"));
        QVERIFY(cell<QPushButton>(2, 11));
        QVERIFY(cell<MyDoubleSpinBox>(2, 13) && cell<MyDoubleSpinBox>(2, 14));
        QCOMPARE(cell<MyDoubleSpinBox>(2, 15)->decimals(), 4);
        QCOMPARE(cell<MyDoubleSpinBox>(2, 15)->value(), 0.3456);
        // CP above 99.99 shows as stored.
        QCOMPARE(cell<MyDoubleSpinBox>(3, 11)->value(), 250.0);
        // The step column.
        QCOMPARE(table->item(4, 0)->text(), QStringLiteral("5"));
        QCOMPARE(table->item(4, 0)->flags(), Qt::NoItemFlags);
    }

    void entries_are_compared_trimmed()
    {
        uiPara* p = uiPara::instance();
        p->set_prog_irange_by_index(QStringLiteral("5\n"), 0);
        p->set_prog_vrange_by_index(QStringLiteral("36\n"), 0);
        p->set_prog_pause_by_index(QStringLiteral("1\n"), 0);
        p->set_prog_short_by_index(QStringLiteral("ON"), 0);
        p->set_prog_pause_by_index(QStringLiteral("0\n"), 1);
        show_prog_page();
        QCOMPARE(cell<QComboBox>(0, 2)->currentText(), QStringLiteral("5A"));
        QCOMPARE(cell<QComboBox>(0, 3)->currentText(), QStringLiteral("36V"));
        QCOMPARE(cell<QComboBox>(0, 4)->currentText(), QStringLiteral("ON"));
        QCOMPARE(cell<QComboBox>(0, 5)->currentText(), QStringLiteral("ON"));
        QCOMPARE(cell<QComboBox>(1, 4)->currentText(), QStringLiteral("OFF"));

        // Single-step read-backs, as the load answers them.
        p->set_prog_irange_by_index(QStringLiteral("30\n"), 0);
        QCOMPARE(cell<QComboBox>(0, 2)->currentText(), QStringLiteral("30A"));
        p->set_prog_irange_by_index(QStringLiteral("5\n"), 0);
        QCOMPARE(cell<QComboBox>(0, 2)->currentText(), QStringLiteral("5A"));
        p->set_prog_pause_by_index(QStringLiteral("0\n"), 0);
        QCOMPARE(cell<QComboBox>(0, 4)->currentText(), QStringLiteral("OFF"));
        // An unknown text leaves the cell.
        p->set_prog_irange_by_index(QStringLiteral("7\n"), 0);
        QCOMPARE(cell<QComboBox>(0, 2)->currentText(), QStringLiteral("5A"));
        // A reply for a row the table no longer has is dropped.
        p->set_prog_irange_by_index(QStringLiteral("5\n"), 30);
        p->set_prog_mode_by_index(QStringLiteral("LED\n"), 30);

        // Another page: the table is left; the next entry shows the store.
        w->mode_page = 3;
        p->set_prog_irange_by_index(QStringLiteral("30\n"), 0);
        p->set_prog_ton_by_index(QStringLiteral("7\n"), 0);
        QCOMPARE(cell<QComboBox>(0, 2)->currentText(), QStringLiteral("5A"));
        QCOMPARE(cell<MyDoubleSpinBox>(0, 6)->value(), 1.0);
        show_prog_page();
        QCOMPARE(cell<QComboBox>(0, 2)->currentText(), QStringLiteral("30A"));
        QCOMPARE(cell<MyDoubleSpinBox>(0, 6)->value(), 7.0);
    }

    void value_cells_hold_what_the_load_keeps()
    {
        uiPara* p = uiPara::instance();
        p->set_prog_ton_by_index(QStringLiteral("0.5"), 0);
        p->set_prog_tdly_by_index(QStringLiteral("20"), 0);
        p->set_prog_min_by_index(QStringLiteral("150"), 0);
        p->set_prog_max_by_index(QStringLiteral("250000"), 0);
        show_prog_page();
        QCOMPARE(cell<MyDoubleSpinBox>(0, 6)->value(), 0.5);
        QCOMPARE(cell<MyDoubleSpinBox>(0, 8)->value(), 20.0);
        QCOMPARE(cell<MyDoubleSpinBox>(0, 9)->value(), 150.0);
        QCOMPARE(cell<MyDoubleSpinBox>(0, 10)->value(), 250000.0);

        // The Set of an LED step and the Vo of a CC step are not theirs to show.
        p->set_prog_mode_by_index(QStringLiteral("LED\n"), 1);
        p->set_prog_set_by_index(QStringLiteral("9\n"), 1);
        QVERIFY(cell<QPushButton>(1, 11));
        p->set_prog_vo_by_index(QStringLiteral("9\n"), 0);
        QVERIFY(cell<QPushButton>(0, 13));
        QCOMPARE(cell<MyDoubleSpinBox>(0, 11)->value(), 1.0);
        // Back to CV: Set again, with the stored level.
        p->set_prog_mode_by_index(QStringLiteral("VOLTAGE\n"), 1);
        QCOMPARE(cell<MyDoubleSpinBox>(1, 11)->value(), 9.0);
        QCOMPARE(cell<MyDoubleSpinBox>(1, 11)->maximum(), 150.0);
        QVERIFY(cell<QPushButton>(1, 13) && cell<QPushButton>(1, 15));
    }

    void rows_grow_and_shrink_with_the_count()
    {
        show_prog_page();
        w->fill_prog_rows(1);
        QCOMPARE(table->rowCount(), 1);
        uiPara::instance()->set_prog_mode_by_index(QStringLiteral("LED"), 49);
        w->fill_prog_rows(50);
        QCOMPARE(table->rowCount(), 50);
        QCOMPARE(table->item(49, 0)->text(), QStringLiteral("50"));
        QCOMPARE(cell<QComboBox>(49, 1)->currentText(), QStringLiteral("LED"));
        QVERIFY(cell<MyDoubleSpinBox>(49, 13));
        table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        w->fill_prog_rows(3);
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->horizontalScrollBar()->value(), 0);
        // Never more rows than the load has steps.
        w->fill_prog_rows(80);
        QCOMPARE(table->rowCount(), 50);
        QCOMPARE(w->prog_row_count, 50);
        // The store's count drives the spin box and the rows.
        uiPara::instance()->set_program_step(7);
        QCOMPARE(table->rowCount(), 7);
        QCOMPARE(w->ui->spinBox_Step_Prog->value(), 7);
    }

    void an_edit_posts_once_and_its_reply_finds_its_step()
    {
        show_prog_page();
        use_recorder();
        // Refreshes must not wire a cell twice.
        w->set_prog_row_enable(2, true);
        w->fill_prog_rows(5);
        cell<QComboBox>(2, 2)->setCurrentIndex(1 - cell<QComboBox>(2, 2)->currentIndex());
        cell<QComboBox>(2, 2)->setCurrentIndex(1);
        posts(2);
        QTest::qWait(50);
        const QList<cfg_request_t> got = recorder->posts();
        QCOMPARE(got.size(), 2);
        const cfg_request_t req = got.last();
        QCOMPARE(req.button_model, 49);
        QCOMPARE(req.write, (QList<QString>{QStringLiteral("PROG:IRANG 3,30"), QString()}));
        QCOMPARE(req.query, (QList<QString>{QString(), QStringLiteral("PROG:IRANG? 3")}));
        QCOMPARE(req.widgets.size(), 1);
        QCOMPARE(w->prog_step_of(req.widgets), 2);

        // The table shrinks before the reply: the step still gets it.
        w->fill_prog_rows(1);
        w->deal_prog_operating_button(49, {QStringLiteral("30\n")}, req.widgets);
        QCOMPARE(uiPara::instance()->get_prog_irange_by_index(2), QStringLiteral("30\n"));
        // A reply without its step, or without a value, changes nothing.
        w->deal_prog_operating_button(49, {QStringLiteral("5\n")}, {w->ui->spinBox_Step_Prog});
        w->deal_prog_operating_button(53, {}, req.widgets);
        QCOMPARE(uiPara::instance()->get_prog_irange_by_index(2), QStringLiteral("30\n"));
        QCOMPARE(uiPara::instance()->get_prog_ton_by_index(2), QStringLiteral("1"));
        // A level is the step's Set and Vo at once.
        w->deal_prog_operating_button(60, {QStringLiteral("2.5\n")}, w->prog_step_widgets(4));
        QCOMPARE(uiPara::instance()->get_prog_set_by_index(4), QStringLiteral("2.5\n"));
        QCOMPARE(uiPara::instance()->get_prog_vo_by_index(4), QStringLiteral("2.5\n"));
        // A short mode reply is dropped.
        w->deal_prog_operating_button(48, {"0\n", "LED\n"}, req.widgets);
        QCOMPARE(uiPara::instance()->get_prog_mode_by_index(2), QStringLiteral("CURRENT"));
        // The file replies and other codes are not the router's.
        w->deal_prog_operating_button(65, {QStringLiteral("OFF,\n")}, req.widgets);
        w->deal_prog_operating_button(40, {QStringLiteral("1\n")}, req.widgets);
        QCOMPARE(uiPara::instance()->get_prog_pause_by_index(2), QStringLiteral("OFF"));
    }

    void leaving_a_cell_unchanged_writes_nothing()
    {
        // A value a narrower box would have clamped.
        uiPara::instance()->set_prog_max_by_index(QStringLiteral("5000"), 1);
        show_prog_page();
        use_recorder();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QApplication::setActiveWindow(w.get());
        MyDoubleSpinBox* max = cell<MyDoubleSpinBox>(1, 10);
        QCOMPARE(max->value(), 5000.0);
        max->setFocus();
        QTRY_VERIFY(max->hasFocus());
        max->clearFocus();
        QTest::qWait(100);
        QVERIFY(recorder->posts().isEmpty());
    }
    void nothing_is_sent_without_a_load()
    {
        show_prog_page();
        use_recorder();
        w->is_connected = false;
        cell<QComboBox>(0, 4)->setCurrentIndex(0);
        cell<QComboBox>(0, 1)->setCurrentIndex(4);
        w->on_spinBox_Step_Prog_sigUpdateValue();
        w->on_pushButton_Export_Prog_clicked();
        w->on_pushButton_Import_Prog_clicked();
        QTest::qWait(100);
        QVERIFY(recorder->posts().isEmpty());
        // The cell keeps the user's change.
        QCOMPARE(cell<QComboBox>(0, 4)->currentText(), QStringLiteral("ON"));
    }

    void the_step_count_waits_while_the_input_is_on()
    {
        show_prog_page();
        use_recorder();
        w->ui->spinBox_Step_Prog->setValue(7);
        w->on_spinBox_Step_Prog_sigUpdateValue();
        QList<cfg_request_t> got = posts(1);
        QCOMPARE(got.size(), 1);
        QCOMPARE(got.at(0).button_model, 63);
        QCOMPARE(got.at(0).write, QList<QString>{QStringLiteral("PROG:STEP 7")});
        QCOMPARE(got.at(0).query, QList<QString>{QStringLiteral("PROG:STEP?")});
        w->deal_prog_operating_button(63, {QStringLiteral("7\n")}, got.at(0).widgets);
        QCOMPARE(table->rowCount(), 7);
        QCOMPARE(w->prog_result_win->result_table()->rowCount(), 7);
        // A reply that is no number keeps the count.
        w->deal_prog_operating_button(63, {QStringLiteral("x\n")}, got.at(0).widgets);
        QCOMPARE(uiPara::instance()->get_program_step(), 7);

        w->load_switch->setSelectedItem(true);
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        w->ui->spinBox_Step_Prog->setValue(9);
        loop_watch watch(20);
        w->on_spinBox_Step_Prog_sigUpdateValue();
        // Sent after the pause, with the window running meanwhile; then the warning.
        got = posts(2);
        QVERIFY(watch.elapsed_ms() >= 200);
        QVERIFY(watch.ticks() >= 3);
        QVERIFY(answerer.wait_answered(3000));
        QCOMPARE(got.size(), 2);
        QCOMPARE(got.at(1).write, QList<QString>{QStringLiteral("PROG:STEP 9")});
        QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Please turn off the load !"));
    }

    void one_result_window_judges_from_the_store()
    {
        ProgResultWin* res = w->prog_result_win;
        QVERIFY(res);
        w->mode_page = 4;
        w->init_Prog();
        w->init_Prog();
        QCOMPARE(w->prog_result_win, res);
        QCOMPARE(w->findChildren<ProgResultWin*>().size(), 1);
        QCOMPARE(res->windowTitle(), QStringLiteral("Program Result"));
        QCOMPARE(res->size(), QSize(342, 348));

        uiPara* p = uiPara::instance();
        p->set_program_step(4);
        const QStringList mins = {"0.5", "0.5", "0.5", "100"};
        const QStringList maxs = {"2.5", "2.5", "2.5", "5000"};
        for (int i = 0; i < 4; ++i) {
            p->set_prog_min_by_index(mins.at(i), i);
            p->set_prog_max_by_index(maxs.at(i), i);
        }
        p->set_prog_mode_by_index(QStringLiteral("VOLTAGE\n"), 1);
        w->deal_prog_result_operating_button({QStringLiteral("0.5,2.5,3.0,4500,\n")});
        QTableWidget* t = res->result_table();
        QCOMPARE(t->rowCount(), 4);
        QCOMPARE(t->item(0, 1)->text(), QStringLiteral("Pass")); // equal to min
        QCOMPARE(t->item(0, 2)->text(), QStringLiteral("0.500(CC)"));
        QCOMPARE(t->item(1, 1)->text(), QStringLiteral("Pass")); // equal to max
        QCOMPARE(t->item(1, 2)->text(), QStringLiteral("2.500(CV)"));
        QCOMPARE(t->item(2, 1)->text(), QStringLiteral("Fail"));
        QCOMPARE(t->item(2, 2)->text(), QStringLiteral("Over MAX: 3.000(CC)"));
        QVERIFY(t->item(2, 1)->background() != t->item(0, 1)->background()); // a failed step stands out
        // Limits beyond 99.99 judged as the load holds them.
        QCOMPARE(t->item(3, 1)->text(), QStringLiteral("Pass"));
        QVERIFY(res->isVisible());
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("Program state:Stop 0"));

        // Empty parts are 0; missing values are no verdict.
        w->deal_prog_result_operating_button({QStringLiteral("0.1,,\n")});
        QCOMPARE(t->item(0, 2)->text(), QStringLiteral("Below MIN: 0.100(CC)"));
        QCOMPARE(t->item(1, 1)->text(), QStringLiteral("Fail"));
        QCOMPARE(t->item(1, 2)->text(), QStringLiteral("Below MIN: 0.000(CV)"));
        QCOMPARE(t->item(2, 1)->text(), QString());
        QCOMPARE(t->item(3, 2)->text(), QStringLiteral("No reading"));
        w->deal_prog_result_operating_button({});

        // Rows follow the count; kept rows keep their texts.
        p->set_program_step(2);
        QCOMPARE(t->rowCount(), 2);
        QCOMPARE(t->item(0, 1)->text(), QStringLiteral("Fail"));
        p->set_program_step(3);
        QCOMPARE(t->rowCount(), 3);
        QCOMPARE(t->item(2, 0)->text(), QStringLiteral("3"));
        QCOMPARE(t->item(2, 1)->text(), QString());
    }

    void import_takes_exactly_a_checked_file()
    {
        use_recorder();
        QTemporaryDir dir;
        // 1926 zero bytes need the check byte 0xFF; one byte more is refused.
        QByteArray zeros(1927, '\0');
        zeros[0] = char(0xFF);
        const QString good = dir.filePath(QStringLiteral("zeros.prog"));
        const QString too_long = dir.filePath(QStringLiteral("long.prog"));
        for (const auto& [path, bytes] : {std::make_pair(good, zeros), std::make_pair(too_long, zeros + '\0')}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        import_is_refused(too_long, QStringLiteral("It's not the correct file !"));

        file_dialog_stub files;
        modal_answerer answerer;
        files.answer(good);
        answerer.act([this](QWidget*) { w->close_wait_prompt(); });
        w->on_pushButton_Import_Prog_clicked();
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().last().text, QStringLiteral("Please waiting for the program recalling"));
        const QList<cfg_request_t> got = posts(1);
        QCOMPARE(got.size(), 1);
        QCOMPARE(got.at(0).button_model, 65);
        QVERIFY(got.at(0).binary);
        QCOMPARE(got.at(0).raw, QByteArray("PROGram:IMPORT ") + zeros);
        QVERIFY(!w->prog_file.isOpen());
    }

    void export_writes_only_a_checked_block()
    {
        use_recorder();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.prog"));
        file_dialog_stub files;
        // Cancelled: the load is not asked.
        w->on_pushButton_Export_Prog_clicked();
        QTest::qWait(50);
        QVERIFY(recorder->posts().isEmpty());

        files.answer(path);
        w->on_pushButton_Export_Prog_clicked();
        // A second export while the first waits does nothing.
        files.answer(dir.filePath(QStringLiteral("second.prog")));
        w->on_pushButton_Export_Prog_clicked();
        const QList<cfg_request_t> got = posts(1);
        QTest::qWait(50);
        QCOMPARE(recorder->posts().size(), 1);
        QCOMPARE(got.at(0).button_model, 64);
        QVERIFY(got.at(0).binary);
        QCOMPARE(got.at(0).raw, QByteArray("PROG:EXPORT?"));
        QCOMPARE(files.calls().at(1).caption, QStringLiteral("save file"));

        // A longer reply: the first 1927 bytes, which carry the check byte.
        const QByteArray block = valid_block();
        w->deal_prog_storage_operating_button(block + QByteArray(73, 'x'));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), block);
        f.close();

        // A block that fails its check is not written.
        files.answer(dir.filePath(QStringLiteral("broken.prog")));
        w->on_pushButton_Export_Prog_clicked();
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        QByteArray broken = block;
        broken[10] = 'Z';
        w->deal_prog_storage_operating_button(broken);
        QVERIFY(answerer.wait_answered());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("broken.prog"))));
        // A short block neither.
        files.answer(dir.filePath(QStringLiteral("short.prog")));
        w->on_pushButton_Export_Prog_clicked();
        answerer.press(QMessageBox::Ok);
        w->deal_prog_storage_operating_button(block.left(1000));
        QVERIFY(answerer.wait_answered());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("short.prog"))));
    }

    // An export that cannot be written (a full disk) leaves the file of that
    // name as it was, and says so.
    void failed_export_keeps_the_old_file()
    {
        use_recorder();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.prog"));
        const QByteArray old_block = valid_block();
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(old_block), qint64(old_block.size()));
        }
        file_dialog_stub files;
        files.answer(path);
        w->on_pushButton_Export_Prog_clicked();
        QCOMPARE(posts(1).size(), 1);
        QByteArray new_block = valid_block();
        new_block.replace(1, 4, "PRG2");
        new_block[0] = static_cast<char>(block_check::check_byte(new_block));
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        {
            disk_faults::file_size_limit full(1000);
            w->deal_prog_storage_operating_button(new_block);
        }
        QVERIFY(answerer.wait_answered());
        QVERIFY(answerer.boxes().last().text.startsWith(QStringLiteral("The file could not be written")));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), old_block);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"kept.prog"}));
    }

    // What cannot be opened is told, as for list files; nothing is sent.
    void import_of_what_cannot_be_opened_is_told_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("folder") << QStringLiteral("folder.prog");
        QTest::newRow("missing") << QStringLiteral("gone.prog");
    }

    void import_of_what_cannot_be_opened_is_told()
    {
        QFETCH(QString, name);
        use_recorder();
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.prog")));
        import_is_refused(dir.filePath(name), QStringLiteral("The file could not be opened !"));
    }
};

QTEST_MAIN(tst_prog_panel)
#include "tst_prog_panel.moc"
