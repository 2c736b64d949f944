// Trend and record of the display page: one measurement set in, the four
// series, the time window, percent scaling against the axis limits, the
// limit boxes, the clear button and the CSV record. The window arithmetic,
// thinning and scaling are the live trend's own (ui_trend_window_t,
// ui_trend_scale_t), the row format the live record's.
#include "mainwindow.h"

#include "custom_input_spinbox.h"
#include "custom_radiobutton.h"
#include "trend_record_t.h"
#include "ui_preview_plot_t.h"
#include "ui_trend_scale_t.h"
#include "ui_xt_scale_draw_t.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include "file_dialog.h"
#include <QLabel>
#include <QTextStream>
#include <QTime>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>

namespace {

// Decimals of current, voltage, resistance and power.
const int k_decimals[MainWindow::quantities] = {4, 4, 3, 2};
const char* const k_units[MainWindow::quantities] = {" A", " V", " Ω", " W"};
const char k_record_header[] = "time, Current(A), Voltage(V), Resis(ohm), Power(W)";

double round_to(double value, int decimals)
{
    return QString::number(value, 'f', decimals).toDouble();
}

} // namespace

QVector<double>& MainWindow::series_of(int q)
{
    QVector<double>* s[quantities] = {&series_current, &series_voltage, &series_resistance, &series_power};
    return *s[q];
}

QVector<double>& MainWindow::window_of(int q)
{
    QVector<double>* s[quantities] = {&window_current, &window_voltage, &window_resistance, &window_power};
    return *s[q];
}

QVector<double>& MainWindow::scaled_of(int q)
{
    QVector<double>* s[quantities] = {&scaled_current, &scaled_voltage, &scaled_resistance, &scaled_power};
    return *s[q];
}

QwtPlotCurve* MainWindow::curve_of(int q)
{
    QwtPlotCurve* c[quantities] = {curve_current, curve_voltage, curve_resistance, curve_power};
    return c[q];
}

void MainWindow::take_measurement(double current, double voltage, double resistance, double power, int,
                                  int load_on)
{
    if (load_on == 0) {
        // The input is off: nothing flows, whatever the meter says.
        current = 0;
        resistance = 0;
        power = 0;
    }
    const double in[quantities] = {current, voltage, resistance, power};
    double v[quantities];
    for (int q = 0; q < quantities; ++q)
        v[q] = round_to(in[q], k_decimals[q]);

    if (record_file->isOpen())
        write_record_row(v[0], v[1], v[2], v[3]);

    if (series_current.size() >= series_limit) {
        for (int q = 0; q < quantities; ++q)
            series_of(q).removeFirst();
    }
    for (int q = 0; q < quantities; ++q)
        series_of(q).append(v[q]);

    if (!trend_window.takes_point(sample_counter)) {
        ++sample_counter;
        return;
    }
    if (time_axis.size() < trend_window.point_count())
        time_axis.append(trend_window.axis_value(sample_counter));
    ++sample_counter;

    if (paused)
        return;
    for (int q = 0; q < quantities; ++q)
        window_of(q).clear();
    update_trend(series_current, series_voltage, series_resistance, series_power);
}

void MainWindow::write_record_row(double current, double voltage, double resistance, double power)
{
    record_text = trend_record_t::row(QTime::currentTime(), current, voltage, resistance, power);
    QTextStream out(record_file);
    out << record_text;
    out.flush();
    if (out.status() == QTextStream::Ok)
        return;
    // A full disk or a vanished folder ends the record with what it holds.
    record_file->close();
    record_radio->set_checked(1);
    show_warning(tr("The record file cannot be written; the record has stopped."));
}

void MainWindow::install_time_scale()
{
    ui_xt_scale_draw_t* draw = new ui_xt_scale_draw_t;
    draw->set_time_mode(time_mode);
    draw->enableComponent(QwtAbstractScaleDraw::Backbone, false);
    draw->enableComponent(QwtAbstractScaleDraw::Ticks, false);
    draw->setSpacing(0);
    plot->setAxisScaleDraw(QwtPlot::xBottom, draw); // the plot deletes the previous one
    plot->setAxisScale(QwtPlot::xBottom, 0, window_points, trend_window.axis_step());
}

void MainWindow::update_trend(QVector<double> current, QVector<double> voltage, QVector<double> resistance,
                              QVector<double> power)
{
    const QVector<double>* series[quantities] = {&current, &voltage, &resistance, &power};
    resample_stats_t stats[quantities];
    const ui_trend_window_t& w = trend_window;

    if (w.is_long()) {
        if (time_axis.isEmpty())
            return;
        // The whole window (N x k sets) thinned to the canvas's pixel columns,
        // peaks kept.
        const int pixels = int(plot->canvas()->contentsRect().width() * plot->devicePixelRatioF());
        for (int q = 0; q < quantities; ++q) {
            QVector<double> x;
            window_of(q).clear();
            w.thin(series[q]->constData(), series[q]->size(), pixels, x, window_of(q), &stats[q]);
            if (q == 0)
                window_x = x;
        }
    } else {
        // The newest sets, no more than the time axis has points for.
        const int n = qMin(qMin(current.size(), w.point_count()), time_axis.size());
        for (int q = 0; q < quantities; ++q) {
            window_of(q) = series[q]->mid(series[q]->size() - n);
            stats[q] = ui_trend_scale_t::statistics(window_of(q));
        }
        window_x = time_axis.mid(0, n);
    }

    for (int q = 0; q < quantities; ++q) {
        stat_labels[q * 3]->setText(format_decimals(stats[q].maximum, k_decimals[q]));
        stat_labels[q * 3 + 1]->setText(format_decimals(stats[q].minimum, k_decimals[q]));
        stat_labels[q * 3 + 2]->setText(format_decimals(stats[q].mean, k_decimals[q]));
    }

    double upper[quantities];
    double lower[quantities];
    const int range_mode = auto_range_radio->checked_index();
    for (int q = 0; q < quantities; ++q) {
        if (range_mode == 1) {
            upper[q] = axis_max[q];
            lower[q] = axis_min[q];
        } else if (range_mode == 0) {
            upper[q] = axis_max[q] = ui_trend_scale_t::auto_upper(stats[q].maximum);
            lower[q] = axis_min[q] = ui_trend_scale_t::auto_lower(stats[q].minimum);
        } else {
            upper[q] = stats[q].maximum;
            lower[q] = stats[q].minimum;
        }
        shown_max[q] = upper[q];
        shown_min[q] = lower[q];
    }
    if (range_mode == 0) {
        // The boxes' slots only store here; the curves are scaled below.
        trend_sets_limits = true;
        for (int q = 0; q < quantities; ++q) {
            limit_max_spin[q]->set_value(upper[q]);
            limit_min_spin[q]->set_value(lower[q]);
        }
        trend_sets_limits = false;
    }
    for (int q = 0; q < quantities; ++q) {
        mid_labels[q]->setText(QString::number((upper[q] + lower[q]) * 0.5, 'f', 1) + QString::fromUtf8(k_units[q]));
        ui_trend_scale_t::to_percent(window_of(q), upper[q], lower[q], scaled_of(q));
    }

    install_time_scale();
    for (int q = 0; q < quantities; ++q) {
        curve_of(q)->setSamples(window_x, scaled_of(q));
        show_curve(q, curve_checks[q]->isChecked());
    }
    plot->replot();
}

// Rescales what the plot shows (the window at its own x), not the whole
// series: a limit change must not redraw every kept reading over the window.
void MainWindow::scale_to_percent(double max, double min, QVector<double> source, QVector<double>& output,
                                  QwtPlotCurve* curve)
{
    ui_trend_scale_t::to_percent(source, max, min, output);
    curve->setSamples(window_x.mid(0, output.size()), output);
}

void MainWindow::set_axis_limit(int q, bool upper)
{
    if (upper) {
        const double v = limit_max_spin[q]->value();
        axis_max[q] = shown_max[q] = v < axis_min[q] ? axis_min[q] : v;
        limit_max_spin[q]->set_value(axis_max[q]);
    } else {
        const double v = limit_min_spin[q]->value();
        axis_min[q] = shown_min[q] = v > axis_max[q] ? axis_max[q] : v;
        limit_min_spin[q]->set_value(axis_min[q]);
    }
    if (trend_sets_limits)
        return;
    mid_labels[q]->setText(QString::number((axis_max[q] + axis_min[q]) * 0.5, 'f', 1) + QString::fromUtf8(k_units[q]));
    scale_to_percent(axis_max[q], axis_min[q], window_of(q), scaled_of(q), curve_of(q));
    plot->replot();
}

void MainWindow::deal_current_max_spinbox() { set_axis_limit(0, true); }
void MainWindow::deal_voltage_max_spinbox() { set_axis_limit(1, true); }
void MainWindow::deal_resis_max_spinbox() { set_axis_limit(2, true); }
void MainWindow::deal_power_max_spinbox() { set_axis_limit(3, true); }
void MainWindow::deal_current_min_spinbox() { set_axis_limit(0, false); }
void MainWindow::deal_voltage_min_spinbox() { set_axis_limit(1, false); }
void MainWindow::deal_resis_min_spinbox() { set_axis_limit(2, false); }
void MainWindow::deal_power_min_spinbox() { set_axis_limit(3, false); }

void MainWindow::deal_display_time_combobox(int index)
{
    if (!trend_window.set_index(index))
        return;
    for (int q = 0; q < quantities; ++q) {
        scaled_of(q).clear();
        window_of(q).clear();
    }
    time_axis.clear();
    window_points = trend_window.point_count();
    time_mode = trend_window.time_mode();
    const int n = trend_window.axis_points_after_switch(sample_counter);
    time_axis.reserve(n);
    for (int i = 0; i < n; ++i)
        time_axis.append(i);
    update_trend(series_current, series_voltage, series_resistance, series_power);
}

void MainWindow::deal_display_clear_button()
{
    time_axis.clear();
    for (int q = 0; q < quantities; ++q) {
        series_of(q).clear();
        window_of(q).clear();
        scaled_of(q).clear();
    }
    window_x.clear();
    sample_counter = 0;
    for (int q = 0; q < quantities; ++q)
        curve_of(q)->setSamples(time_axis, scaled_of(q));
    plot->replot();
}

void MainWindow::deal_record_on()
{
    if (!connected)
        return;
    const QString name = wattlex_save_file_name(this, QStringLiteral("save file"), QDir::currentPath(),
                                                      QStringLiteral("csv(*.csv)"));
    if (name.isEmpty()) {
        record_radio->set_checked(1);
        return;
    }
    if (record_file->isOpen())
        return;
    record_file->setFileName(name);
    if (!record_file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        record_radio->set_checked(1);
        show_warning(tr("The record file %1 cannot be opened: %2").arg(name, record_file->errorString()));
        return;
    }
    record_text = QString::fromLatin1(k_record_header);
    QTextStream out(record_file);
    out << record_text;
}
