// State of the display page's trend and record, held by MyMainWindow::trend.
#ifndef MYMAINWINDOW_TREND_STATE_H
#define MYMAINWINDOW_TREND_STATE_H

#include "mymainwindow.h"
#include "trend_record_t.h"
#include "ui_trend_window_t.h"

#include <QString>
#include <QVector>

class QTimer;
class QwtPlotCurve;
class ui_preview_plot_t;

struct MyMainWindow::trend_state_t
{
    // Index q of the arrays: 0 current, 1 voltage, 2 resistance, 3 power.
    static constexpr int quantities = 4;

    ~trend_state_t();

    ui_trend_window_t window;            // the time-window choice
    QVector<double> raw[quantities];     // raw samples, all the same length
    QVector<double> time_axis;           // time points of the window so far
    int counter = 0;                     // measurement sets since a clear or connect
    QVector<double> shown_x[quantities]; // what the last redraw plotted, at these x
    QVector<double> shown[quantities];
    QVector<double> scaled[quantities];  // shown values in percent of the axis range
    double upper[quantities] = {0, 0, 0, 0};
    double lower[quantities] = {0, 0, 0, 0};
    double record_values[quantities] = {0, 0, 0, 0}; // the last rounded set
    ui_preview_plot_t* plot = nullptr;
    QwtPlotCurve* curves[quantities] = {nullptr, nullptr, nullptr, nullptr};
    int scale_mode = 0;           // time mode of the installed time-axis draw
    bool redraw_sets_limits = false; // the redraw is writing the limit boxes

    trend_record_t record;
    QString record_path;
    QString record_last_text;     // the header or the last row written
    QTimer* record_interval_timer = nullptr;
    QTimer* record_stop_timer = nullptr;

};

#endif
