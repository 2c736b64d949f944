// The display page's trend: measurement sets into the series, the time
// windows (the long ones show their whole window thinned), the redraw's
// statistics and automatic range, the limit boxes, pause, clear and the
// curve check boxes. No load: the sets are handed in as the poll would.
#include "mymainwindow.h"
#include "mymainwindow_trend_state.h"

#include "ui_mymainwindow.h"

#include "MyDoubleSpinBox.h"
#include "ui_preview_plot_t.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <qwt_plot_curve.h>

#include <algorithm>

class tst_trend_view : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sets_rounded_and_input_off_zeroed();
    void short_window_draws_the_last_points();
    void statistics_and_automatic_range();
    void long_window_takes_every_kth_set();
    void long_windows_show_the_whole_window();
    void series_slide_at_the_limit();
    void switching_windows_rebuilds_the_time_axis();
    void limits_clamp_and_rescale_the_shown_points();
    void pause_keeps_collecting_and_clear_empties();
    void curve_boxes_hide_their_axis_widgets();
    void display_value_formatter();

private:
    MyMainWindow::trend_state_t& t() { return *w->trend; }
    void feed(int n, double c = 1.0, double v = 12.0, double r = 12.0, double p = 12.0)
    {
        for (int i = 0; i < n; ++i)
            w->display_data(c, v, r, p, 0, 1);
    }

    MyMainWindow* w = nullptr;
};

void tst_trend_view::init()
{
    w = new MyMainWindow;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

void tst_trend_view::cleanup()
{
    delete w;
    w = nullptr;
}

void tst_trend_view::sets_rounded_and_input_off_zeroed()
{
    w->display_data(1.234567, 12.000449, 8.00349, 18.256, 0, 1);
    QCOMPARE(t().raw[0].last(), 1.2346);
    QCOMPARE(t().raw[1].last(), 12.0004);
    QCOMPARE(t().raw[2].last(), 8.003);
    QCOMPARE(t().raw[3].last(), 18.26);
    QCOMPARE(t().record_values[3], 18.26);

    // input off: no current, resistance or power; the voltage as measured
    w->display_data(1.5, 12.5, 8.0, 18.0, 0, 0);
    QCOMPARE(t().raw[0].last(), 0.0);
    QCOMPARE(t().raw[1].last(), 12.5);
    QCOMPARE(t().raw[2].last(), 0.0);
    QCOMPARE(t().raw[3].last(), 0.0);
    QCOMPARE(t().counter, 2);
}

void tst_trend_view::short_window_draws_the_last_points()
{
    for (int i = 0; i < 200; ++i)
        w->display_data(i * 0.01, 10, 5, 1, 0, 1);
    QCOMPARE(t().raw[0].size(), 200);
    QCOMPARE(t().time_axis.size(), 150); // "1min": 150 points
    QCOMPARE(t().time_axis.first(), 0.0);
    QCOMPARE(t().time_axis.last(), 149.0);
    QCOMPARE(t().shown[0].size(), 150);
    QCOMPARE(t().shown[0].first(), 0.5); // the last 150 of 200 sets
    QCOMPARE(t().shown[0].last(), 1.99);
    QCOMPARE(t().shown_x[0], t().time_axis);
    QCOMPARE(int(t().curves[0]->dataSize()), 150);
    QCOMPARE(t().curves[0]->plot(), static_cast<QwtPlot*>(t().plot));
    QCOMPARE(t().plot->axisScaleDiv(QwtPlot::xBottom).upperBound(), 150.0);
}

void tst_trend_view::statistics_and_automatic_range()
{
    const double currents[] = {1.0, 3.0, 2.0};
    for (double c : currents)
        w->display_data(c, 12.0, 0.0, 24.04, 0, 1);
    Ui_MyMainWindow* ui = w->ui;
    QCOMPARE(ui->label_Wave_Max_C->text(), QString("3.0000"));
    QCOMPARE(ui->label_Wave_Min_C->text(), QString("1.0000"));
    QCOMPARE(ui->label_Wave_Ave_C->text(), QString("2.0000"));
    QCOMPARE(ui->label_Wave_Max_P->text(), QString("24.04"));
    QCOMPARE(ui->label_Wave_Ave_R->text(), QString("0.000"));

    // upper: maximum up to a tenth; lower: a tenth below, but 0 stays 0
    QCOMPARE(ui->doubleSpinBox_C_MAX->value(), 3.0);
    QCOMPARE(ui->doubleSpinBox_C_MIN->value(), 0.9);
    QCOMPARE(ui->doubleSpinBox_C_AVE->value(), 1.95);
    QCOMPARE(t().upper[1], 12.0); // equal values: a range of 0.1 around them
    QCOMPARE(t().lower[1], 11.9);
    QCOMPARE(t().lower[2], 0.0);
    QCOMPARE(ui->doubleSpinBox_P_MAX->value(), 24.1);
    QCOMPARE(ui->doubleSpinBox_P_MIN->value(), 24.0);
    // voltage and power far beyond the old box limits of 30
    w->display_data(1.0, 148.5, 2.0, 297.0, 0, 1);
    QCOMPARE(ui->doubleSpinBox_V_MAX->value(), 148.5);
    QCOMPARE(ui->doubleSpinBox_P_MAX->value(), 297.0);

    // percent of each curve's own range
    QVERIFY(qAbs(t().scaled[0][1] - (3.0 - 0.9) * 100 / (3.0 - 0.9)) < 1e-9);
    QVERIFY(qAbs(t().scaled[0][0] - (1.0 - 0.9) * 100 / 2.1) < 1e-9);
    QVERIFY(!ui->doubleSpinBox_C_MAX->isEnabled()); // automatic range on
}

void tst_trend_view::long_window_takes_every_kth_set()
{
    w->ui->comboBox_wave_time->setCurrentIndex(4); // "5hour": k = 5
    QCOMPARE(w->trend_time_mode, 5);
    QCOMPARE(w->trend_point_count, 10000);
    QList<int> axis_sizes;
    for (int i = 0; i < 7; ++i) {
        w->display_data(1.0 + i, 1, 1, 1, 0, 1);
        axis_sizes << t().time_axis.size();
    }
    // sets 0 and 5 add time points 0 and 1; the others only their samples
    QCOMPARE(axis_sizes, (QList<int>{1, 1, 1, 1, 1, 2, 2}));
    QCOMPARE(t().time_axis, (QVector<double>{0, 1}));
    QCOMPARE(t().raw[0].size(), 7);
    QCOMPARE(t().counter, 7);
    // the last redraw came with set 5: sets 0..5 at x = set / 5, thinned to
    // the one pixel column they cover, keeping their extremes
    QCOMPARE(t().shown_x[0].first(), 0.0);
    QCOMPARE(t().shown_x[0].last(), 1.0);
    QCOMPARE(*std::min_element(t().shown[0].begin(), t().shown[0].end()), 1.0);
    QCOMPARE(*std::max_element(t().shown[0].begin(), t().shown[0].end()), 6.0);
}

void tst_trend_view::long_windows_show_the_whole_window()
{
    // 24 hours of sets at the poll's pace would take too long to draw one
    // by one: collect them paused, then choose the windows.
    QTest::mouseClick(w->ui->pushButton_Pause_Wave, Qt::LeftButton);
    const int n = 250000;
    for (int i = 0; i < n; ++i)
        w->display_data(i == 1000 ? 9.0 : 1.0, 12.0, 1.0, 1.0, 0, 1);
    QCOMPARE(t().raw[0].size(), n);
    QCOMPARE(t().time_axis.size(), 150); // "1min" took one point per set

    w->ui->comboBox_wave_time->setCurrentIndex(6); // "24hour": 10000 x 25 sets
    QCOMPARE(t().time_axis.size(), 10000);
    // the peak early in the window is drawn and counted
    QCOMPARE(w->ui->label_Wave_Max_C->text(), QString("9.0000"));
    QCOMPARE(*std::max_element(t().shown[0].begin(), t().shown[0].end()), 9.0);
    QVERIFY(t().shown_x[0].first() < 1.0);
    QVERIFY(t().shown_x[0].last() > 9999.0);
    // thinned for the canvas, not 250000 points
    QVERIFY(t().shown[0].size() <= 4 * 10000);
    QVERIFY(t().shown[0].size() < 10000);

    w->ui->comboBox_wave_time->setCurrentIndex(3); // "1hour": the last 10000 sets only
    QCOMPARE(w->ui->label_Wave_Max_C->text(), QString("1.0000"));
    QCOMPARE(t().shown[0].size(), 10000);

    w->ui->comboBox_wave_time->setCurrentIndex(5); // "10hour": the last 100000 sets
    QCOMPARE(w->ui->label_Wave_Max_C->text(), QString("1.0000"));
    QVERIFY(t().shown_x[0].last() > 9999.0);
}

void tst_trend_view::series_slide_at_the_limit()
{
    QTest::mouseClick(w->ui->pushButton_Pause_Wave, Qt::LeftButton);
    const int limit = w->trend_series_limit;
    for (int i = 0; i < limit + 2; ++i)
        w->display_data(i < 2 ? 5.0 : 1.0, 1, 1, 1, 0, 1);
    for (int q = 0; q < 4; ++q)
        QCOMPARE(t().raw[q].size(), limit);
    QCOMPARE(t().raw[0].first(), 1.0); // the two oldest sets are gone
    QCOMPARE(t().counter, limit + 2);
}

void tst_trend_view::switching_windows_rebuilds_the_time_axis()
{
    QTest::mouseClick(w->ui->pushButton_Pause_Wave, Qt::LeftButton);
    feed(1000);
    w->ui->comboBox_wave_time->setCurrentIndex(4); // "5hour": 1000 / 5 points
    QCOMPARE(t().time_axis.size(), 200);
    QCOMPARE(t().time_axis.last(), 199.0);
    QCOMPARE(t().counter, 1000);
    QCOMPARE(t().raw[0].size(), 1000);
    w->ui->comboBox_wave_time->setCurrentIndex(1); // "5min": 900 points at most
    QCOMPARE(t().time_axis.size(), 900);
    QCOMPARE(t().shown[0].size(), 900);
    QCOMPARE(t().plot->axisScaleDiv(QwtPlot::xBottom).upperBound(), 900.0);
}

void tst_trend_view::limits_clamp_and_rescale_the_shown_points()
{
    for (double c : {1.0, 2.0, 3.0})
        w->display_data(c, 12, 1, 1, 0, 1);
    Ui_MyMainWindow* ui = w->ui;
    QTest::mouseClick(ui->checkBox_Auto, Qt::LeftButton);
    QVERIFY(!w->trend_auto_range);
    QVERIFY(ui->doubleSpinBox_C_MAX->isEnabled());
    QCOMPARE(ui->doubleSpinBox_C_MAX->value(), 3.0); // the last automatic limits stay

    // typed as a user does: the limit applies when the entry is finished
    ui->doubleSpinBox_C_MIN->setFocus();
    ui->doubleSpinBox_C_MIN->selectAll();
    QTest::keyClicks(ui->doubleSpinBox_C_MIN, "1");
    QTest::keyClick(ui->doubleSpinBox_C_MIN, Qt::Key_Enter);
    QCOMPARE(t().lower[0], 1.0);
    QCOMPARE(t().scaled[0], (QVector<double>{0, 50, 100}));
    QCOMPARE(ui->doubleSpinBox_C_AVE->value(), 2.0);

    // an upper limit below the lower one takes the lower one
    ui->doubleSpinBox_C_MAX->setFocus();
    ui->doubleSpinBox_C_MAX->selectAll();
    QTest::keyClicks(ui->doubleSpinBox_C_MAX, "0.5");
    QTest::keyClick(ui->doubleSpinBox_C_MAX, Qt::Key_Enter);
    QCOMPARE(t().upper[0], 1.0);
    QCOMPARE(ui->doubleSpinBox_C_MAX->value(), 1.0);
    QCOMPARE(t().scaled[0], (QVector<double>{50, 200, 200}));

    // a lower limit above the upper one takes the upper one
    ui->doubleSpinBox_V_MIN->setValue(20);
    QCOMPARE(t().lower[1], t().upper[1]);
    QCOMPARE(ui->doubleSpinBox_V_MIN->value(), t().upper[1]);
    QCOMPARE(t().scaled[1], (QVector<double>{50, 50, 50})); // all on the one limit
    ui->doubleSpinBox_V_MAX->setValue(13);
    ui->doubleSpinBox_V_MIN->setValue(12.5);
    QCOMPARE(t().scaled[1], (QVector<double>{-100, -100, -100}));
}

void tst_trend_view::pause_keeps_collecting_and_clear_empties()
{
    feed(5, 2.0);
    QTest::mouseClick(w->ui->pushButton_Pause_Wave, Qt::LeftButton);
    QVERIFY(w->trend_paused);
    QCOMPARE(w->ui->pushButton_Pause_Wave->text(), QString("Start"));
    feed(5, 4.0);
    QCOMPARE(t().raw[0].size(), 10);
    QCOMPARE(t().shown[0].size(), 5); // not redrawn
    QCOMPARE(t().time_axis.size(), 10);

    // paused, a limit change rescales the points drawn, at their own x
    QTest::mouseClick(w->ui->checkBox_Auto, Qt::LeftButton);
    const QVector<double> x_before = t().shown_x[0];
    w->ui->doubleSpinBox_C_MAX->setValue(4.0);
    w->ui->doubleSpinBox_C_MIN->setValue(0.0);
    QCOMPARE(t().scaled[0], (QVector<double>{50, 50, 50, 50, 50}));
    QCOMPARE(t().shown_x[0], x_before);
    QCOMPARE(int(t().curves[0]->dataSize()), 5);

    QTest::mouseClick(w->ui->pushButton_Clear_Wave, Qt::LeftButton);
    QCOMPARE(t().counter, 0);
    QVERIFY(t().raw[0].isEmpty());
    QVERIFY(t().time_axis.isEmpty());
    QCOMPARE(int(t().curves[0]->dataSize()), 0);
    QCOMPARE(w->ui->label_Wave_Max_C->text(), QString("2.0000")); // the labels keep their values

    feed(3, 1.0); // still collected while paused, drawn after resuming
    QCOMPARE(t().raw[0].size(), 3);
    QTest::mouseClick(w->ui->pushButton_Pause_Wave, Qt::LeftButton);
    QCOMPARE(w->ui->pushButton_Pause_Wave->text(), QString("Pause"));
    feed(1, 1.0);
    QCOMPARE(t().shown[0].size(), 4);
}

void tst_trend_view::curve_boxes_hide_their_axis_widgets()
{
    feed(3);
    Ui_MyMainWindow* ui = w->ui;
    QVERIFY(ui->checkBox_Wave_P->isChecked());
    QVERIFY(ui->doubleSpinBox_P_MAX->isVisible());
    QTest::mouseClick(ui->checkBox_Wave_P, Qt::LeftButton);
    for (QWidget* x : {static_cast<QWidget*>(ui->doubleSpinBox_P_AVE), static_cast<QWidget*>(ui->label_P_AVE),
                       static_cast<QWidget*>(ui->doubleSpinBox_P_MAX), static_cast<QWidget*>(ui->label_P_MAX),
                       static_cast<QWidget*>(ui->doubleSpinBox_P_MIN), static_cast<QWidget*>(ui->label_P_MIN)})
        QVERIFY2(!x->isVisible(), qPrintable(x->objectName()));
    QCOMPARE(t().curves[3]->plot(), static_cast<QwtPlot*>(nullptr));
    QVERIFY(ui->doubleSpinBox_C_MAX->isVisible());
    feed(1); // the redraw keeps it hidden
    QCOMPARE(t().curves[3]->plot(), static_cast<QwtPlot*>(nullptr));
    QTest::mouseClick(ui->checkBox_Wave_P, Qt::LeftButton);
    QVERIFY(ui->doubleSpinBox_P_MIN->isVisible());
    QCOMPARE(t().curves[3]->plot(), static_cast<QwtPlot*>(t().plot));
}

void tst_trend_view::display_value_formatter()
{
    QCOMPARE(w->set_display_value(1.5, 3), QString("1.500"));
    QCOMPARE(w->set_display_value(2, 2), QString("2.00"));
    QCOMPARE(w->set_display_value(2, 0), QString("2"));
    QCOMPARE(w->set_display_value(0.00001, 2), QString("0.00"));
    QCOMPARE(w->set_display_value(12.34567, 2), QString("12.34"));
    QCOMPARE(MyMainWindow::hms_to_seconds(1, 2, 3), 3723);
}

QTEST_MAIN(tst_trend_view)
#include "tst_trend_view.moc"
