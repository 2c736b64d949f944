// The older main window: its pages are built in code from the legacy widget
// kit and its replies go straight into its widgets. The program does not
// create it; it stands beside MyMainWindow over the same link.
#ifndef LEGACY_MAINWINDOW_H
#define LEGACY_MAINWINDOW_H

#include "cfg_if_scpi_t.h"
#include "ui_trend_window_t.h"

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QVector>

#include <cstddef>
#include <string>
#include <vector>

class BaseWindow;
class FreezeTableWidget;
class Get_configure_value;
class Get_data_thread;
class Get_display_data;
class MyTitleBar;
class QCheckBox;
class QFile;
class QFrame;
class QGroupBox;
class QLabel;
class QMessageBox;
class QProcess;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTableWidget;
class QTimer;
class QwtPlotCurve;
class SCPI_write_and_read;
class Send_data_thread;
class cfg_thread_t;
class custom_combobox;
class custom_input_spinbox;
class custom_label;
class custom_lineedit;
class custom_picture;
class custom_radiobutton;
class custom_spinbox;
class ip_address_dialog;
class newframe;
class ui_ipline_widget_t;
class ui_preview_plot_t;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Index q of the trend arrays: 0 current, 1 voltage, 2 resistance, 3 power.
    static constexpr int quantities = 4;

    struct program_result_t
    {
        QString step;
        QString result;
        QString remarks;
    };

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- prompts (every page uses them)
    void show_warning(const QString& text);
    // The wait box of a read-back: open until close_wait_box (null while none).
    void show_wait_box(const QString& title, const QString& text);
    void close_wait_box();

    // ---- link
    void fill_cmd_list(int operation);
    void stop_threads();

    // ---- trend and record
    void take_measurement(double current, double voltage, double resistance, double power, int unused,
                          int load_on);
    void update_trend(QVector<double> current, QVector<double> voltage, QVector<double> resistance,
                      QVector<double> power);
    void scale_to_percent(double max, double min, QVector<double> source, QVector<double>& output,
                          QwtPlotCurve* curve);
    void set_limit_spinbox_focus(int manual);

    // ---- readouts
    static QString format_decimals(double v, int d);
    static void set_number_label(QLabel* label, double v);
    static void reset_double_vector(QVector<double>& v);

    // ---- page helpers
    // Off while a list or program runs; the program table keeps its scroll bar.
    void set_list_page_enabled(bool enable);
    void set_prog_page_enabled(bool enable);
    // The same two switches, by the names the list run view and the trigger use.
    void enable_list_controls(bool enable);
    void enable_program_controls(bool enable);
    void build_prog_result_form(int rows);
    void load_style(const QString& name);

    // ---- reply side
    // 1 when the caller may go on, 0 when an alarm was shown.
    int show_protect_alarm(int status);
    void show_test_verdict(double value, double minimum, double maximum);
    // The page dispatchers: each acts on its own codes only.
    void deal_static_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets);
    void deal_dynamic_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets);
    void deal_ocpt_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets);
    void deal_oppt_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets);
    void deal_battery_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets);
    void deal_list_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets);
    void deal_prog_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets);
    void deal_utility_reply(int operation, const QList<QString>& replies, const QList<QWidget*>& widgets);
    // The window's own switch, by operation code.
    void deal_cc_readback(const QList<QString>& r);
    void deal_cv_readback(const QList<QString>& r);
    void deal_cr_readback(const QList<QString>& r);
    void deal_cp_readback(const QList<QString>& r);
    void deal_led_readback(const QList<QString>& r);
    void deal_dyn_readback(const QList<QString>& r);
    void deal_ocp_readback(const QList<QString>& r);
    void deal_opp_readback(const QList<QString>& r);
    void deal_battery_readback(const QList<QString>& r);
    void deal_configure_readback(const QList<QString>& r);
    void deal_sltm_readback(const QList<QString>& r);
    void deal_limit_readback(const QList<QString>& r);
    void deal_list_readback(const QList<QString>& r);
    void deal_prog_readback(const QList<QString>& r);
    void deal_list_run_state(const QList<QString>& r);
    void deal_prog_run_state(const QList<QString>& r);
    void deal_list_change_readback(const QList<QString>& r);
    void deal_static_func_readback(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_dyn_func_readback(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_test_result_readback(const QList<QString>& r, int sub);
    void deal_init_readback(const QList<QString>& r, int sub);
    void deal_load_readback(const QList<QString>& r, int sub);
    void deal_short_readback(const QList<QString>& r);
    // The SHORT indicator lit or unlit (unlit still reads on the dark window).
    void show_short_state(bool on);
    void deal_trigger_readback(const QList<QString>& r);
    void deal_idn_readback(const QList<QString>& r);
    void deal_measure_readback(const QList<QString>& r);
    // Remote state 0 or a lost link: the session ends, nothing stays locked.
    void lose_load(const QString& why);
    void open_function_page(int operation, const QString& title, const QString& text);
    // Ends the old session and starts the connect thread on `resource`.
    void start_connect(const QString& resource, const QString& picture);
    // The battery end's own exchange (added capacity and result).
    static constexpr int battery_end_operation = 187;
    void deal_battery_end(const QList<QString>& r);
    // What the readings brought when the test ended; the stop conditions
    // are judged on them.
    double battery_end_capacity = 0;
    double battery_end_seconds = 0;

    // After a settings transfer: the command thread runs again (read_back:
    // the load's state is asked first).
    void resume_command_thread(bool read_back);

    // ---- the mode pages' requests and replies
    // A page's request: its own lists and the widget it came from.
    void post_page(int operation, const QList<QString>& writes, const QList<QString>& queries,
                   QWidget* widget = nullptr);
    void cfg_thread_post(int operation, const QList<QString>& writes, const QList<QString>& queries,
                         const QList<QWidget*>& widgets);
    // A request of the page tables (static, LED, battery, OCP/OPP, utility) by its row.
    void post_static_row(int row);
    void post_led_row(int row);
    void post_battery_row(int row);
    void post_sweep_row(bool ocp, int row);
    void post_utility_row(int row);
    // A range, function or stop change refused while the input is on.
    bool refuse_while_on(int readback, const QString& title, const QString& text);
    void deal_static_range_reply(int operation, const QList<QString>& r);
    void deal_static_slew_reply(int operation, const QList<QString>& r);
    void deal_static_level_reply(int operation, const QList<QString>& r);
    void deal_led_value_reply(int operation, const QList<QString>& r);
    void deal_dyn_value_reply(int operation, const QList<QString>& r);
    // The diagram's pulse width caption ("width\n" and the width).
    static QString width_caption(double seconds);
    void deal_dyn_slew_reply(int operation, const QList<QString>& r);
    void deal_batt_page_reply(int operation, const QList<QString>& r);
    void deal_sweep_page_reply(bool ocp, int offset, const QList<QString>& r);
    void deal_configure_reply(int operation, const QList<QString>& r);
    // External mode, function mode and function: the panel and the function shown.
    void deal_external_control_reply(const QList<QString>& r);
    void warn_if_on_after(bool poll_first);
    void link_limit_boxes(bool current, bool voltage);
    void cut_limit_boxes(bool current, bool voltage);
    void range_limits(bool current, int index);
    void warn_slew_bands(bool low_range, double changed, double kept);
    // The side threads stopped, the title shown (when given) and the
    // connect thread started with `code`.
    void start_title_thread(const char* title, int code);
    // A function reply ("CURRENT\n" ...) selects its static tab.
    void set_static_tabs_by_function(const std::string& reply);

    // ---- the pages' reply routing: a row per operation code names its
    // handler, which hands its own row to the page's shared routine
    using reply_handler_t = void (MainWindow::*)(const QList<QString>&, const QList<QWidget*>&);
    struct reply_route_t
    {
        int operation;
        reply_handler_t handler;
    };
    // False when no row has the code.
    bool route_reply(const reply_route_t* routes, std::size_t count, int operation, const QList<QString>& replies,
                     const QList<QWidget*>& widgets);
    // static page (34 to 47)
    void deal_cc_i_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cc_v_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cc_current_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cc_slew_rise_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cc_slew_fall_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cv_i_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cv_v_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cv_voltage_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cr_i_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cr_v_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cr_resis_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cp_i_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cp_v_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_cp_power_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    // LED page (67 to 71, routed by the static page)
    void deal_led_i_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_led_v_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_led_io_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_led_vo_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_led_rco_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    // dynamic page (86, 87, 105 to 109, 130, 131)
    void deal_dyn_setting_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_dyn_v_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_dyn_a_level_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_dyn_b_level_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_dyn_a_width_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_dyn_b_width_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_dyn_width_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_dyn_slew_rise_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_dyn_slew_fall_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    // battery page (151 to 160)
    void deal_batt_mode_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_batt_i_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_batt_v_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_batt_level_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_batt_v_stop_state_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_batt_c_stop_state_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_batt_t_stop_state_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_batt_v_stop_value_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_batt_c_stop_value_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_batt_t_stop_value_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    // OCP page (133 to 141) and OPP page (142 to 150)
    void deal_ocp_i_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_ocp_v_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_ocp_v_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_ocp_step_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_ocp_start_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_ocp_end_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_ocp_min_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_ocp_max_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_ocp_delay_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_opp_i_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_opp_v_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_opp_v_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_opp_step_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_opp_start_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_opp_end_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_opp_min_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_opp_max_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_opp_delay_reply(const QList<QString>& r, const QList<QWidget*>& widgets);

    // The form and every member below are public so that the reply side, the
    // pages and the tests reach them by name.
    Ui::MainWindow* ui = nullptr;
    cfg_if_scpi_t scpi;

    // threads
    SCPI_write_and_read* scpi_rw_thread = nullptr;
    cfg_thread_t* cfg_thread = nullptr;
    Get_display_data* display_thread = nullptr;
    Get_data_thread* get_data_thread = nullptr;
    Send_data_thread* send_data_thread = nullptr;
    Get_configure_value* configure_thread = nullptr;

    MyTitleBar* title_bar = nullptr;
    QTimer* status_timer = nullptr;
    QProcess* process = nullptr;
    QFile* list_file = nullptr;
    QFile* record_file = nullptr;
    QFile* settings_file = nullptr;
    QFile* spare_file = nullptr;
    QFile* program_file = nullptr;
    QMessageBox* wait_box = nullptr;      // the constructor's "waiting" box
    QMessageBox* file_wait_box = nullptr; // a settings load or save
    QMessageBox* readback_box = nullptr;  // a read-back under way; null while none
    QLabel* status_label = nullptr;
    custom_picture* status_picture = nullptr;
    QPixmap trigger_pixmap;

    QList<QString> cmd_writes;
    QList<QString> cmd_queries;
    QList<QString> cr_ranges_low;
    QList<QString> cr_ranges_high;
    QList<QString> cr_ranges_3;
    QList<QString> cr_ranges_4;
    QList<QString> step_texts;
    QString version_text;
    QString model_name;
    QString function_text;
    std::string resource_text;

    // state
    bool connected = false;
    bool import_in_progress = false;
    bool load_switched_on = false;
    bool list_loaded = false;
    bool list_running = false;
    bool program_running = false;
    bool first_connection = true; // cleared by the connection slots
    int ocpt_state = 0;
    int oppt_state = 0;
    int battery_test_running = 0;
    int func_code = 0;
    bool tmon_on = false;
    int input_on_seen = 0;
    double spare_values[6] = {0, 0, 0, 0, 0, 0};

    // ---- trend and record state
    bool paused = false;
    bool curve_shown[quantities] = {true, true, true, true};
    int sample_counter = 0;
    QVector<double> time_axis;
    QVector<double> series_current, series_voltage, series_resistance, series_power;
    QVector<double> window_current, window_voltage, window_resistance, window_power;
    QVector<double> scaled_current, scaled_voltage, scaled_resistance, scaled_power;
    QVector<double> window_x; // x of the window values (a thinned long window has its own)
    QwtPlotCurve* curve_spare = nullptr;
    QwtPlotCurve* curve_current = nullptr;
    QwtPlotCurve* curve_voltage = nullptr;
    QwtPlotCurve* curve_resistance = nullptr;
    QwtPlotCurve* curve_power = nullptr;
    double axis_max[quantities] = {0, 0, 0, 0};
    double axis_min[quantities] = {0, 0, 0, 0};
    double shown_max[quantities] = {0, 0, 0, 0};
    double shown_min[quantities] = {0, 0, 0, 0};
    int window_points = 150;
    int series_limit = 250000;
    int time_mode = 1;
    ui_trend_window_t trend_window; // the time window's arithmetic, shared with the live trend
    QString record_text;
    bool trend_sets_limits = false; // the refresh is writing the limit boxes

    // ---- display page
    ui_preview_plot_t* plot = nullptr;
    custom_input_spinbox* limit_max_spin[quantities] = {};
    custom_input_spinbox* limit_min_spin[quantities] = {};
    QLabel* limit_labels[quantities] = {};
    custom_radiobutton* record_radio = nullptr;
    custom_radiobutton* auto_range_radio = nullptr;
    custom_combobox* time_combo = nullptr;
    custom_combobox* data_combo = nullptr;
    QPushButton* pause_button = nullptr;
    QPushButton* clear_button = nullptr;
    QCheckBox* curve_checks[quantities] = {};
    QLabel* stat_labels[12] = {}; // max, min, average of current, voltage, resistance, power
    QLabel* stat_headers[3] = {};
    QLabel* mid_labels[quantities] = {};
    QFrame* display_control_box = nullptr;
    QFrame* display_stat_box = nullptr;
    QFrame* reading_boxes[3] = {};

    // ---- readings
    QGroupBox* display_group = nullptr;
    custom_label* display_current_label = nullptr;
    custom_label* display_voltage_label = nullptr;
    custom_label* display_resistance_label = nullptr;
    custom_label* display_power_label = nullptr;
    custom_label* display_aux_label_1 = nullptr;
    custom_label* display_aux_label_2 = nullptr;

    // ---- static pages
    QLabel* cc_picture = nullptr;
    QLabel* cv_picture = nullptr;
    QLabel* cr_picture = nullptr;
    QLabel* cp_picture = nullptr;
    QLabel* led_picture = nullptr;
    QFrame* cc_frame = nullptr;
    QFrame* cv_frame = nullptr;
    QFrame* cr_frame = nullptr;
    QFrame* cp_frame = nullptr;
    QFrame* led_frame = nullptr;
    custom_radiobutton* cc_i_range_radio = nullptr;
    custom_radiobutton* cc_v_range_radio = nullptr;
    custom_spinbox* cc_current_spin = nullptr;
    custom_spinbox* cc_slew_rise_spin = nullptr;
    custom_spinbox* cc_slew_fall_spin = nullptr;
    custom_radiobutton* cv_i_range_radio = nullptr;
    custom_radiobutton* cv_v_range_radio = nullptr;
    custom_spinbox* cv_voltage_spin = nullptr;
    custom_radiobutton* cr_i_range_radio = nullptr;
    custom_radiobutton* cr_v_range_radio = nullptr;
    custom_spinbox* cr_resistance_spin = nullptr;
    custom_lineedit* cr_range_edit = nullptr;
    custom_radiobutton* cp_i_range_radio = nullptr;
    custom_radiobutton* cp_v_range_radio = nullptr;
    custom_spinbox* cp_power_spin = nullptr;
    custom_radiobutton* led_i_range_radio = nullptr;
    custom_radiobutton* led_v_range_radio = nullptr;
    custom_spinbox* led_io_spin = nullptr;
    custom_spinbox* led_vo_spin = nullptr;
    custom_spinbox* led_rco_spin = nullptr;

    // ---- dynamic page
    QScrollArea* dynamic_scroll = nullptr;
    QWidget* dynamic_inner = nullptr;
    custom_combobox* dynamic_function_combo = nullptr;
    custom_combobox* dynamic_mode_combo = nullptr;
    custom_radiobutton* dynamic_range_radio = nullptr;
    custom_radiobutton* dynamic_v_range_radio = nullptr;
    custom_lineedit* dynamic_r_range_edit = nullptr;
    custom_spinbox* dynamic_a_level_spin = nullptr;
    custom_spinbox* dynamic_b_level_spin = nullptr;
    custom_spinbox* dynamic_a_width_spin = nullptr;
    custom_spinbox* dynamic_b_width_spin = nullptr;
    custom_spinbox* dynamic_width_spin = nullptr;
    custom_spinbox* dynamic_slew_rise_spin = nullptr;
    custom_spinbox* dynamic_slew_fall_spin = nullptr;
    newframe* dynamic_diagram = nullptr;
    QLabel* dynamic_labels[7] = {};
    QLabel* trigger_marks[2] = {};
    int dynamic_function = 0;
    QString dynamic_unit;
    double level_a = 0, level_b = 0, width_a = 0, width_b = 0, slew_1 = 0, slew_2 = 0;
    QString dynamic_mode_text;
    QString dyn_prefix; // command prefix of the dynamic function
    int dyn_i_range_index = 0;
    int dyn_v_range_index = 0;

    // ---- OCP and OPP pages
    QFrame* ocp_frame = nullptr;
    custom_radiobutton* ocp_i_range_radio = nullptr;
    custom_radiobutton* ocp_v_range_radio = nullptr;
    custom_spinbox* ocp_v_spin = nullptr;
    custom_spinbox* ocp_i_step_spin = nullptr;
    custom_spinbox* ocp_i_start_spin = nullptr;
    custom_spinbox* ocp_i_end_spin = nullptr;
    custom_spinbox* ocp_i_min_spin = nullptr;
    custom_spinbox* ocp_i_max_spin = nullptr;
    custom_spinbox* ocp_delay_spin = nullptr;
    QFrame* opp_frame = nullptr;
    custom_radiobutton* opp_i_range_radio = nullptr;
    custom_radiobutton* opp_v_range_radio = nullptr;
    custom_spinbox* opp_v_spin = nullptr;
    custom_spinbox* opp_p_step_spin = nullptr;
    custom_spinbox* opp_p_start_spin = nullptr;
    custom_spinbox* opp_p_end_spin = nullptr;
    custom_spinbox* opp_p_min_spin = nullptr;
    custom_spinbox* opp_p_max_spin = nullptr;
    custom_spinbox* opp_delay_spin = nullptr;

    // ---- battery page
    QFrame* battery_page = nullptr;
    custom_combobox* batt_function_combo = nullptr;
    custom_radiobutton* batt_i_range_radio = nullptr;
    custom_radiobutton* batt_v_range_radio = nullptr;
    custom_radiobutton* batt_stop_radios[3] = {}; // V_Stop, C_Stop, T_Stop
    custom_lineedit* batt_r_range_edit = nullptr;
    custom_lineedit* batt_capacity_edit = nullptr;
    custom_spinbox* batt_level_spin = nullptr;
    custom_spinbox* batt_stop_spins[3] = {}; // V_Stop, C_Stop, T_Stop

    // ---- list page
    QFrame* list_page = nullptr;
    QFrame* list_controls = nullptr;
    ui_preview_plot_t* list_plot = nullptr;
    QTableWidget* list_step_table = nullptr;
    QwtPlotCurve* list_curve = nullptr;
    QwtPlotCurve* list_spare_curve = nullptr;
    QPushButton* list_storage_button = nullptr;
    QPushButton* list_recall_button = nullptr;
    QPushButton* list_up_button = nullptr;
    QPushButton* list_next_button = nullptr;
    custom_lineedit* list_r_range_edit = nullptr;
    custom_combobox* list_function_combo = nullptr;
    custom_combobox* list_irange_combo = nullptr;
    custom_combobox* list_vrange_combo = nullptr;
    custom_spinbox* list_count_spin = nullptr;
    custom_spinbox* list_step_spin = nullptr;
    QwtPlotCurve* list_level_curve = nullptr;
    QwtPlotCurve* list_marker_curve = nullptr;
    QVector<double> list_curve_x, list_curve_y;
    QVector<double> list_marker_x, list_marker_y;
    QList<QString> list_levels, list_times, list_slews;

    // ---- program page
    QFrame* program_page = nullptr;
    custom_spinbox* program_steps_spin = nullptr;
    QPushButton* program_storage_button = nullptr;
    QPushButton* program_recall_button = nullptr;
    QPushButton* program_result_button = nullptr;
    QTableWidget* program_result_table = nullptr;
    QProgressBar* program_progress = nullptr;
    FreezeTableWidget* program_freeze = nullptr;
    QLabel* program_corner_label = nullptr;
    // The program's step lists, one per table row, in this order; entry k-1
    // holds step k's text.
    enum prog_list_t {
        prog_mode_list, prog_irange_list, prog_vrange_list, prog_pause_list, prog_short_list,
        prog_ton_list, prog_toff_list, prog_tdelay_list, prog_min_list, prog_max_list,
        prog_set_list, prog_range_list, prog_vo_list, prog_io_list, prog_rco_list,
        prog_list_count
    };
    QList<QString> prog_columns[prog_list_count];
    std::vector<program_result_t> program_results;
    QWidget* program_form = nullptr;
    bool program_form_open = false;
    QTableWidget* program_table = nullptr;

    // ---- list and program files (index: block_list, block_program)
    enum block_kind { block_list = 0, block_program = 1 };
    QString block_export_path[2];       // a save that awaits the load's block
    bool block_import_waiting[2] = {};  // an import that awaits its read-back
    void write_list_file(const QByteArray& block);
    void request_list_init(const QByteArray& answer);
    void write_prog_file(const QByteArray& block);
    void request_prog_init(const QByteArray& answer);
    void export_block(int kind);
    void save_block(int kind, const QByteArray& bytes);
    void import_block(int kind);
    void after_import(int kind, const QByteArray& answer);
    void read_back_after_import(int kind);
    // The session ended: no block of it comes any more.
    void drop_block_exchanges();

    // ---- list page replies (codes 72 to 79)
    void deal_list_cell_reply(int row, const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_list_range_reply(int kind, const QList<QString>& r);
    void deal_list_level_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_list_width_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_list_slew_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_list_mode_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_list_irange_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_list_vrange_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_list_step_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_list_count_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void post_list_request(int operation, const QList<QString>& writes, const QList<QString>& queries,
                           QWidget* widget);
    void post_list_level_readback();
    QWidget* list_cell(int row, int column) const;
    int list_first_step() const;
    void show_list_window(int first);
    // The left axis follows the level cells of columns 1 to axis_cells, or
    // the steps drawn when that is 0; its major step is a fifth of the top
    // (step_of_top) or of the largest value.
    void draw_list_curve(int axis_cells = 0, bool step_of_top = false);
    // Hands the step and marker samples to their curves on the preview.
    void show_list_curves();

    // ---- program page (codes 48 to 63 and 66)
    // A step's text in a step list; a step the list does not reach reads as empty.
    static double step_value(const QList<QString>& values, int index);
    static void set_step_text(QList<QString>& values, int index, const QString& text);
    QWidget* prog_cell(int row, int column) const;
    void fill_prog_row(int first, int last);
    void connect_prog_column(int column);
    // A fresh set of a step's cell widgets, indexed by row, not yet placed.
    QVector<QWidget*> create_prog_cell_widgets();
    // The value cells (rows 11 to 15) of a step by its mode.
    void set_prog_value_cells(int column, int mode);
    void clear_prog_value_cells(int column);
    void set_prog_plain_cells(int column);
    void set_prog_cr_cells(int column);
    void set_prog_led_cells(int column);
    void post_prog_cell(int row, QObject* sender, const QString& value);
    void deal_prog_cell_reply(int row, const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_mode_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_irange_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_vrange_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_pause_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_short_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_ton_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_toff_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_tdelay_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_min_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_max_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_set_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_range_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_vo_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_io_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_rco_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_step_reply(const QList<QString>& r, const QList<QWidget*>& widgets);
    void deal_prog_test_reply(const QList<QString>& r);

    // ---- configure, SLTM and limit pages
    custom_radiobutton* vrmt_radio = nullptr;
    custom_radiobutton* sof_radio = nullptr;
    custom_radiobutton* vol_radio = nullptr;
    custom_radiobutton* extswitch_radio = nullptr;
    custom_radiobutton* imon_radio = nullptr;
    custom_radiobutton* vmon_radio = nullptr;
    custom_radiobutton* ext_current_range_radio = nullptr;
    custom_radiobutton* ext_voltage_range_radio = nullptr;
    custom_spinbox* von_spin = nullptr;
    custom_combobox* trigger_combo = nullptr;
    custom_combobox* aver_combo = nullptr;
    custom_combobox* type_combo = nullptr;
    QFrame* ext_range_panel = nullptr;
    QFrame* monitor_panel = nullptr;
    custom_radiobutton* tmon_radio = nullptr;
    custom_spinbox* v_low_spin = nullptr;
    custom_spinbox* v_high_spin = nullptr;
    QLabel* i_protect_label = nullptr;
    QLabel* p_protect_label = nullptr;
    custom_radiobutton* i_protect_switch_radio = nullptr;
    custom_radiobutton* p_protect_switch_radio = nullptr;
    custom_spinbox* i_protect_spin = nullptr;
    custom_spinbox* i_protect_delay_spin = nullptr;
    custom_spinbox* p_protect_spin = nullptr;
    custom_spinbox* p_protect_delay_spin = nullptr;

    // ---- auxiliary bar
    QFrame* aux_button_frame = nullptr;
    QPushButton* ocpt_button = nullptr;
    QPushButton* oppt_button = nullptr;
    QPushButton* battery_button = nullptr;
    QPushButton* list_button = nullptr;
    QPushButton* program_button = nullptr;
    QFrame* aux_spare_frame = nullptr;

    // ---- connection dialogs
    QPointer<QWidget> connect_dialog_window; // deletes itself when closed
    bool connect_dialog_open = false;
    QPointer<QWidget> usb_dialog_window; // deletes itself when closed
    QPushButton* usb_button = nullptr;
    QPushButton* vxi11_button = nullptr;
    QPushButton* ip_ok_button = nullptr;
    QList<QString> device_list; // resources of the last scan
    QList<QString> usb_resources;
    QList<QString> usb_names;
    QTableWidget* usb_table = nullptr;
    ip_address_dialog* ip_window = nullptr;
    ui_ipline_widget_t* ip_line = nullptr;
    QList<QString> last_ip_sections;
    QString current_resource;
    int test_end_countdown = 3;
    // From an OCP or OPP switch-on press until the load's reply to it: polls
    // that come back meanwhile were taken before the test began.
    bool sweep_switch_pending = false;
    bool load_lost_shown = false;

signals:
    void startslot();
    void endslot();
    void send_list_load_on();
    void list_close();
    void program_close();

public slots:
    // ---- replies
    void deal_cfg_thread(int operation, QList<QString> replies, QList<QWidget*> widgets, int private_data);
    void deal_cfg_thread_bytedata(int operation, QByteArray data);
    void deal_cfg_thread_message_data(QList<QString> replies, int kind);
    void deal_scpi_rw(int operation, QList<QString> replies, QList<QWidget*> widgets);

    // ---- title bar
    void onBaseButtonMinClicked();
    void onBaseButtonRestoreClicked();
    void onBaseButtonMaxClicked();
    void onBaseButtonCloseClicked();

    // ---- threads and connection
    void deal_connect_no_exist();
    void deal_connect_success();
    void deal_connect_fail();
    void deal_send_data_thread();
    void deal_send_error();
    void deal_get_data_thread();
    void start_threads();
    void thread_start();
    void device_status();
    void deal_usb_button();
    void deal_vxi11_button();
    void deal_ok_signal();
    void deal_device_button();
    void on_connect_device_clicked();
    void connect_load_button();
    void deal_disconnect_label();
    void deal_messagebox(int result);
    void _init_ui();

    // ---- front panel
    void deal_load_button();
    void deal_short_button();
    void deal_trigger_button();
    void deal_help_button();
    void deal_open_button();
    void deal_save_button();
    void deal_utility(int index);
    void deal_model_sel(int index);
    void deal_static_pattern(int index);

    // ---- display page
    void deal_display_pause_button();
    void deal_display_clear_button();
    void deal_display_time_combobox(int index);
    void deal_record_on();
    void deal_record_off();
    void deal_current_checkbox();
    void deal_voltage_checkbox();
    void deal_resistance_checkbox();
    void deal_power_checkbox();
    void deal_pos_update(double x, double y);
    void deal_current_max_spinbox();
    void deal_voltage_max_spinbox();
    void deal_resis_max_spinbox();
    void deal_power_max_spinbox();
    void deal_current_min_spinbox();
    void deal_voltage_min_spinbox();
    void deal_resis_min_spinbox();
    void deal_power_min_spinbox();
    void deal_display_auto_spinbox_a_button();
    void deal_display_auto_spinbox_b_button();
    void deal_list_trigger_thread(int step, int state, int load);

    // ---- readouts
    void deal_fixed_value(QString unused_1, QString function, QString mode, int short_state, int input_state,
                          QString unused_2);
    void deal_sltm_value(double t_rise, double t_fall);
    void deal_ext_value(double v_ext);
    void deal_layout(QString function, QString mode, int x, QString sub);
    void deal_program_click();
    void deal_change_current_model();
    void deal_prog_off();
    void deal_prog_result_button();
    void set_position();

    // ---- auxiliary bar, list and program
    void deal_ocpt_button();
    void deal_oppt_button();
    void deal_battery_button();
    void deal_list_button();
    void deal_program_button();
    void deal_list_off();
    void deal_list_value(QList<QString> values);
    void deal_list_change_value(QString text);
    void deal_program_value(QList<QString> values);
    void deal_batt_value(int state, double current, double voltage, double capacity, double seconds);
    void deal_trigger_reply(QList<QString> replies, QList<QWidget*> widgets);
    void deal_storage_button();
    void deal_recall_button();

    // ---- static pages
    void deal_i_range_5a();
    void deal_i_range_30a();
    void deal_v_range_36v();
    void deal_v_range_150v();
    void deal_i_range_5a_cv();
    void deal_i_range_30a_cv();
    void deal_v_range_36v_cv();
    void deal_v_range_150v_cv();
    void deal_i_range_5a_cr();
    void deal_i_range_30a_cr();
    void deal_v_range_36a_cr();
    void deal_v_range_150v_cr();
    void deal_i_range_5a_cp();
    void deal_i_range_30a_cp();
    void deal_v_range_36v_cp();
    void deal_v_range_150v_cp();
    void deal_current_cc();
    void deal_slew_res();
    void deal_slew_fal();
    void deal_voltage();
    void deal_resis();
    void deal_power_static();

    // ---- LED page
    void deal_irange_5a_button_led();
    void deal_irange_30a_button_led();
    void deal_vrange_36v_button_led();
    void deal_vrange_150v_button_led();
    void deal_io_button_led();
    void deal_vo_button_led();
    void deal_rco_button_led();

    // ---- dynamic page
    void deal_function_combobox(int index);
    void deal_mode_combobox(int index);
    void deal_i_range_dyn_5a();
    void deal_i_range_dyn_30a();
    void deal_v_range_dyn_36v();
    void deal_v_range_dyn_150v();
    void deal_a_level_value();
    void deal_b_level_value();
    void deal_a_width_value();
    void deal_b_width_value();
    void deal_width_value();
    void deal_slew_ris_value();
    void deal_slew_fal_value();
    void cc_cont_func();
    void cc_puls_func();
    void cc_togl_func();
    void cv_cont_func();
    void cv_puls_func();
    void cv_togl_func();
    void cr_cont_func();
    void cr_puls_func();
    void cr_togl_func();
    void cp_cont_func();
    void cp_puls_func();
    void cp_togl_func();
    void show_and_hide();
    void _init_dynamic_default();

    // ---- battery page
    void deal_i_range_5a_battery_value();
    void deal_i_range_30a_battery_value();
    void deal_v_range_36v_battery_value();
    void deal_v_range_150v_battery_value();
    void deal_v_stop_on();
    void deal_v_stop_off();
    void deal_c_stop_on();
    void deal_c_stop_off();
    void deal_t_stop_on();
    void deal_t_stop_off();
    void deal_level_battery_value();
    void deal_function_battery_comboBox(int index);
    void deal_v_stop_value();
    void deal_c_stop_value();
    void deal_t_stop_value();

    // ---- OCP and OPP pages
    void deal_i_range_5a_ocpt_button();
    void deal_i_range_30a_ocpt_button();
    void deal_v_range_36v_ocpt_button();
    void deal_v_range_150v_ocpt_button();
    void deal_ocp_v_value();
    void deal_i_step_value();
    void deal_i_start_value();
    void deal_i_end_value();
    void deal_i_min_value();
    void deal_i_max_value();
    void deal_delay_ocpt_value();
    void deal_i_range_5a_button_oppt();
    void deal_i_range_30a_button_oppt();
    void deal_v_range_36v_button_oppt();
    void deal_v_range_150v_button_oppt();
    void deal_opp_v_value();
    void deal_p_step_value();
    void deal_p_start_value();
    void deal_p_end_value();
    void deal_p_min_value();
    void deal_p_max_value();
    void deal_delay_oppt_value();
    void _init_ocpt_pattern();
    void _init_oppt_pattern();
    void _init_oppt_default();
    void deal_ocpt_oppt_value(int kind, QString function, double current, double power, double voltage);

    // ---- page connections: a page's widgets reach their slots only while
    // the page is shown, and never while a reply sets them by code
    void _init_cc_connect();
    void _init_cv_connect();
    void _init_cr_connect();
    void _init_cp_connect();
    void _disconnect_cc();
    void _disconnect_cv();
    void _disconnect_cr();
    void _disconnect_cp();
    void _disconnect_static();
    void _disconnect_all();
    void _init_led_connect();
    void _disconnect_led();
    void _init_dynamic_connect();
    void _disconnect_dynamic();
    void _disconnect_battery();
    void _disconnect_ocpt();
    void _disconnect_oppt();
    void _init_configure_connect();
    void _init_sltm_connect();
    void _init_limit_connect();
    void _disconnect_configure();
    void _disconnect_sltm();
    void _disconnect_limit();
    // Title and default routines of the pages: nothing in the window calls
    // them; each shows its page's title and hands the connect thread a code
    // it ends at once for.
    void _show_cc_title();
    void _show_cv_title();
    void _show_cr_title();
    void _show_cp_title();
    void _init_led_default();
    void _show_battery_title();
    void _show_ocpt_title();
    void _list_thread_start();
    void configure_default();
    void sltm_default();
    void limit_default();

    // ---- configure, SLTM and limit pages
    void deal_vrmt_on();
    void deal_vrmt_off();
    void deal_sof_on();
    void deal_sof_off();
    void deal_vol_on();
    void deal_vol_off();
    void deal_von();
    void deal_trig(int index);
    void deal_aver(int index);
    void deal_extc(int index);
    void deal_irange_5a_configure();
    void deal_irange_30a_configure();
    void deal_vrange_36v_configure();
    void deal_vrange_150v_configure();
    void deal_extswitch_on();
    void deal_extswitch_off();
    void deal_imon_on();
    void deal_imon_off();
    void deal_vmon_on();
    void deal_vmon_off();
    void deal_tmon_on();
    void deal_tmon_off();
    void deal_v_low_sltm();
    void deal_v_high_sltm();
    void deal_switch_ipro_on();
    void deal_switch_ipro_off();
    void deal_switch_ppro_on();
    void deal_switch_ppro_off();
    void deal_current();
    void deal_power();
    void deal_idealy();
    void deal_pdelay();

    // ---- list page
    void deal_list_function_combobox(int index);
    void deal_list_irange_combobox(int index);
    void deal_list_vrange_combobox(int index);
    void deal_list_count_value();
    void deal_list_step_value();
    void deal_set_doublespinbox();
    void deal_time_doublespinbox();
    void deal_slew_doublespinbox();
    void deal_list_next_button();
    void deal_list_up_button();
    void deal_list_storage_button();
    void deal_list_recall_button();

    // ---- program page
    void deal_prog_mode_combobox(int index);
    void deal_irange_combobox(int index);
    void deal_vrange_combobox(int index);
    void deal_pause_combobox(int index);
    void deal_short_combobox(int index);
    void deal_ton_spinbox();
    void deal_toff_spinbox();
    void deal_tdelay_spinbox();
    void deal_min_spinbox();
    void deal_max_spinbox();
    void deal_set_spinbox();
    void deal_vo_spinbox();
    void deal_io_spinbox();
    void deal_rco_spinbox();
    void deal_spinbox();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // construction
    void create_member_widgets();
    void init_title_bar();
    void build_pages();
    void build_status_bar();
    void connect_threads();
    void set_style_names();
    void connect_limit_spinboxes();
    void connect_aux_buttons();
    void disconnect_aux_buttons();

    // page builders
    void build_cc_page();
    void build_cv_page();
    void build_cr_page();
    void build_cp_page();
    void build_led_page();
    void layout_dynamic_page();
    void layout_battery_page();
    void layout_configure_page();
    void layout_display_page();
    void layout_list_page();
    void build_aux_buttons();
    void build_ocp_page();
    void build_opp_page();
    void build_sltm_page();
    void build_limit_page();
    void build_display_group();
    void build_program_page();

    // trend
    void set_axis_limit(int q, bool upper);
    void show_curve(int q, bool on);
    QVector<double>& series_of(int q);
    QVector<double>& window_of(int q);
    QVector<double>& scaled_of(int q);
    QwtPlotCurve* curve_of(int q);
    void install_time_scale();
    void write_record_row(double current, double voltage, double resistance, double power);


    // ends of a session
    void end_session(bool remote_off);
    void post(int operation, bool repeat, int private_data);

    // pages whose bodies come with the reply side
    void _init_battery_connect();
    void _init_list_connect();
    void _disconnect_list();
    void fill_list_table();
    void update_list_curve();
    void init_program_page();
    void connect_dialog();
};

#endif
