// Trend view of the display page: sample series, time windows, redraw,
// statistics and axis controls.
#include "mymainwindow.h"

#include "cfg_thread_t.h"
#include "mymainwindow_trend_state.h"

#include "ui_mymainwindow.h"

#include "MyDoubleSpinBox.h"
#include "ui_preview_plot_t.h"
#include "ui_trend_scale_t.h"
#include "ui_xt_scale_draw_t.h"

#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>

namespace {

const int k_quantities = MyMainWindow::trend_state_t::quantities;

// Decimals of the readings: current, voltage, resistance, power.
const int k_decimals[k_quantities] = {4, 4, 3, 2};

// The limit boxes hold axis limits of any reading the load can give.
const double k_limit_box_range = 1.0e6;

struct quantity_widgets_t
{
    QCheckBox* check;
    QLabel* stat_max;
    QLabel* stat_min;
    QLabel* stat_ave;
    MyDoubleSpinBox* box_max;
    MyDoubleSpinBox* box_ave;
    MyDoubleSpinBox* box_min;
    QLabel* unit_max;
    QLabel* unit_ave;
    QLabel* unit_min;
};

quantity_widgets_t widgets_of(Ui_MyMainWindow* ui, int q)
{
    switch (q) {
    case 0:
        return {ui->checkBox_Wave_C, ui->label_Wave_Max_C, ui->label_Wave_Min_C, ui->label_Wave_Ave_C,
                ui->doubleSpinBox_C_MAX, ui->doubleSpinBox_C_AVE, ui->doubleSpinBox_C_MIN,
                ui->label_C_MAX, ui->label_C_AVE, ui->label_C_MIN};
    case 1:
        return {ui->checkBox_Wave_V, ui->label_Wave_Max_V, ui->label_Wave_Min_V, ui->label_Wave_Ave_V,
                ui->doubleSpinBox_V_MAX, ui->doubleSpinBox_V_AVE, ui->doubleSpinBox_V_MIN,
                ui->label_V_MAX, ui->label_V_AVE, ui->label_V_MIN};
    case 2:
        return {ui->checkBox_Wave_R, ui->label_Wave_Max_R, ui->label_Wave_Min_R, ui->label_Wave_Ave_R,
                ui->doubleSpinBox_R_MAX, ui->doubleSpinBox_R_AVE, ui->doubleSpinBox_R_MIN,
                ui->label_R_MAX, ui->label_R_AVE, ui->label_R_MIN};
    default:
        return {ui->checkBox_Wave_P, ui->label_Wave_Max_P, ui->label_Wave_Min_P, ui->label_Wave_Ave_P,
                ui->doubleSpinBox_P_MAX, ui->doubleSpinBox_P_AVE, ui->doubleSpinBox_P_MIN,
                ui->label_P_MAX, ui->label_P_AVE, ui->label_P_MIN};
    }
}

QColor curve_colour(int q)
{
    switch (q) {
    case 0:
        return QColor(Qt::green);
    case 1:
        return QColor(255, 188, 92, 255);
    case 2:
        return QColor(Qt::cyan);
    default:
        return QColor(Qt::yellow);
    }
}

double round_to(double value, int decimals)
{
    return QString::number(value, 'f', decimals).toDouble();
}

// A spin box repaints at every setValue, also of the value it already
// shows; the redraw runs for every measurement set.
void show_value(QDoubleSpinBox* box, double value)
{
    if (round_to(value, box->decimals()) != box->value())
        box->setValue(value);
}

} // namespace

MyMainWindow::trend_state_t::trend_state_t(int series_limit)
    : raw{trend_series_t(series_limit), trend_series_t(series_limit), trend_series_t(series_limit),
          trend_series_t(series_limit)}
{
}

MyMainWindow::trend_state_t::~trend_state_t()
{
    // Curves attached to the plot belong to it; hidden ones are detached.
    for (QwtPlotCurve* c : curves) {
        if (c && !c->plot())
            delete c;
    }
}

void MyMainWindow::init_trend_and_record()
{
    // A save or load waits for the command thread's end without blocking.
    connect(cfg_thread, &QThread::finished, this, &MyMainWindow::start_pending_settings_transfer);

    trend.reset(new trend_state_t(trend_series_limit));
    trend_state_t& t = *trend;

    t.plot = new ui_preview_plot_t(ui->groupBox_Wave, true);
    t.plot->setAttribute(Qt::WA_MouseTracking);
    t.plot->canvas()->setCursor(Qt::ArrowCursor);
    // The plot takes the width the group box leaves right of the axis
    // boxes (more pixel columns for the long windows), the buttons stay
    // centred under it.
    const int plot_x = 390;
    const int plot_width = qMax(423, ui->groupBox_Wave->width() - plot_x - 10);
    t.plot->setGeometry(plot_x, 50, plot_width, 220);
    const int middle = plot_x + plot_width / 2;
    ui->pushButton_Pause_Wave->move(middle - 30 - ui->pushButton_Pause_Wave->width(),
                                    ui->pushButton_Pause_Wave->y());
    ui->pushButton_Clear_Wave->move(middle + 30, ui->pushButton_Clear_Wave->y());
    t.plot->canvas()->setContentsMargins(10, 0, 10, 0);
    t.plot->setAxisScale(QwtPlot::xBottom, 0, t.window.point_count(), t.window.axis_step());
    t.plot->setAxisScale(QwtPlot::yLeft, -11, 111, 10);
    t.plot->setCanvasBackground(QBrush(Qt::black));
    install_time_scale();

    for (int q = 0; q < k_quantities; ++q) {
        QwtPlotCurve* c = new QwtPlotCurve(QString());
        c->setStyle(QwtPlotCurve::Lines);
        c->setCurveAttribute(QwtPlotCurve::Fitted, false);
        c->setPen(curve_colour(q));
        t.curves[q] = c;

        const quantity_widgets_t w = widgets_of(ui, q);
        for (MyDoubleSpinBox* box : {w.box_max, w.box_min, w.box_ave}) {
            box->setFixedWidth(74);
            box->setRange(-k_limit_box_range, k_limit_box_range);
        }
        // A limit takes effect when its entry is finished, not per keystroke
        // (a half-typed upper limit would be clamped to the lower one).
        w.box_max->setKeyboardTracking(false);
        w.box_min->setKeyboardTracking(false);
    }
    trend_point_count = t.window.point_count();
    trend_time_mode = t.window.time_mode();

    init_record();
    init_settings_files();
    init_display_para();
}

void MyMainWindow::install_time_scale()
{
    trend_state_t& t = *trend;
    if (t.scale_mode == t.window.time_mode())
        return;
    ui_xt_scale_draw_t* draw = new ui_xt_scale_draw_t;
    draw->set_time_mode(t.window.time_mode());
    draw->enableComponent(QwtAbstractScaleDraw::Backbone, false);
    draw->enableComponent(QwtAbstractScaleDraw::Ticks, false);
    draw->setSpacing(0);
    t.plot->setAxisScaleDraw(QwtPlot::xBottom, draw); // the plot deletes the previous one
    t.scale_mode = t.window.time_mode();
}

void MyMainWindow::reset_trend_view()
{
    if (!trend)
        return;
    trend_state_t& t = *trend;
    // A new session starts in the 1 minute window with the axes on auto and
    // no record: a record belongs to the session it was started in.
    if (recording)
        end_record_session_ended();
    ui->checkBox_Record->setChecked(false);
    ui->checkBox_Auto->setChecked(true);
    on_checkBox_Auto_clicked();
    ui->comboBox_wave_time->setCurrentIndex(0);
    clear_trend();
    t.plot->setAxisScale(QwtPlot::xBottom, 0, t.window.point_count(), t.window.axis_step());
    install_time_scale();
    t.plot->replot();
}

void MyMainWindow::display_data(double cc, double cv, double cr, double cp, int start, int load)
{
    Q_UNUSED(start);
    if (!trend)
        return;
    trend_state_t& t = *trend;
    if (load == 0) {
        // The input is off: what flows is nothing, whatever the meter says.
        cc = 0;
        cr = 0;
        cp = 0;
    }
    const double in[k_quantities] = {cc, cv, cr, cp};
    for (int q = 0; q < k_quantities; ++q)
        t.record_values[q] = round_to(in[q], k_decimals[q]);

    apply_record_action(t.record.on_measurement());

    // Full series drop their oldest sample as they take the new one.
    for (int q = 0; q < k_quantities; ++q)
        t.raw[q].append(t.record_values[q]);

    const ui_trend_window_t& w = t.window;
    if (!w.takes_point(t.counter)) {
        ++t.counter;
        return;
    }
    if (t.time_axis.size() < w.point_count())
        t.time_axis.append(w.axis_value(t.counter));
    ++t.counter;

    if (trend_paused)
        return;
    deal_trend_data();
}

void MyMainWindow::deal_trend_data()
{
    trend_state_t& t = *trend;
    const ui_trend_window_t& w = t.window;
    const trend_series_t* series = t.raw;
    resample_stats_t stats[k_quantities];

    if (w.is_long()) {
        if (t.time_axis.isEmpty())
            return;
        // The whole window, thinned to the canvas's pixel columns.
        const int pixels = int(t.plot->canvas()->contentsRect().width() * t.plot->devicePixelRatioF());
        for (int q = 0; q < k_quantities; ++q) {
            t.shown_x[q].clear();
            t.shown[q].clear();
            w.thin(series[q].constData(), series[q].size(), pixels, t.shown_x[q], t.shown[q], &stats[q],
                   series[q].taken(), &t.thin_cache[q]);
        }
    } else {
        // One time point per set: the last N sets as they are (no more
        // than the time axis has points for).
        const int n = qMin(qMin(series[0].size(), w.point_count()), t.time_axis.size());
        for (int q = 0; q < k_quantities; ++q) {
            t.shown[q] = series[q].last_samples(n);
            t.shown_x[q] = t.time_axis.mid(0, n);
            stats[q] = ui_trend_scale_t::statistics(t.shown[q]);
        }
    }

    for (int q = 0; q < k_quantities; ++q) {
        const quantity_widgets_t wd = widgets_of(ui, q);
        wd.stat_max->setText(QString::number(stats[q].maximum, 'f', k_decimals[q]));
        wd.stat_min->setText(QString::number(stats[q].minimum, 'f', k_decimals[q]));
        wd.stat_ave->setText(QString::number(stats[q].mean, 'f', k_decimals[q]));
    }

    if (trend_auto_range) {
        for (int q = 0; q < k_quantities; ++q) {
            t.upper[q] = ui_trend_scale_t::auto_upper(stats[q].maximum);
            t.lower[q] = ui_trend_scale_t::auto_lower(stats[q].minimum);
        }
        // The boxes' slots only clamp and store here; the curves are scaled
        // below.
        t.redraw_sets_limits = true;
        for (int q = 0; q < k_quantities; ++q) {
            const quantity_widgets_t wd = widgets_of(ui, q);
            show_value(wd.box_max, t.upper[q]);
            show_value(wd.box_min, t.lower[q]);
        }
        t.redraw_sets_limits = false;
    }
    for (int q = 0; q < k_quantities; ++q) {
        show_value(widgets_of(ui, q).box_ave, (t.upper[q] + t.lower[q]) * 0.5);
        ui_trend_scale_t::to_percent(t.shown[q], t.upper[q], t.lower[q], t.scaled[q]);
    }

    install_time_scale();
    t.plot->setAxisScale(QwtPlot::xBottom, 0, w.point_count(), w.axis_step());
    for (int q = 0; q < k_quantities; ++q) {
        t.curves[q]->setSamples(t.shown_x[q], t.scaled[q]);
        on_wave_check(q);
    }
    t.plot->replot();
}

void MyMainWindow::on_comboBox_wave_time_currentIndexChanged(int index)
{
    // The form sets its first item before the trend exists.
    if (!trend)
        return;
    trend_state_t& t = *trend;
    for (int q = 0; q < k_quantities; ++q) {
        t.scaled[q].clear();
        t.shown[q].clear();
        t.shown_x[q].clear();
    }
    t.time_axis.clear();
    if (!t.window.set_index(index))
        return;
    trend_point_count = t.window.point_count();
    trend_time_mode = t.window.time_mode();
    const int m = t.window.axis_points_after_switch(t.counter);
    t.time_axis.reserve(m);
    for (int i = 0; i < m; ++i)
        t.time_axis.append(i);
    deal_trend_data();
}

void MyMainWindow::pause_adjust_func(double max, double min, int q)
{
    trend_state_t& t = *trend;
    ui_trend_scale_t::to_percent(t.shown[q], max, min, t.scaled[q]);
    t.curves[q]->setSamples(t.shown_x[q], t.scaled[q]);
}

void MyMainWindow::set_trend_upper(int q, double value)
{
    if (!trend)
        return;
    trend_state_t& t = *trend;
    const double upper = t.lower[q] > value ? t.lower[q] : value;
    t.upper[q] = upper;
    const quantity_widgets_t wd = widgets_of(ui, q);
    wd.box_max->setValue(upper);
    if (t.redraw_sets_limits)
        return;
    wd.box_ave->setValue((t.upper[q] + t.lower[q]) * 0.5);
    pause_adjust_func(t.upper[q], t.lower[q], q);
    t.plot->replot();
}

void MyMainWindow::set_trend_lower(int q, double value)
{
    if (!trend)
        return;
    trend_state_t& t = *trend;
    const double lower = value > t.upper[q] ? t.upper[q] : value;
    t.lower[q] = lower;
    const quantity_widgets_t wd = widgets_of(ui, q);
    wd.box_min->setValue(lower);
    if (t.redraw_sets_limits)
        return;
    wd.box_ave->setValue((t.upper[q] + t.lower[q]) * 0.5);
    pause_adjust_func(t.upper[q], t.lower[q], q);
    t.plot->replot();
}

// The limit boxes move before the trend exists (the form sets them up).
void MyMainWindow::on_doubleSpinBox_C_MAX_valueChanged(double value) { set_trend_upper(0, value); }
void MyMainWindow::on_doubleSpinBox_V_MAX_valueChanged(double value) { set_trend_upper(1, value); }
void MyMainWindow::on_doubleSpinBox_R_MAX_valueChanged(double value) { set_trend_upper(2, value); }
void MyMainWindow::on_doubleSpinBox_P_MAX_valueChanged(double value) { set_trend_upper(3, value); }
void MyMainWindow::on_doubleSpinBox_C_MIN_valueChanged(double value) { set_trend_lower(0, value); }
void MyMainWindow::on_doubleSpinBox_V_MIN_valueChanged(double value) { set_trend_lower(1, value); }
void MyMainWindow::on_doubleSpinBox_R_MIN_valueChanged(double value) { set_trend_lower(2, value); }
void MyMainWindow::on_doubleSpinBox_P_MIN_valueChanged(double value) { set_trend_lower(3, value); }

void MyMainWindow::on_checkBox_Auto_clicked()
{
    trend_auto_range = ui->checkBox_Auto->isChecked();
    for (int q = 0; q < k_quantities; ++q) {
        const quantity_widgets_t wd = widgets_of(ui, q);
        wd.box_max->setEnabled(!trend_auto_range);
        wd.box_min->setEnabled(!trend_auto_range);
    }
}

void MyMainWindow::show_wave_widgets(int q, bool on)
{
    const quantity_widgets_t wd = widgets_of(ui, q);
    for (QWidget* w : {static_cast<QWidget*>(wd.box_ave), static_cast<QWidget*>(wd.unit_ave),
                       static_cast<QWidget*>(wd.box_max), static_cast<QWidget*>(wd.unit_max),
                       static_cast<QWidget*>(wd.box_min), static_cast<QWidget*>(wd.unit_min)})
        w->setVisible(on);
}

void MyMainWindow::on_wave_check(int q)
{
    trend_state_t& t = *trend;
    const bool on = widgets_of(ui, q).check->isChecked();
    show_wave_widgets(q, on);
    if (on) {
        if (!t.curves[q]->plot())
            t.curves[q]->attach(t.plot);
    } else {
        t.curves[q]->detach();
    }
}

void MyMainWindow::on_checkBox_Wave_C_clicked()
{
    on_wave_check(0);
}

void MyMainWindow::on_checkBox_Wave_V_clicked()
{
    on_wave_check(1);
}

void MyMainWindow::on_checkBox_Wave_R_clicked()
{
    on_wave_check(2);
}

void MyMainWindow::on_checkBox_Wave_P_clicked()
{
    on_wave_check(3);
}

void MyMainWindow::wave_show_C_info(bool on)
{
    show_wave_widgets(0, on);
}

void MyMainWindow::wave_show_V_info(bool on)
{
    show_wave_widgets(1, on);
}

void MyMainWindow::wave_show_R_info(bool on)
{
    show_wave_widgets(2, on);
}

void MyMainWindow::wave_show_P_info(bool on)
{
    show_wave_widgets(3, on);
}

void MyMainWindow::show_wave_C_widgets()
{
    show_wave_widgets(0, true);
}

void MyMainWindow::show_wave_V_widgets()
{
    show_wave_widgets(1, true);
}

void MyMainWindow::show_wave_R_widgets()
{
    show_wave_widgets(2, true);
}

void MyMainWindow::show_wave_P_widgets()
{
    show_wave_widgets(3, true);
}

void MyMainWindow::on_pushButton_Pause_Wave_clicked()
{
    // The flag, not the (translated) button text, tells the state.
    trend_paused = !trend_paused;
    ui->pushButton_Pause_Wave->setText(trend_paused ? tr("Start") : tr("Pause"));
}

void MyMainWindow::on_pushButton_Clear_Wave_clicked()
{
    clear_trend();
}

void MyMainWindow::clear_trend(bool with_statistics)
{
    if (!trend)
        return;
    trend_state_t& t = *trend;
    for (int q = 0; q < k_quantities; ++q) {
        t.scaled[q].clear();
        t.raw[q].clear();
        t.shown[q].clear();
        t.shown_x[q].clear();
    }
    t.time_axis.clear();
    t.counter = 0;
    for (int q = 0; q < k_quantities; ++q) {
        t.curves[q]->setSamples(t.shown_x[q], t.scaled[q]);
        if (!with_statistics)
            continue;
        const quantity_widgets_t wd = widgets_of(ui, q);
        for (QLabel* stat : {wd.stat_max, wd.stat_min, wd.stat_ave})
            stat->clear();
    }
    t.plot->replot();
}

void MyMainWindow::on_pushButton_ShowWave_clicked()
{
    ui->groupBox_Wave->show();
    init_display_para();
}

void MyMainWindow::init_display_para()
{
    if (is_connected)
        return;
    ui->checkBox_Record->setChecked(false);
    ui->checkBox_Auto->setChecked(trend_auto_range);
    for (int q = 0; q < k_quantities; ++q)
        widgets_of(ui, q).check->setChecked(true);
    on_checkBox_Auto_clicked();
}

QString MyMainWindow::set_display_value(double value, int weishu)
{
    if (value > 0)
        value = qMax(value, 0.0001);
    QString text = QString::number(value, 'g', 6);
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        const int end = dot + weishu + 1;
        if (end <= text.size())
            text.truncate(end);
        else
            text = text.leftJustified(end, QLatin1Char('0'));
        return text;
    }
    if (weishu < 1)
        return text;
    return text + QLatin1Char('.') + QString(weishu, QLatin1Char('0'));
}
