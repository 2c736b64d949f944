// The older window's list and program files against the simulated load:
// saved blocks are the load's, read back into it unchanged, and bad files
// never reach it.
#include "legacy_connected_window.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "FreezeTableWidget.h"
#include "block_check.h"
#include "cfg_thread_t.h"
#include "custom_spinbox.h"
#include "file_dialog_stub.h"
#include "ui_preview_plot_t.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <qwt_plot_curve.h>
#include <qwt_scale_div.h>

namespace {

QByteArray read_all(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write_all(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A block of `size` bytes with its check byte set.
QByteArray checked(QByteArray block)
{
    block[0] = char(block_check::check_byte(block));
    return block;
}

} // namespace

class tst_legacy_list_prog : public QObject
{
    Q_OBJECT

private slots:
    void files_round_trip_data();
    void files_round_trip();
    void list_cell_edit_reaches_load();
    void program_run_results();
    void list_run_follows_steps();
};

void tst_legacy_list_prog::files_round_trip_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("import_header");
    QTest::newRow("list") << int(MainWindow::block_list) << 1232 << QStringLiteral("LIST:IMPORT ");
    QTest::newRow("program") << int(MainWindow::block_program) << 1927 << QStringLiteral("PROGram:IMPORT ");
}

// Save, change the load, recall the file, save again: the load holds what
// the file held. Then every kind of bad file is refused and never sent.
void tst_legacy_list_prog::files_round_trip()
{
    QFETCH(int, kind);
    QFETCH(int, size);
    QFETCH(QString, import_header);
    legacy_connected_window cw;
    QVERIFY2(cw.start(), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    modal_answerer& a = cw.answerer();
    file_dialog_stub files;
    QTemporaryDir dir;
    QPushButton* storage = kind == MainWindow::block_list ? w->list_storage_button : w->program_storage_button;
    QPushButton* recall = kind == MainWindow::block_list ? w->list_recall_button : w->program_recall_button;

    // a cancelled save asks the load for nothing
    int from = cw.received_count();
    QTest::mouseClick(storage, Qt::LeftButton);
    QTest::qWait(300);
    QVERIFY(!cw.sim().received().mid(from).join(QString()).contains(QStringLiteral("EXPORT?")));

    const QString first = dir.filePath(QStringLiteral("first"));
    files.answer(first);
    QTest::mouseClick(storage, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(first), 5000);
    const QByteArray saved = read_all(first);
    QCOMPARE(saved.size(), size);
    QVERIFY(block_check::valid(saved, size));

    // the load changes: a step count it accepts while the input is off
    const QString changed_path = dir.filePath(QStringLiteral("changed"));
    const QByteArray step_change = kind == MainWindow::block_list ? "LIST:STEP 7" : "PROG:STEP 9";
    // through the window's own link, as another front end would
    from = cw.received_count();
    w->cfg_thread->add_request(9999, {QString::fromLatin1(step_change)}, {QString()}, QList<QWidget*>(), false, 0,
                               false, QByteArray());
    QVERIFY(cw.wait_received(QString::fromLatin1(step_change), from) >= 0);
    w->start_threads();
    files.answer(changed_path);
    QTest::mouseClick(storage, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(changed_path), 5000);
    QVERIFY(read_all(changed_path) != saved);

    // recall: the whole block in one message, then the read-back
    files.answer(first);
    a.leave_open();
    from = cw.received_count();
    const int ops = cw.reply_ops().size();
    QTest::mouseClick(recall, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w->readback_box == nullptr && !w->block_import_waiting[kind], 15000);
    const QList<QByteArray> sent = cw.sim().received_raw().mid(from);
    const QByteArray expected = import_header.toLatin1() + saved;
    QVERIFY2(sent.contains(expected), qPrintable(QString::number(sent.size())));
    QTRY_VERIFY_WITH_TIMEOUT(cw.reply_ops().mid(ops).contains(kind == MainWindow::block_list ? 13 : 14), 5000);
    const QString back = dir.filePath(QStringLiteral("back"));
    files.answer(back);
    QTest::mouseClick(storage, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(back), 5000);
    QCOMPARE(read_all(back), saved);

    // bad files: the message, and nothing reaches the load
    QByteArray wrong_tag = saved;
    wrong_tag[2] = char(wrong_tag[2] ^ 0x20);
    QByteArray wrong_check = saved;
    wrong_check[0] = char(~uchar(wrong_check[0]));
    const QByteArray other_kind = QByteArray(kind == MainWindow::block_list ? 1927 : 1232, '\0');
    const struct
    {
        const char* name;
        QByteArray bytes;
        bool folder;
    } bad[] = {{"truncated", saved.left(size - 1), false},
               {"one byte more", checked(saved + QByteArray(1, '\0')), false},
               {"wrong tag", wrong_tag, false},
               {"wrong check byte", wrong_check, false},
               {"all zero", QByteArray(size, '\0'), false},
               {"the other kind", checked(other_kind), false},
               {"empty", QByteArray(), false},
               {"a folder", QByteArray(), true}};
    for (const auto& b : bad) {
        const QString path = dir.filePath(QString::fromLatin1(b.name));
        if (b.folder)
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(write_all(path, b.bytes));
        files.answer(path);
        a.clear();
        a.press(QMessageBox::Ok);
        from = cw.received_count();
        QTest::mouseClick(recall, Qt::LeftButton);
        QVERIFY2(a.wait_answered(), b.name);
        QCOMPARE(a.boxes().last().text, QStringLiteral("It's not the corrent file"));
        QTest::qWait(200);
        QVERIFY2(!cw.sim().received().mid(from).join(QString()).contains(QStringLiteral("IMPORT")), b.name);
    }
    // with the input on the load refuses the file; its answer is no verdict,
    // the read-back after it shows what the load holds
    QTest::mouseClick(w->ui->load_button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->load_button->text(), QStringLiteral("ON"), 5000);
    files.answer(changed_path);
    a.clear();
    a.leave_open();
    const int ops_on = cw.reply_ops().size();
    QTest::mouseClick(recall, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(cw.reply_ops().mid(ops_on).contains(kind == MainWindow::block_list ? 13 : 14), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!w->readback_box && !w->block_import_waiting[kind], 5000);
    QVERIFY(a.unexpected().isEmpty());
    QVERIFY(cw.wait_for_polls(2)); // the program's read-back switches the input off
    if (w->ui->load_button->text() == QStringLiteral("ON"))
        QTest::mouseClick(w->ui->load_button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->load_button->text(), QStringLiteral("OFF"), 5000);
    // the load still holds the recalled block
    const QString last = dir.filePath(QStringLiteral("last"));
    files.answer(last);
    QTest::mouseClick(storage, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(last), 5000);
    QCOMPARE(read_all(last), saved);
}

// A level typed into a list cell is sent for its step and comes back into
// the step's value and the preview curve.
void tst_legacy_list_prog::list_cell_edit_reaches_load()
{
    legacy_connected_window cw;
    QVERIFY2(cw.start(), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    cw.answerer().leave_open();
    QTest::mouseClick(w->list_button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(cw.reply_ops().contains(13), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(w->readback_box == nullptr, 5000);
    auto* cell = qobject_cast<QDoubleSpinBox*>(w->list_step_table->cellWidget(1, 1));
    QVERIFY(cell);
    QVERIFY(cell->isEnabled());
    const int from = cw.received_count();
    cell->setFocus();
    cell->selectAll();
    QTest::keyClicks(cell, QStringLiteral("1.5"));
    QTest::keyClick(cell, Qt::Key_Return);
    QVERIFY(cw.wait_received(QStringLiteral("LIST:LEV 1,1.5"), from) >= 0);
    QVERIFY(cw.wait_received(QStringLiteral("LIST:LEV? 1"), from) >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(w->list_levels.value(0), QStringLiteral("1.5"), 5000);
    // the curve is redrawn from the read-back and stays through the polls
    // that see the input off
    QVERIFY(cw.wait_for_polls(3));
    QCOMPARE(w->list_curve_y.value(0), 1.5);
    QCOMPARE(w->list_curve_y.value(1), 1.5);
    QCOMPARE(w->list_curve->dataSize(), size_t(w->list_curve_y.size()));
}

namespace {

// Types `text` into a spin box as a user does and leaves it with Return.
void type_into(QAbstractSpinBox* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

QDoubleSpinBox* prog_spin(MainWindow* w, int row, int column)
{
    return qobject_cast<QDoubleSpinBox*>(w->program_result_table->cellWidget(row, column));
}

} // namespace

// A two-step program edited in its table and run: the first step passes,
// the second (its minimum out of reach) fails; the result window says so in
// green and red, and every cell the user typed reached the load.
void tst_legacy_list_prog::program_run_results()
{
    legacy_connected_window cw;
    QVERIFY2(cw.start(), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    modal_answerer& a = cw.answerer();
    a.leave_open();
    QTest::mouseClick(w->program_button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(cw.reply_ops().contains(14), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(w->readback_box == nullptr, 5000);

    // a table built from step lists alone takes the load's step count (5),
    // not the one shown
    w->program_steps_spin->set_value(2);
    w->deal_program_value(QVector<QString>(15, QStringLiteral("0,")).toList());
    QTRY_COMPARE_WITH_TIMEOUT(w->program_result_table->columnCount(), 6, 5000);

    auto* steps = w->program_steps_spin->findChild<QDoubleSpinBox*>();
    QVERIFY(steps);
    int from = cw.received_count();
    type_into(steps, QStringLiteral("2"));
    QVERIFY(cw.wait_received(QStringLiteral("PROG:STEP 2"), from) >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(w->program_result_table->columnCount(), 3, 5000);

    // the cells hold the load's ranges: a maximum above 99.99 stays as typed
    const struct
    {
        int row;
        int column;
        const char* text;
        const char* command;
    } edits[] = {{6, 1, "50", "PROG:TIME:ON 1,50"},    {6, 1, "0.3", "PROG:TIME:ON 1,0.3"},
                 {7, 1, "0.1", "PROG:TIME:OFF 1,0.1"}, {8, 1, "0.1", "PROG:TIME:DEL 1,0.1"},
                 {9, 1, "0", "PROG:MIN 1,0"},          {10, 1, "5000", "PROG:MAX 1,5000"},
                 {6, 2, "1", "PROG:TIME:ON 2,1"},
                 {7, 2, "0.1", "PROG:TIME:OFF 2,0.1"}, {8, 2, "0.1", "PROG:TIME:DEL 2,0.1"},
                 {10, 2, "5000", "PROG:MAX 2,5000"},   {9, 2, "4000", "PROG:MIN 2,4000"}};
    for (const auto& e : edits) {
        QDoubleSpinBox* cell = prog_spin(w, e.row, e.column);
        QVERIFY2(cell, e.command);
        from = cw.received_count();
        type_into(cell, QString::fromLatin1(e.text));
        QVERIFY2(cw.wait_received(QString::fromLatin1(e.command), from) >= 0, e.command);
        QTRY_COMPARE_WITH_TIMEOUT(cell->value(), QString::fromLatin1(e.text).toDouble(), 5000);
    }
    QCOMPARE(prog_spin(w, 10, 1)->value(), 5000.0);
    // combo cells: step 2 pauses (the run halts there) and becomes a CR step
    const struct
    {
        int row, index;
        const char *command, *shown;
    } picks[] = {{4, 0, "PROG:PAUSE 2,ON", "ON"}, {1, 2, "PROG:MODE 2,RES", "CR"}};
    for (const auto& p : picks) {
        auto* combo = qobject_cast<QComboBox*>(w->program_result_table->cellWidget(p.row, 2));
        from = cw.received_count();
        combo->setCurrentIndex(p.index);
        QVERIFY2(cw.wait_received(QString::fromLatin1(p.command), from) >= 0, p.command);
        QTRY_COMPARE_WITH_TIMEOUT(combo->currentText(), QString::fromLatin1(p.shown), 5000);
    }
    auto range = [w] {
        auto* b = qobject_cast<QPushButton*>(w->program_result_table->cellWidget(12, 2));
        return b ? b->text() : QString();
    };
    QTRY_COMPARE_WITH_TIMEOUT(range(), QStringLiteral("≤10kΩ"), 5000);

    // run: the input on arms it, the trigger starts it
    QTest::mouseClick(w->ui->load_button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->load_button->text(), QStringLiteral("ON"), 5000);
    // the result window is modal: it stays up for the test to read
    a.clear();
    a.leave_open();
    from = cw.received_count();
    QTest::mouseClick(w->ui->trigger_button, Qt::LeftButton);
    QVERIFY(cw.wait_received(QStringLiteral("*TRG"), from) >= 0);
    // the step numbers the user sees: red where the run halts, green while
    // a step runs, white once passed
    auto number = [w](int step) { return w->program_freeze->row_overlay->item(1, step)->foreground().color(); };
    QTRY_COMPARE_WITH_TIMEOUT(number(2), QColor(Qt::red), 10000);
    QCOMPARE(number(1), QColor(Qt::white));
    QTest::mouseClick(w->ui->trigger_button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(number(2), QColor(Qt::green), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(w->program_form && w->program_form->isVisible(), 10000);
    QCOMPARE(number(2), QColor(Qt::white));
    QTableWidget* results = w->program_table;
    QVERIFY(results);
    QCOMPARE(results->rowCount(), 5);
    QCOMPARE(results->item(1, 1)->text(), QStringLiteral("Pass"));
    QCOMPARE(results->item(1, 1)->foreground().color(), QColor(Qt::green));
    QVERIFY(results->item(1, 2)->text().endsWith(QStringLiteral("(CC)")));
    QCOMPARE(results->item(2, 1)->text(), QStringLiteral("Fail"));
    QCOMPARE(results->item(2, 1)->foreground().color(), QColor(Qt::red));
    QVERIFY2(results->item(2, 2)->text().startsWith(QStringLiteral("Below MIN: ")),
             qPrintable(results->item(2, 2)->text()));

    // closing the form clears its flag; a later run shows its results again
    w->program_form->close();
    QVERIFY(!w->program_form_open);
}

// A six-step list typed into the table (the sixth step reached by paging)
// and run once: the step numbers follow the load's present step and the
// page comes back when the run ends.
void tst_legacy_list_prog::list_run_follows_steps()
{
    legacy_connected_window cw;
    QVERIFY2(cw.start(), qPrintable(cw.error()));
    MainWindow* w = cw.window();
    modal_answerer& a = cw.answerer();
    a.leave_open();
    QTest::mouseClick(w->list_button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(cw.reply_ops().contains(13), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(w->readback_box == nullptr, 5000);

    // the step count: sent, then the whole list read back under the wait box
    a.clear();
    a.leave_open();
    int from = cw.received_count();
    type_into(w->list_step_spin->findChild<QDoubleSpinBox*>(), QStringLiteral("6"));
    QVERIFY(cw.wait_received(QStringLiteral("LIST:STEP 6"), from) >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(int(w->list_step_spin->value()), 6, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(w->readback_box == nullptr, 5000);
    QVERIFY(w->list_step_table->cellWidget(1, 5)->isEnabled());
    from = cw.received_count();
    type_into(w->list_count_spin->findChild<QDoubleSpinBox*>(), QStringLiteral("1"));
    QVERIFY(cw.wait_received(QStringLiteral("LIST:COUN 1"), from) >= 0);

    auto cell = [w](int row, int column) {
        return qobject_cast<QDoubleSpinBox*>(w->list_step_table->cellWidget(row, column));
    };
    auto edit = [&](int row, int column, const QString& text, const QString& command) {
        const int start = cw.received_count();
        type_into(cell(row, column), text);
        return cw.wait_received(command, start) >= 0;
    };
    // widths 0.3 to 0.7, and 1 for the sixth step
    for (int c = 1; c <= 5; ++c) {
        QVERIFY(edit(1, c, QString::number(c), QStringLiteral("LIST:LEV %1,%1").arg(c)));
        const QString width = QString::number(0.2 + c / 10.0);
        QVERIFY(edit(2, c, width, QStringLiteral("LIST:WID %1,").arg(c) + width));
    }
    // one step on (once the replies are in): the table shows steps 2 to 6,
    // the sixth in column 5; at the last step Next moves no further
    QVERIFY(cw.wait_for_polls(2));
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(w->list_next_button, Qt::LeftButton);
    QCOMPARE(w->list_step_table->item(0, 1)->text(), QStringLiteral("2"));
    QCOMPARE(w->list_step_table->item(0, 5)->text(), QStringLiteral("6"));
    QCOMPARE(w->list_plot->axisScaleDiv(QwtPlot::xBottom).upperBound(), 6.0);
    QCOMPARE(cell(1, 4)->value(), 5.0);
    QVERIFY(edit(1, 5, QStringLiteral("6"), QStringLiteral("LIST:LEV 6,6")));
    QVERIFY(edit(2, 5, QStringLiteral("1"), QStringLiteral("LIST:WID 6,1")));
    // 6 A is beyond the 5 A range: the load keeps its level and the cell shows it
    QTRY_COMPARE_WITH_TIMEOUT(cell(1, 5)->value(), 1.0, 5000);
    QCOMPARE(w->list_levels.value(5), QStringLiteral("1"));
    QVERIFY(edit(1, 5, QStringLiteral("3"), QStringLiteral("LIST:LEV 6,3")));
    QTRY_COMPARE_WITH_TIMEOUT(w->list_levels.value(5), QStringLiteral("3"), 5000);
    QTest::mouseClick(w->list_up_button, Qt::LeftButton);
    QCOMPARE(w->list_step_table->item(0, 1)->text(), QStringLiteral("1"));

    // run it: the table follows the load's step up to the sixth, each
    // column with its own step's values, and the marker is on the sixth
    QTest::mouseClick(w->ui->load_button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->load_button->text(), QStringLiteral("ON"), 5000);
    from = cw.received_count();
    QTest::mouseClick(w->ui->trigger_button, Qt::LeftButton);
    QVERIFY(cw.wait_received(QStringLiteral("*TRG"), from) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(w->list_marker_x.size() == 2 && w->list_step_table->item(0, 5)->text() == "6", 10000);
    for (int c = 1; c <= 5; ++c) {
        QCOMPARE(cell(1, c)->value(), c == 5 ? 3.0 : c + 1.0);
        QCOMPARE(cell(2, c)->value(), c == 5 ? 1.0 : 0.3 + c / 10.0);
    }
    QCOMPARE(w->list_marker_curve->plot(), static_cast<QwtPlot*>(w->list_plot));
    QCOMPARE(w->list_marker_curve->sample(0), QPointF(6, 3));
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->load_button->text(), QStringLiteral("OFF"), 10000);
    QCOMPARE(w->list_marker_curve->dataSize(), size_t(0));
    // the load holds the six levels typed
    QCOMPARE(w->list_levels.mid(0, 6), QList<QString>({"1", "2", "3", "4", "5", "3"}));
    // the step numbers stay read-only after the run and after paging
    for (QPushButton* page : {w->list_up_button, w->list_next_button, w->list_up_button}) {
        for (int c = 1; c <= 5; ++c) {
            w->list_step_table->editItem(w->list_step_table->item(0, c));
            QVERIFY(!w->list_step_table->indexWidget(w->list_step_table->model()->index(0, c)));
        }
        QTest::mouseClick(page, Qt::LeftButton);
    }
}

QTEST_MAIN(tst_legacy_list_prog)
#include "tst_legacy_list_prog.moc"
