// The older window's widget kit: what a page relies on when it shows a
// reading, reads a choice or reacts to the user.
#include "custom_combobox.h"
#include "custom_input_spinbox.h"
#include "custom_label.h"
#include "custom_lineedit.h"
#include "custom_messagebox.h"
#include "custom_picture.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"
#include "mycombobox.h"
#include "mylayout.h"
#include "program_look.h"

#include <QApplication>
#include <QFile>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>
#include <limits>

namespace {

void turn_wheel(QWidget* widget, int steps)
{
    const QPoint centre = widget->rect().center();
    QWheelEvent event(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, -120 * steps), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class tst_legacy_kit : public QObject
{
    Q_OBJECT

private slots:
    void kit_texts_fit_their_fixed_sizes();
    void label_forms_data();
    void label_forms();
    void label_with_name_shows_the_name_and_reuses_the_unit();
    void radio_pair_index_follows_set_checked_and_clicks();
    void spinbox_signals_code_changes_apart_from_user_edits();
    void input_spinbox_kinds_and_set_maximum_always_emitting();
    void wheel_never_changes_a_kit_combo();
    void grid_layout_sizes_only_existing_cells();
    void picture_click_and_read_only_line();
    void message_box_with_a_single_ok_deletes_itself();
};

void tst_legacy_kit::kit_texts_fit_their_fixed_sizes()
{
    // the program's font and dark theme, as the older window would show them
    QVERIFY(!use_program_font().isEmpty());
    QFile qss(":/resource/QSS.qss");
    QVERIFY(qss.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString old_sheet = qApp->styleSheet();
    qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));

    // the longest texts the pages give these widgets
    QWidget page;
    page.setObjectName("centralwidget");
    auto* grid = new mylayout(&page);
    const char* const radios[][3] = {{"I_Range", "5A", "30A"}, {"V_Range", "36V", "150V"}, {"I_M_ON", "ON", "OFF"}};
    int row = 0;
    for (const auto& texts : radios) {
        auto* radio = new custom_radiobutton;
        radio->set_label_text(texts[0]);
        radio->set_text_a(texts[1]);
        radio->set_text_b(texts[2]);
        radio->set_checked(0);
        grid->addWidget(radio, row++, 0);
    }
    const char* const spins[][2] = {{"Slew_RIS", "A/us"}, {"P_Start", "W"}, {"A_Width", "s"}, {"Resistance", "\u03A9"}};
    for (const auto& texts : spins) {
        auto* spin = new custom_spinbox(nullptr, true);
        spin->set_label_text(texts[0]);
        spin->set_unit_text(texts[1]);
        spin->set_decimals_step(3, 1.0);
        spin->set_maximum(99999);
        spin->set_value(99999);
        grid->addWidget(spin, row++, 0);
    }
    auto* combo = new custom_combobox;
    combo->set_label_text("Function");
    combo->set_items({"continues", "24hour", "2^14", "ExtV"});
    grid->addWidget(combo, row++, 0);
    grid->addWidget(new custom_lineedit("R_Range", "30m\u03A9~10k\u03A9"), row++, 0);
    auto* reading = new custom_label(true);
    reading->set_value("mAh", 99999.0, 0, false, "I_set: ");
    grid->addWidget(reading, row++, 0);
    auto* limit = new custom_input_spinbox(2, 9999);
    limit->set_value(9999);
    grid->addWidget(limit, row++, 0);
    grid->set_spacings(10, 8);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    save_shot(&page, "legacy_kit");

    const QStringList clipped = clipped_texts(&page);
    qApp->setStyleSheet(old_sheet);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("\n")));
}

void tst_legacy_kit::label_forms_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("as_time");
    QTest::addColumn<QString>("text");

    // cut, not rounded, after the 6-digit form
    QTest::newRow("cut") << 12.3456789 << 3 << false << "12.345";
    QTest::newRow("padded") << 12.3456789 << 5 << false << "12.34570";
    QTest::newRow("whole padded") << 5.0 << 3 << false << "5.000";
    QTest::newRow("whole no decimals") << 5.0 << 0 << false << "5";
    QTest::newRow("zero") << 0.0 << 4 << false << "0.0000";
    QTest::newRow("negative") << -1.23456 << 2 << false << "-1.23";
    QTest::newRow("no decimals drops the dot") << 12.5 << 0 << false << "12";
    // an exponent form would be cut into "1e+" or "1.2"
    QTest::newRow("a million") << 1e6 << 3 << false << "1000000.000";
    // six digits that reach no place after the point: no zeros made up
    QTest::newRow("above a million") << 1234567.8 << 2 << false << "1234570";
    QTest::newRow("six digits before the dot") << 123456.7 << 3 << false << "123457";
    QTest::newRow("tiny") << 1e-5 << 4 << false << "0.0000";
    QTest::newRow("tiny with room") << 2.5e-5 << 6 << false << "0.000025";
    QTest::newRow("huge") << 1e300 << 1 << false << "1" + QString(300, '0') + ".0";

    QTest::newRow("time") << 3725.9 << 4 << true << "01:02:05";
    QTest::newRow("time past 99 hours") << 360000.0 << 4 << true << "100:00:00";
    QTest::newRow("time seconds") << 59.0 << 0 << true << "00:00:59";
    QTest::newRow("time negative") << -5.0 << 0 << true << "00:00:00";
    QTest::newRow("time beyond int") << 1e13 << 0 << true << "2777777777:46:40";
    QTest::newRow("time nan") << std::numeric_limits<double>::quiet_NaN() << 0 << true << "00:00:00";
}

void tst_legacy_kit::label_forms()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(bool, as_time);
    QFETCH(QString, text);

    QWidget window;
    auto* label = new custom_label(false, &window);
    window.show();
    label->set_value("A", value, decimals, as_time, QString());
    QCOMPARE(label->value_label->text(), text);
    // the unit shows with a number and hides with a time
    QCOMPARE(label->unit_label->isVisible(), !as_time);
    if (!as_time)
        QCOMPARE(label->unit_label->text(), QString("A"));
}

void tst_legacy_kit::label_with_name_shows_the_name_and_reuses_the_unit()
{
    QWidget window;
    auto* named = new custom_label(true, &window);
    auto* plain = new custom_label(false, &window);
    window.show();

    named->set_value(nullptr, 7200, 0, true, "T: ");
    QCOMPARE(named->name_label->text() + named->value_label->text(), QString("T: 02:00:00"));
    QVERIFY(named->name_label->isVisible() && !named->unit_label->isVisible());
    // back to a number: the unit shows again, a null unit empty
    named->set_value(nullptr, 1.5, 1, false, "I_set: ");
    QVERIFY(named->unit_label->isVisible() && named->unit_label->text().isEmpty());

    plain->set_reading("\u03A9", 2.25, 3, false, "R");
    QCOMPARE(plain->value_label->text() + plain->unit_label->text(), QString("2.250") + QChar(0x03A9));
    QVERIFY(!plain->name_label->isVisible());
}

void tst_legacy_kit::radio_pair_index_follows_set_checked_and_clicks()
{
    QWidget window;
    auto* pair = new custom_radiobutton(&window);
    // a radio button takes clicks on its mark and text only
    pair->set_text_a("5A");
    pair->set_text_b("30A");
    window.show();
    QSignalSpy a_spy(pair, &custom_radiobutton::buttonA_clicked);
    QSignalSpy b_spy(pair, &custom_radiobutton::buttonB_clicked);

    QCOMPARE(pair->checked_index(), 2);
    // {set_checked, checked_index after}: other indices change nothing
    const int steps[][2] = {{2, 2}, {1, 1}, {0, 0}, {-1, 0}, {5, 0}, {1, 1}, {2, 1}};
    for (const auto& step : steps) {
        pair->set_checked(step[0]);
        QCOMPARE(pair->checked_index(), step[1]);
    }
    // code never signals; a user's click does, for its button
    QCOMPARE(a_spy.count() + b_spy.count(), 0);
    QTest::mouseClick(pair->button_a, Qt::LeftButton);
    QCOMPARE(pair->checked_index(), 0);
    QTest::mouseClick(pair->button_b, Qt::LeftButton);
    QCOMPARE(pair->checked_index(), 1);
    QCOMPARE(a_spy.count(), 1);
    QCOMPARE(b_spy.count(), 1);

    pair->set_enable(false);
    QVERIFY(!pair->button_a->isEnabled() && !pair->button_b->isEnabled());
    QCOMPARE(pair->name_label->styleSheet(), QString("color:grey"));
}

void tst_legacy_kit::spinbox_signals_code_changes_apart_from_user_edits()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new custom_spinbox(&window, true);
    auto* bare = new custom_spinbox(&window, false);
    layout->addWidget(box);
    layout->addWidget(bare);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QSignalSpy changed(box, &custom_spinbox::change_spinbox);
    QSignalSpy edited(box, &custom_spinbox::change_spin_spinbox);
    box->set_decimals_step(3, 0.5);
    box->set_value(12.5);
    // a lowered maximum clamps the value: a change too
    box->set_maximum(10);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().at(0).toDouble(), 10.0);
    QCOMPARE(edited.count(), 0);

    box->spin_box->setFocus();
    box->spin_box->selectAll();
    QTest::keyClicks(box->spin_box, "7.25");
    QTest::keyClick(box->spin_box, Qt::Key_Return);
    QCOMPARE(box->value(), 7.25);
    QVERIFY(edited.count() >= 1);

    box->set_minimum(0.5);
    box->set_special_value(0, "OFF");
    QCOMPARE(box->spin_box->text(), QString("OFF"));

    // without the unit flag the unit is kept but never shown
    bare->set_unit_text("V");
    QCOMPARE(bare->unit_label->text(), QString("V"));
    QVERIFY(!bare->unit_label->isVisible());
}

void tst_legacy_kit::input_spinbox_kinds_and_set_maximum_always_emitting()
{
    // the unit by kind; an unknown kind has none
    const QString units[] = {"A", "V", QString(QChar(0x03A9)), "W", "", ""};
    const int kinds[] = {0, 1, 2, 3, 7, -1};
    for (int i = 0; i < 6; ++i) {
        custom_input_spinbox box(kinds[i], 30);
        QCOMPARE(box.unit_label->text(), units[i]);
        QCOMPARE(box.unit_label->styleSheet().isEmpty(), units[i].isEmpty());
    }

    custom_input_spinbox box(1, 36);
    QSignalSpy spy(&box, &custom_input_spinbox::valuechanged);
    box.set_value(20);
    // the same maximum again still tells the owner to re-limit
    for (int maximum : {50, 50, 10})
        box.set_maximum(maximum);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(box.value(), 10.0);
}

void tst_legacy_kit::wheel_never_changes_a_kit_combo()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* plain = new QComboBox(&window);
    auto* combo = new custom_combobox(&window);
    layout->addWidget(plain);
    layout->addWidget(combo);
    const QStringList items{"CC", "CV", "CR", "CP"};
    plain->addItems(items);
    combo->set_items({"old"});
    combo->set_items(items);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QSignalSpy spy(combo, &custom_combobox::currentindex_changed);
    combo->set_current_index(1);
    QCOMPARE(spy.count(), 1);
    // a plain box moves on the same turn, so the turn does reach a box
    turn_wheel(plain, 1);
    QCOMPARE(plain->currentIndex(), 1);
    turn_wheel(combo->combo, 1);
    turn_wheel(combo->combo, -1);
    QCOMPARE(combo->current_index(), 1);
    QCOMPARE(combo->combo->count(), 4);
    QCOMPARE(spy.count(), 1);
}

void tst_legacy_kit::grid_layout_sizes_only_existing_cells()
{
    QWidget holder;
    auto* grid = new mylayout(&holder);
    // Qt reports one row and column for an empty grid; none is touched
    grid->set_cell_minimum(100, 50);
    QCOMPARE(grid->columnMinimumWidth(0) + grid->rowMinimumHeight(0), 0);

    grid->addWidget(new QLabel, 3, 2);
    grid->set_cell_minimum(100, 50);
    QCOMPARE(grid->columnMinimumWidth(2), 100);
    QCOMPARE(grid->rowMinimumHeight(3), 50);
    grid->set_min_rows_cols(5, 40, 4, 220);
    QCOMPARE(grid->rowMinimumHeight(4), 40);
    QCOMPARE(grid->columnMinimumWidth(3), 220);
    grid->set_min_rows_cols(0, 99, -1, 99);
    QCOMPARE(grid->rowMinimumHeight(0), 40);
}

void tst_legacy_kit::picture_click_and_read_only_line()
{
    custom_picture picture;
    picture.resize(40, 40);
    QSignalSpy spy(&picture, &custom_picture::clicked);
    QTest::mousePress(&picture, Qt::LeftButton);
    QTest::mouseRelease(&picture, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);

    custom_lineedit line("AddCap", "0");
    line.set_text("12.5");
    QCOMPARE(line.line_edit->text(), QString("12.5"));
    QVERIFY(!line.line_edit->isEnabled());
}

void tst_legacy_kit::message_box_with_a_single_ok_deletes_itself()
{
    QPointer<custom_messagebox> box = new custom_messagebox(QMessageBox::Warning, "Warning", "Please turn off the load");
    box->set_single_ok();
    QCOMPARE(box->buttons().size(), 1);
    QTimer::singleShot(0, box.data(), [&box] { box->button(QMessageBox::Ok)->click(); });
    QCOMPARE(box->exec(), int(QMessageBox::Ok));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(box.isNull());
}

QTEST_MAIN(tst_legacy_kit)
#include "tst_legacy_kit.moc"
