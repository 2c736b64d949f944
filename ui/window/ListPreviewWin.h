#ifndef LISTPREVIEWWIN_H
#define LISTPREVIEWWIN_H

#include <QMainWindow>
#include <QString>
#include <QVector>

class QwtPlotCurve;
class Ui_ListPreviewWin;
class ui_preview_plot_t;

// The list preview: the list's levels against the step number as a step
// curve, with the running step marked while a list runs. It follows the
// parameter store (step count, levels, list mode).
class ListPreviewWin : public QMainWindow
{
    Q_OBJECT

public:
    explicit ListPreviewWin(QWidget* parent);
    ~ListPreviewWin() override;

    // For tests and screenshots: the curves' points and the plot.
    const QVector<double>& level_x() const { return step_x; }
    const QVector<double>& level_y() const { return step_y; }
    const QVector<double>& running_x() const { return marker_x; }
    const QVector<double>& running_y() const { return marker_y; }
    ui_preview_plot_t* plot() const { return preview_plot; }
    // The marker curve's points as drawn (not the vectors above).
    int running_points() const;

    // No step is marked: the main window no longer shows a list running.
    void clear_running_step();

public slots:
    void init_plot();
    void update_plot();
    void update_plot_y_unit(int mode);
    // A list run-state reply: running step, stop state, input state.
    void deal_list_trigger_thread(int step_value, int stop_value, int load_value);

private:
    // Rebuilds the level points from the store; returns the largest level
    // (never below 0).
    double rebuild_levels();
    void set_y_scale(double top, double step);

    Ui_ListPreviewWin* form = nullptr;
    QString background_colour = QStringLiteral("#505050");
    ui_preview_plot_t* preview_plot = nullptr;
    QVector<double> step_x;
    QVector<double> step_y;
    QVector<double> marker_x;
    QVector<double> marker_y;
    QwtPlotCurve* level_curve = nullptr;  // owned by the plot once attached
    QwtPlotCurve* marker_curve = nullptr; // owned by the plot once attached
};

#endif
