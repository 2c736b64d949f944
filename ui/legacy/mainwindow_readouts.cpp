// Readouts and display slots: the function caption and input switch text,
// the extra readouts, number formatting, the curve check boxes, the pause
// button and a few page-state slots.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "FreezeTableWidget.h"
#include "Get_configure_value.h"
#include "custom_input_spinbox.h"
#include "custom_label.h"
#include "custom_radiobutton.h"
#include "format_decimals.h"
#include "ui_preview_plot_t.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <qwt_plot_curve.h>

namespace {

struct word_t
{
    const char* reply;
    const char* caption;
};

// Function replies with a caption of their own; "BASIC\n" takes its caption
// from the mode reply.
const word_t k_functions[] = {{"TRAN\n", "DYNAMIC"}, {"OCP\n", "OCPT"},       {"OPP\n", "OPPT"},
                              {"BATTERY\n", "BATTERY"}, {"LIST\n", "LIST"}, {"PROGRAM\n", "PROGRAM"}};
const word_t k_basic_modes[] = {{"CURRENT\n", "CC"}, {"VOLTAGE\n", "CV"}, {"RESISTANCE\n", "CR"},
                                {"POWER\n", "CP"},   {"LED\n", "LED"}};

const char* caption_of(const word_t* table, int count, const QString& reply)
{
    for (int i = 0; i < count; ++i) {
        if (reply == QLatin1String(table[i].reply))
            return table[i].caption;
    }
    return nullptr;
}

} // namespace

void MainWindow::deal_fixed_value(QString, QString function, QString mode, int short_state, int input_state,
                                  QString)
{
    const char* caption = nullptr;
    if (function == QLatin1String("BASIC\n"))
        caption = caption_of(k_basic_modes, int(std::size(k_basic_modes)), mode);
    else
        caption = caption_of(k_functions, int(std::size(k_functions)), function);
    if (caption)
        ui->current_function_label->setText(QString::fromLatin1(caption));
    show_short_state(short_state == 1);
    ui->load_button->setText(input_state == 1 ? QStringLiteral("ON") : QStringLiteral("OFF"));
    function_text = ui->current_function_label->text();
}

void MainWindow::deal_sltm_value(double t_rise, double t_fall)
{
    display_aux_label_1->set_value("s", t_rise, 4, t_rise > 60, QStringLiteral("T_Rise: "));
    display_aux_label_2->set_value("s", t_fall, 4, t_fall > 60, QStringLiteral("T_Fall: "));
    display_aux_label_1->show();
    display_aux_label_2->show();
}

void MainWindow::deal_ext_value(double v_ext)
{
    display_aux_label_1->set_value("V", v_ext, 3, false, QStringLiteral("V_EXT: "));
    // 10 V of external control stands for the full range.
    const int code = func_code;
    if (code == 24) {
        const int range = ext_current_range_radio->checked_index();
        if (range == 0 || range == 1)
            display_aux_label_2->set_value("A", v_ext * (range == 0 ? 0.5 : 3.0), 3, false,
                                           QStringLiteral("I_set: "));
    } else if (code == 25) {
        const int range = ext_voltage_range_radio->checked_index();
        if (range == 0 || range == 1)
            display_aux_label_2->set_value("V", v_ext * (range == 0 ? 3.6 : 15.0), 3, false,
                                           QStringLiteral("V_set: "));
    }
    display_aux_label_1->show();
    display_aux_label_2->show();
}

void MainWindow::deal_layout(QString function, QString mode, int x, QString sub)
{
    static const char* const basic_subs[] = {"CURRENT\n", "VOLTAGE\n", "POWER\n", "RESISTANCE\n"};
    bool shown = function == QLatin1String("EXTI\n") || function == QLatin1String("EXTV\n");
    if (!shown && mode == QLatin1String("BASIC\n") && x == 1) {
        for (const char* s : basic_subs)
            shown = shown || sub == QLatin1String(s);
    }
    display_aux_label_1->setVisible(shown);
    display_aux_label_2->setVisible(shown);
}

// The kit's number form, with positive values raised to the smallest
// reading the labels show.
QString MainWindow::format_decimals(double v, int d)
{
    return ::format_decimals(v > 0 && v < 0.0001 ? 0.0001 : v, d);
}

void MainWindow::set_number_label(QLabel* label, double v)
{
    const int d = v >= 10000 ? 0 : v >= 1000 ? 1 : v >= 100 ? 2 : 3;
    label->setText(format_decimals(v, d));
}

void MainWindow::reset_double_vector(QVector<double>& v)
{
    QVector<double>().swap(v);
}

// ---- curves

void MainWindow::show_curve(int q, bool on)
{
    for (QWidget* w : {static_cast<QWidget*>(limit_labels[q]), static_cast<QWidget*>(limit_max_spin[q]),
                       static_cast<QWidget*>(mid_labels[q]), static_cast<QWidget*>(limit_min_spin[q])})
        w->setVisible(on);
    curve_shown[q] = on;
    QwtPlotCurve* c = curve_of(q);
    if (on) {
        if (c->plot() != plot)
            c->attach(plot);
    } else {
        c->detach();
    }
}

void MainWindow::deal_current_checkbox()
{
    show_curve(0, curve_checks[0]->isChecked());
    plot->replot();
}

void MainWindow::deal_voltage_checkbox()
{
    show_curve(1, curve_checks[1]->isChecked());
    plot->replot();
}

void MainWindow::deal_resistance_checkbox()
{
    show_curve(2, curve_checks[2]->isChecked());
    plot->replot();
}

void MainWindow::deal_power_checkbox()
{
    show_curve(3, curve_checks[3]->isChecked());
    plot->replot();
}

void MainWindow::mouseMoveEvent(QMouseEvent*)
{
    curve_spare->detach();
}

void MainWindow::deal_display_pause_button()
{
    const QString text = pause_button->text();
    if (text == QLatin1String("Start")) {
        pause_button->setText(QStringLiteral("Pause"));
        paused = false;
    } else if (text == QLatin1String("Pause")) {
        pause_button->setText(QStringLiteral("Start"));
        paused = true;
    }
}

void MainWindow::deal_pos_update(double, double) {}

// ---- page state

void MainWindow::deal_program_click()
{
    program_button->click();
}

void MainWindow::deal_change_current_model()
{
    ui->model_sel->setCurrentIndex(0);
    ui->static_pattern->setCurrentIndex(0);
    emit ui->static_pattern->tabBarClicked(0);
}

void MainWindow::deal_prog_off()
{
    // The step numbers the user sees are the frozen row's copies.
    QTableWidget* numbers = program_freeze->row_overlay;
    for (int c = 0; numbers && c < numbers->columnCount(); ++c) {
        if (QTableWidgetItem* item = numbers->item(1, c))
            item->setData(Qt::ForegroundRole, QColor(Qt::white));
    }
    program_progress->setValue(0);
}
