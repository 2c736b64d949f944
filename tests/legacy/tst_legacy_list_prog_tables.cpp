// The older window's program table, result judging and list table without
// a load: what the cells show for each step's mode, that they hold the
// load's ranges, that short lists or replies are read as empty, and the list
// rows taken from reply texts.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "custom_spinbox.h"
#include "modal_answerer.h"
#include "ui_preview_plot_t.h"
#include "ui_program_form.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <qwt_scale_div.h>

class tst_legacy_list_prog_tables : public QObject
{
    Q_OBJECT

private slots:
    void program_cells_by_mode_data();
    void program_cells_by_mode();
    void program_value_entries();
    void garbled_cell_reply_data();
    void garbled_cell_reply();
    void program_results_judged();
    void short_list_reads_empty();
    void list_value_entries_data();
    void list_value_entries();
    void result_form_class();
};

namespace {

QString widget_text(QWidget* cell)
{
    if (auto* b = qobject_cast<QPushButton*>(cell))
        return b->text();
    if (auto* s = qobject_cast<QDoubleSpinBox*>(cell))
        return QStringLiteral("spin ") + QString::number(s->value());
    if (auto* c = qobject_cast<QComboBox*>(cell))
        return c->currentText();
    return QString();
}

QString cell_text(MainWindow& w, int row, int column)
{
    return widget_text(w.program_result_table->cellWidget(row, column));
}

// Every step list of the list and program pages.
QStringList step_lists(MainWindow& w)
{
    QStringList all{w.list_levels.join(','), w.list_times.join(','), w.list_slews.join(',')};
    for (const QList<QString>& l : w.prog_columns)
        all << l.join(',');
    return all;
}

// The program read-back of `steps` steps, each entry as the load sends its
// lists ("e1,e2,...,\n"): pause, mode, ranges, short, times, limits, level,
// LED current and Rco.
void read_back(MainWindow& w, int steps, const QString& mode, const QString& level, const QString& max = "250",
               const QString& min = "1", int stated_steps = -1)
{
    const QString entries[13] = {"OFF", mode, "30", "36", "ON", "1", "1", "1", min, max, level, "0.5", "0.2"};
    QList<QString> replies;
    for (const QString& e : entries) {
        QString text;
        for (int k = 0; k < steps; ++k)
            text += e + QLatin1Char(',');
        replies << text + QLatin1Char('\n');
    }
    replies << QString::number(stated_steps < 0 ? steps : stated_steps) + QLatin1Char('\n');
    w.deal_prog_readback(replies);
}

void save_shot(QWidget* w, const QString& name)
{
    const QString dir = qEnvironmentVariable("WATTLEX_SHOT_DIR");
    if (!dir.isEmpty())
        w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void fill_one_step(MainWindow& w, const QString& mode, const QString& level)
{
    read_back(w, 1, mode, level);
}

} // namespace

void tst_legacy_list_prog_tables::program_cells_by_mode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("shown"); // rows 1 and 11 to 15
    QTest::newRow("current") << "CURRENT" << QStringList{"CC", "spin 120", "***", "***", "***", "***"};
    QTest::newRow("resistance") << "RESISTANCE" << QStringList{"CR", "spin 120", "≤10kΩ", "***", "***", "***"};
    QTest::newRow("power") << "POWER" << QStringList{"CP", "spin 120", "***", "***", "***", "***"};
    QTest::newRow("led") << "LED" << QStringList{"LED", "***", "***", "spin 120", "spin 0.5", "spin 0.2"};
}

// Each mode lays out its value cells; a level above 99.99 is held as the
// load sent it, and filling the table sends nothing.
void tst_legacy_list_prog_tables::program_cells_by_mode()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, shown);
    MainWindow w;
    fill_one_step(w, mode, QStringLiteral("120"));
    QCOMPARE(w.program_result_table->columnCount(), 2);
    QCOMPARE(w.program_result_table->item(0, 1)->text(), QStringLiteral("1"));
    const int rows[6] = {1, 11, 12, 13, 14, 15};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(cell_text(w, rows[i], 1), shown.at(i));
    // switches and ranges: ON is index 0; "30" selects 30A, "36" 36V
    QCOMPARE(cell_text(w, 2, 1), QStringLiteral("30A"));
    QCOMPARE(cell_text(w, 3, 1), QStringLiteral("36V"));
    QCOMPARE(cell_text(w, 4, 1), QStringLiteral("OFF"));
    QCOMPARE(cell_text(w, 5, 1), QStringLiteral("ON"));
    QCOMPARE(cell_text(w, 10, 1), QStringLiteral("spin 250"));
    // a maximum typed far above the old spin box limit is kept
    auto* max_cell = qobject_cast<QDoubleSpinBox*>(w.program_result_table->cellWidget(10, 1));
    max_cell->setValue(5000);
    QCOMPARE(max_cell->value(), 5000.0);
}

// Fifteen lists from the load, each with values of its own: every step list
// takes its entry, entry 11 goes nowhere and the Range list keeps its steps;
// the table the step count then builds shows them.
void tst_legacy_list_prog_tables::program_value_entries()
{
    MainWindow w;
    w.prog_columns[MainWindow::prog_range_list] = {"HIGH", "UP"};
    w.prog_columns[MainWindow::prog_vo_list] = {"77", "78"};
    w.deal_program_value({"ON,OFF,", "LED,CURRENT,", "5,30,", "150,36,", "OFF,ON,", "1.5,2.5,", "3.5,4.5,",
                          "5.5,6.5,", "7.5,8.5,", "9.5,10.5,", "11.5,12.5,", "99,98,", "13.5,14.5,",
                          "0.125,0.25,", "0.0625,0.5,"});
    const QString lists[MainWindow::prog_list_count] = {
        "LED,CURRENT", "5,30", "150,36", "ON,OFF", "OFF,ON", "1.5,2.5", "3.5,4.5", "5.5,6.5",
        "7.5,8.5",     "9.5,10.5", "11.5,12.5", "HIGH,UP", "13.5,14.5", "0.125,0.25", "0.0625,0.5"};
    for (int i = 0; i < MainWindow::prog_list_count; ++i)
        QCOMPARE(w.prog_columns[i].join(QLatin1Char(',')), lists[i]);
    w.deal_cfg_thread(63, {QStringLiteral("2\n")}, {}, 0);
    const QStringList shown[2] = {
        {"LED", "5A", "150V", "ON", "OFF", "spin 1.5", "spin 3.5", "spin 5.5", "spin 7.5", "spin 9.5", "***", "***",
         "spin 13.5", "spin 0.125", "spin 0.0625"},
        {"CC", "30A", "36V", "OFF", "ON", "spin 2.5", "spin 4.5", "spin 6.5", "spin 8.5", "spin 10.5", "spin 12.5",
         "***", "***", "***", "***"}};
    for (int k = 1; k <= 2; ++k) {
        QStringList cells;
        for (int row = 1; row <= 15; ++row)
            cells << cell_text(w, row, k);
        QCOMPARE(cells, shown[k - 1]);
    }
}

void tst_legacy_list_prog_tables::garbled_cell_reply_data()
{
    QTest::addColumn<QString>("table"); // "list" or "program"
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<int>("shown_row"); // the cell that must keep what it shows
    QTest::newRow("list level") << "list" << 72 << 1 << QStringList{"0\n", "2.5V\n"} << 1;
    QTest::newRow("list width, input on") << "list" << 73 << 2 << QStringList{"1\n", "\n"} << 2;
    QTest::newRow("program Ton") << "program" << 53 << 6 << QStringList{"0.5s\n"} << 6;
    QTest::newRow("program max") << "program" << 57 << 10 << QStringList{"\n"} << 10;
    QTest::newRow("program pause") << "program" << 51 << 4 << QStringList{"on\n"} << 4;
    QTest::newRow("program current range") << "program" << 49 << 2 << QStringList{"30.0\n"} << 2;
    // the mode's level cell is made anew, with the step's level
    QTest::newRow("program mode's level") << "program" << 48 << 1
                                          << QStringList{"0\n", "CURRENT\n", "7A\n", "LOW\n", "1\n", "1\n"} << 11;
}

// A read-back that is neither a number nor a word of its row leaves the
// cell and every step list as they were.
void tst_legacy_list_prog_tables::garbled_cell_reply()
{
    QFETCH(QString, table);
    QFETCH(int, operation);
    QFETCH(int, row);
    QFETCH(QStringList, replies);
    QFETCH(int, shown_row);
    modal_answerer answerer; // closes the input-on warning
    MainWindow w;
    w.connected = true;
    const bool list = table == "list";
    QTableWidget* t = list ? w.list_step_table : w.program_result_table;
    if (list)
        w.deal_list_readback({"CURRENT\n", "5\n", "36\n", "1\n", "2\n", "1,4.5,\n", "2,3,\n", "0.5,0.25,\n"});
    else
        read_back(w, 2, QStringLiteral("CURRENT"), QStringLiteral("7"));
    QWidget* cell = t->cellWidget(row, 2);
    QVERIFY(cell);
    const QStringList lists = step_lists(w);
    const QString shown = widget_text(t->cellWidget(shown_row, 2));
    QVERIFY(!shown.isEmpty());
    w.deal_cfg_thread(operation, replies, list ? QList<QWidget*>{w.ui->load_button, cell} : QList<QWidget*>{cell}, 0);
    QCOMPARE(widget_text(t->cellWidget(shown_row, 2)), shown);
    QCOMPARE(step_lists(w), lists);
}

void tst_legacy_list_prog_tables::program_results_judged()
{
    MainWindow w;
    read_back(w, 5, QStringLiteral("CURRENT"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"));
    // five steps, limits 1 to 2; the load sends four values and one unreadable
    w.deal_prog_reply(66, {QStringLiteral("1.5,0.5,2.5,x")}, {});
    QVERIFY(w.program_form && w.program_form->isVisible());
    save_shot(w.program_form, QStringLiteral("legacy_program_results"));
    w.show();
    w.program_button->click();
    save_shot(w.program_page, QStringLiteral("legacy_program_page"));
    QTableWidget* t = w.program_table;
    QCOMPARE(t->rowCount(), 8);
    const struct
    {
        const char* verdict;
        const char* remark;
        Qt::GlobalColor colour;
    } expected[] = {{"Pass", "1.500(CC)", Qt::green},
                    {"Fail", "Below MIN: 0.500(CC)", Qt::red},
                    {"Fail", "Over MAX: 2.500(CC)", Qt::red},
                    {"Fail", "Below MIN: 0.000(CC)", Qt::red},
                    {"", "(CC)", Qt::red}};
    for (int k = 1; k <= 5; ++k) {
        QCOMPARE(t->item(k, 0)->text(), QString::number(k));
        QCOMPARE(t->item(k, 1)->text(), QString::fromLatin1(expected[k - 1].verdict));
        QCOMPARE(t->item(k, 2)->text(), QString::fromUtf8(expected[k - 1].remark));
        QCOMPARE(t->item(k, 1)->foreground().color(), QColor(expected[k - 1].colour));
        QCOMPARE(t->item(k, 1)->flags(), Qt::NoItemFlags);
    }
    // a limit equal to the value passes; results while the form is up are dropped
    QWidget* shown = w.program_form;
    w.deal_prog_reply(66, {QStringLiteral("1,2,1,1,1")}, {});
    QCOMPARE(w.program_form, shown);
    QCOMPARE(t->item(1, 2)->text(), QStringLiteral("1.500(CC)"));
    // once it is closed, the next results show
    w.program_form->close();
    QVERIFY(!w.program_form_open);
    w.deal_prog_reply(66, {QStringLiteral("1,2,1,1,1")}, {});
    QVERIFY(w.program_form->isVisible());
    QCOMPARE(w.program_table->item(1, 1)->text(), QStringLiteral("Pass"));
    QCOMPARE(w.program_table->item(2, 1)->text(), QStringLiteral("Pass"));
    w.program_form->close();
}

// Read-backs shorter than their step counts fill the steps they hold and
// read the rest as empty, as does a program step count raised past its
// lists. The preview's left axis: its major step is a fifth of the top on a
// refill, of the largest level on a redraw.
void tst_legacy_list_prog_tables::short_list_reads_empty()
{
    MainWindow w;
    w.deal_list_readback({"CURRENT\n", "5\n", "36\n", "1\n", "3\n", "1,4.5,\n", "\n", "0.5,\n"});
    auto cell = [&w](int row, int column) {
        return qobject_cast<QDoubleSpinBox*>(w.list_step_table->cellWidget(row, column));
    };
    QCOMPARE(w.list_plot->axisScaleDiv(QwtPlot::yLeft).upperBound(), 5.0);
    QCOMPARE(w.list_plot->axisStepSize(QwtPlot::yLeft), 1.0);
    w.deal_list_change_value(QStringLiteral("1,4.5,\n"));
    QCOMPARE(w.list_plot->axisStepSize(QwtPlot::yLeft), 0.0);
    QCOMPARE(cell(1, 2)->value(), 4.5);
    QCOMPARE(cell(1, 3)->value(), 0.0);
    QCOMPARE(cell(2, 1)->value(), 0.0);
    QVERIFY(cell(1, 3)->isEnabled());
    QVERIFY(!cell(1, 4)->isEnabled());
    QCOMPARE(w.list_curve_x, QVector<double>({0, 1, 2, 3}));
    QCOMPARE(w.list_curve_y.size(), 4);

    read_back(w, 1, QStringLiteral("CURRENT"), QStringLiteral("7"), "250", "1", 2);
    QCOMPARE(cell_text(w, 11, 1), QStringLiteral("spin 7"));
    QCOMPARE(cell_text(w, 11, 2), QStringLiteral("spin 0"));
    w.deal_prog_reply(63, {QStringLiteral("3\n")}, {});
    QCOMPARE(w.program_result_table->columnCount(), 4);
    QCOMPARE(cell_text(w, 6, 3), QStringLiteral("spin 0"));
    QCOMPARE(int(w.program_steps_spin->value()), 3);
    w.deal_prog_reply(63, {QStringLiteral("1\n")}, {});
    QCOMPARE(w.program_result_table->columnCount(), 2);
}

void tst_legacy_list_prog_tables::list_value_entries_data()
{
    QTest::addColumn<QStringList>("values"); // levels, times, slews as the load sends them
    QTest::addColumn<QStringList>("levels");
    QTest::addColumn<QStringList>("times");
    QTest::addColumn<QStringList>("slews");
    QTest::addColumn<bool>("loaded"); // and the table shows them
    QTest::newRow("three steps") << QStringList{"1,2,3,", "0.5,0.25,1,", "0.1,0.2,0.3,"}
                                 << QStringList{"1", "2", "3"} << QStringList{"0.5", "0.25", "1"}
                                 << QStringList{"0.1", "0.2", "0.3"} << true;
    // the part after the last comma goes, empty parts stay
    QTest::newRow("empty parts") << QStringList{"1,,3,", ",2,", "5,6,7"} << QStringList{"1", "", "3"}
                                 << QStringList{"", "2"} << QStringList{"5", "6"} << true;
    QTest::newRow("no slews") << QStringList{"1,2,", "3,4,", QString()} << QStringList{"1", "2"}
                              << QStringList{"3", "4"} << QStringList() << false;
    QTest::newRow("slews empty") << QStringList{"1,2,", "3,4,", QStringLiteral("")} << QStringList{"1", "2"}
                                 << QStringList{"3", "4"} << QStringList() << true;
}

// The list rows taken from reply texts: the table is filled only when the
// slews came, null and empty being told apart.
void tst_legacy_list_prog_tables::list_value_entries()
{
    QFETCH(QStringList, values);
    QFETCH(QStringList, levels);
    QFETCH(QStringList, times);
    QFETCH(QStringList, slews);
    QFETCH(bool, loaded);
    MainWindow w;
    w.list_step_spin->set_maximum(100);
    w.list_step_spin->set_value(3);
    w.list_loaded = false;
    // what the first two steps' cells show, row by row
    auto cells = [&w] {
        QStringList shown;
        for (int row = 1; row <= 3; ++row)
            for (int c = 1; c <= 2; ++c)
                shown << widget_text(w.list_step_table->cellWidget(row, c));
        return shown;
    };
    const QStringList before = cells();
    w.deal_list_value(values);
    QCOMPARE(w.list_levels, levels);
    QCOMPARE(w.list_times, times);
    QCOMPARE(w.list_slews, slews);
    QCOMPARE(w.list_loaded, loaded);
    QStringList filled;
    for (const QStringList* l : {&levels, &times, &slews})
        for (int k = 0; k < 2; ++k)
            filled << QStringLiteral("spin ") + QString::number(l->value(k).toDouble());
    QCOMPARE(cells(), loaded ? filled : before);
}

void tst_legacy_list_prog_tables::result_form_class()
{
    for (int steps : {0, 4}) {
        ui_program_form form(steps);
        QCOMPARE(form.objectName(), QStringLiteral("ui_program_form"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Program_form"));
        QTableWidget* t = form.program_tablewidget;
        QCOMPARE(t->objectName(), QStringLiteral("program_tablewidget"));
        QCOMPARE(t->rowCount(), steps + 1);
        QCOMPARE(t->columnCount(), 3);
        QCOMPARE(t->geometry(), QRect(15, 11, 420, 278));
        QVERIFY(form.rect().contains(t->geometry()));
        QCOMPARE(t->item(0, 2)->text(), QStringLiteral("Remarks"));
        QCOMPARE(t->item(0, 0)->flags(), Qt::NoItemFlags);
        QCOMPARE(t->columnWidth(2), 200);
        if (steps)
            QVERIFY(!t->item(1, 0));
    }
}

QTEST_MAIN(tst_legacy_list_prog_tables)
#include "tst_legacy_list_prog_tables.moc"
