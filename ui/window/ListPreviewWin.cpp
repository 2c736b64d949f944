#include "ListPreviewWin.h"

#include "ui_listpreviewwin.h"

#include "mymainwindow.h"
#include "ui_preview_plot_t.h"
#include "uiPara.h"

#include <QPen>
#include <qwt_plot_curve.h>

#include <cmath>

namespace {

// Levels beyond any the load takes are cut before they size the axis.
const double level_axis_limit = 1e6;

// Major step of the level axis: a fifth of the top, whole units (0: the plot chooses).
double level_axis_step(double top)
{
    return static_cast<double>(static_cast<int>(top) / 5);
}

} // namespace

ListPreviewWin::ListPreviewWin(QWidget* parent)
    : QMainWindow(parent)
{
    form = new Ui_ListPreviewWin;
    form->setupUi(this);
    // A dialog-type window: a window manager keeps it (transient for the
    // main window, its parent) in front of the main window. Not modal.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());

    preview_plot = new ui_preview_plot_t(this, false);
    preview_plot->setGeometry(20, 20, width() - 40, height() - 40);

    level_curve = new QwtPlotCurve(QString());
    marker_curve = new QwtPlotCurve(QString());
    marker_curve->setPen(QPen(Qt::blue));
    marker_curve->setStyle(QwtPlotCurve::Steps);
    marker_curve->setCurveAttribute(QwtPlotCurve::Fitted, true);

    init_plot();

    uiPara* para = uiPara::instance();
    connect(para, SIGNAL(sig_list_step(int)), this, SLOT(update_plot()));
    connect(para, SIGNAL(sig_list_set(QStringList)), this, SLOT(update_plot()));
    connect(para, SIGNAL(sig_list_set_by_index(QString,int)), this, SLOT(update_plot()));
    connect(para, SIGNAL(sig_list_mode(int)), this, SLOT(update_plot_y_unit(int)));
    if (parent)
        connect(parent, SIGNAL(sig_list_trigger_thread(int,int,int)), this,
                SLOT(deal_list_trigger_thread(int,int,int)));
}

ListPreviewWin::~ListPreviewWin()
{
    // The curves go with the plot they are attached to.
    if (!level_curve->plot())
        delete level_curve;
    if (!marker_curve->plot())
        delete marker_curve;
    delete form;
}

double ListPreviewWin::rebuild_levels()
{
    uiPara* para = uiPara::instance();
    // The store keeps 100 steps; a larger count has no levels to show.
    const int n = qBound(0, para->get_list_step(), uiPara::list_entries);
    step_x.clear();
    step_y.clear();
    double top = 0.0;
    for (int k = 0; k <= n; ++k) {
        // x = 0 repeats the first step, so that x = k carries step k.
        const double level = para->get_list_set_by_index(qMax(k, 1) - 1).toDouble();
        step_x.append(k);
        step_y.append(level);
        if (std::isfinite(level) && level > top)
            top = level;
    }
    return qMin(top, level_axis_limit);
}

void ListPreviewWin::set_y_scale(double top, double step)
{
    // An all-zero list still gets a readable axis.
    preview_plot->setAxisScale(QwtPlot::yLeft, 0.0, top > 0.0 ? top : 1.0, step);
}

void ListPreviewWin::init_plot()
{
    const double top = rebuild_levels();
    const int n = step_x.size() - 1;
    preview_plot->setAxisScale(QwtPlot::xBottom, 0.0, n, 1.0);
    set_y_scale(top, level_axis_step(top));

    level_curve->setSamples(step_x, step_y);
    level_curve->setStyle(QwtPlotCurve::Steps);
    level_curve->setCurveAttribute(QwtPlotCurve::Fitted, true);
    level_curve->setPen(QPen(Qt::green));
    level_curve->attach(preview_plot);

    preview_plot->setStyleSheet(QStringLiteral("background:") + background_colour);
    preview_plot->replot();
    preview_plot->show();
    update_plot_y_unit(uiPara::instance()->get_list_mode());
}

void ListPreviewWin::update_plot()
{
    const double top = rebuild_levels();
    const int n = step_x.size() - 1;
    preview_plot->setAxisScale(QwtPlot::xBottom, 0.0, n, 1.0);
    set_y_scale(std::ceil(top), static_cast<double>(static_cast<int>(top / 5.0)));
    level_curve->setSamples(step_x, step_y);
    level_curve->attach(preview_plot);
    preview_plot->replot();
}

void ListPreviewWin::update_plot_y_unit(int mode)
{
    static const char* const units[] = {"A", "V", "\u03a9", "W"};
    if (mode < 0 || mode > 3)
        return;
    preview_plot->set_y_unit(QString::fromUtf8(units[mode]));
    preview_plot->replot();
}

void ListPreviewWin::deal_list_trigger_thread(int step_value, int stop_value, int load_value)
{
    const int n = step_x.size() - 1;
    marker_x.clear();
    marker_y.clear();
    double top = 0.0;
    for (double y : step_y) {
        if (std::isfinite(y) && y > top)
            top = y;
    }
    top = qMin(top, level_axis_limit);

    if (load_value == 1) {
        // The running step as a segment at its level; a step the list does
        // not have is not marked.
        if (step_value >= 1 && step_value <= n) {
            marker_x << step_value << step_value - 1;
            marker_y << step_y.at(step_value) << step_y.at(step_value);
        }
        if (stop_value == 1 && g_main_window && g_main_window->is_connected)
            g_main_window->request_measure();
        set_y_scale(std::ceil(top), level_axis_step(top));
        preview_plot->setAxisScale(QwtPlot::xBottom, 0.0, n, 1.0);
        level_curve->setSamples(step_x, step_y);
        marker_curve->setSamples(marker_x, marker_y);
        level_curve->attach(preview_plot);
        marker_curve->attach(preview_plot);
        preview_plot->replot();
        return;
    }

    clear_running_step();
    if (g_main_window && g_main_window->is_connected)
        g_main_window->request_measure();
}

void ListPreviewWin::clear_running_step()
{
    marker_x.clear();
    marker_y.clear();
    level_curve->setSamples(step_x, step_y);
    marker_curve->setSamples(marker_x, marker_y);
    level_curve->attach(preview_plot);
    marker_curve->attach(preview_plot);
    preview_plot->replot();
}

int ListPreviewWin::running_points() const
{
    return static_cast<int>(marker_curve->dataSize());
}
