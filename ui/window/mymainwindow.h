#ifndef MYMAINWINDOW_H
#define MYMAINWINDOW_H

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>

#include "custom_messagebox.h"

class Ui_MyMainWindow;
class QColor;
class QLabel;
class QTableWidget;
class QWidget;
class SwitchButton;
class cfg_thread_t;
class Get_configure_value;
class Get_data_thread;
class Get_display_data;
class SCPI_write_and_read;
class Send_data_thread;
class ListPreviewWin;
class ProgResultWin;

// The main window: the form with its six mode pages, the trend area and the
// status line, the load switch, the command table and the requests every
// panel posts through the command thread.
class MyMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MyMainWindow(QWidget* parent = nullptr);
    ~MyMainWindow() override;

    // ---- form and instrument link
    Ui_MyMainWindow* ui = nullptr;
    cfg_thread_t* cfg_thread = nullptr;          // started after a connection
    SCPI_write_and_read* scpi_write_and_read = nullptr; // never started
    Get_data_thread* get_data_thread = nullptr;  // settings text for saving
    Send_data_thread* send_data_thread = nullptr; // applies a loaded settings text
    Get_display_data* get_display_data = nullptr; // never started
    Get_configure_value* get_configure_value = nullptr; // opens and identifies a load
    SwitchButton* load_switch = nullptr;         // input state, set from the load

    // Shared request lists: fill_cmd_list and some panel slots fill them.
    QList<QString> write_list;
    QList<QString> query_list;

    // ---- state shared with the panels
    bool is_connected = false;
    // The session's stage, judged from the connection's flags in this one
    // place: a load being identified (a session it replaced may still be
    // ending), a connected load whose state is being read back, a connected
    // load, a session ending with no new one being made, or none.
    enum class stage_t { none, identifying, reading_back, connected, ending };
    stage_t session_stage() const;
    int mode_page = 0;       // 0 Basic, 1 Protect, 2 Battery, 3 List, 4 Program, 5 External
    // The page visit shown, raised by every page change; carried by a page's
    // entry request and by the function requests of its controls.
    int page_visit = 0;
    int func_code = 0;       // what the measurement poll reads for (see fill_cmd_list)
    bool time_test_flag = false;
    int basic_mode = 0;      // 0 CC, 1 CV, 2 CR (also LED), 3 CP
    bool is_led = false;
    bool is_dynamic = false;
    int protect_mode = 0;    // 0 OCP, 1 OPP
    int ext_mode_code = 24;  // 24 external CC, 25 external CV
    bool battery_v_stop_flag = false;
    bool battery_c_stop_flag = false;
    bool battery_t_stop_flag = false;
    int battery_start_state = 0;
    int ocp_test_state = 0;
    int opp_test_state = 0;
    QFile list_file;
    ListPreviewWin* list_preview_win = nullptr;
    QFile prog_file;
    ProgResultWin* prog_result_win = nullptr;
    int prog_row_count = 5;

    // Utility dialog's pending rows (set_pending_utility_a/_b).
    bool pending_utility_a = false;
    int pending_utility_a_count = 0;
    bool pending_utility_b = false;
    int pending_utility_b_count = 0;

    QString msg_turn_off_load;   // "Please turn off the load !"
    QString msg_wrong_file;      // "It's not the correct file !"
    QString enabled_colour = QStringLiteral("#ffffff");
    QString disabled_colour = QStringLiteral("#909090");
    // A halted list or program step's number: a light red, as pure red
    // reads at 2:1 on the tables' grey.
    QString halted_colour = QStringLiteral("#ffb4b4");

    // ---- trend view and record start values
    int trend_point_count = 150;
    int trend_series_limit = 250000;
    int trend_time_mode = 1;
    bool trend_auto_range = true;
    bool trend_paused = false;
    bool recording = false;
    bool record_stop_by_time = false;
    bool record_stop_by_count = false;
    bool record_auto_interval = true;
    QFile record_file;
    QFile settings_file;

    // ---- status line (the labels are named "sbar_label" for the style sheet)
    QLabel* sbar_run_state = nullptr;
    QLabel* sbar_trig = nullptr;
    QLabel* sbar_aver = nullptr;
    QLabel* sbar_sense = nullptr;
    QLabel* sbar_sof = nullptr;
    QLabel* sbar_vol = nullptr;
    QLabel* sbar_ext_sw = nullptr;
    QLabel* sbar_imon = nullptr;
    QLabel* sbar_vmon = nullptr;
    QLabel* sbar_tmon = nullptr;
    QLabel* sbar_iprotect = nullptr;
    QLabel* sbar_pprotect = nullptr;
    QLabel* sbar_short = nullptr;
    QLabel* sbar_alarm = nullptr; // the protection the load tripped, if any

    // What a wait prompt waits for: only the end of that wait closes it, so
    // a reply of something else never takes down a prompt it did not open.
    enum class wait_t { connect, refresh, settings, list_recall, prog_recall, battery };
    // The wait prompt while one is open, and what it waits for.
    QPointer<custom_messagebox> wait_prompt;
    wait_t wait_prompt_kind = wait_t::connect;

    // ---- requests
    // Clears write_list and query_list and fills them with the command set
    // of `operation` (parallel by index, "" = nothing to write or to ask);
    // a code without a set leaves both empty.
    void fill_cmd_list(int operation);
    // Posts the repeating measurement poll (operation 183).
    void request_measure();

    // ---- boxes
    void show_warning(const QString& text);
    // Modal: returns once close_wait_prompt (or a lost connection) closed it.
    void show_wait_prompt(const QString& title, const QString& text, wait_t kind);
    // Closes the prompt when it waits for `kind`; a prompt of another wait stays.
    void close_wait_prompt(wait_t kind);
    // Closes whatever prompt shows: the session ended, nothing it waited for comes.
    void close_wait_prompt();

    // ---- item helpers of the panels
    void set_items_color(QWidget* first, QWidget* box, QWidget* unit, bool enabled);
    void set_items_color_2(QWidget* first, QWidget* box, QWidget* unit, bool enabled);
    void show_items_2(QLabel* name, QWidget* box, QLabel* unit, bool show,
                      const QString& name_text, const QString& unit_text);

    // ---- parameter store wiring: store signal -> update slot, one table
    struct para_link_t {
        const char* signal; // SIGNAL() form, "2sig_static_cc_i_range(int)"
        const char* slot;   // SLOT() form, "1update_static_cc_irange(int)"
    };
    static const QVector<para_link_t>& para_links();
    // Store signals that have no update slot in the window.
    static const QStringList& para_signals_without_slot();
    // Returns the number of links that could not be made (0 when all were).
    int connect_para_signals();
    void disconnect_para_signals();

    // Stops and waits for the display, identify and second exchange threads
    // that run (the identification's exchange in progress cut short).
    void stop_worker_threads();

    // Utility dialog: whether its request carries the time-test row.
    void set_pending_utility_a(bool sent, int count);
    void set_pending_utility_b(bool sent, int count);

    // Interface language recorded at start-up: "chinese" or "english".
    static void set_ui_language(const QString& language);
    static QString ui_language();

public slots:
    // ---- status area
    void update_running_state(int state, int step, int kind);
    void update_state_vis(bool show, int kind);
    void update_trig_state(int source);
    void update_aver_state(int index);
    void update_sense_state(bool on);
    void update_sof_state(bool on);
    void update_vol_state(bool on);
    void update_ext_sw_state(bool on);
    void update_imon_state(bool on);
    void update_vmon_state(bool on);
    void update_tmon_state(bool on);
    void update_iprotect_state(bool on);
    void update_pprotect_state(bool on);
    void update_short_state(bool on);
    // Follows the input state of each measurement set: an input the load
    // switched off by itself has its alarm state asked.
    void follow_input_state(int input);
    // Replies of a message list: the short state for the short question,
    // else the first is the alarm state ("TEST:STAT?"), shown in the status line.
    void deal_message_cmd(QList<QString> replies, int kind);
    void show_alarm_state(const QString& reply);

    // ---- mode selector and page entries
    void on_comboBox_Mode_currentIndexChanged(int index);
public:
    // A page change: what the page left (or shown before) posted belongs to
    // an earlier visit.
    void begin_page_visit();
    // Whether a reply posted with `visit` belongs to the page visit shown.
    bool page_visit_shown(int visit) const;
public slots:
    void init_Basic();
    void init_Protect();
    void init_Battery();
    void init_List();
    void init_Prog();
    void init_Ext();

    // ---- load switch and trigger
    void on_pushButton_Load_clicked();
    void on_pushButton_Trig_clicked();

    // ---- menus
    void do_setting_action();
    void do_save_action();
    void do_load_action();
    void do_refresh_action();
    void do_english_action();
    void do_chinese_action();
    void do_about_action();
    void do_guide_action();
    void do_web_action();
    void show_Connect_dock();

    // ---- replies of the worker threads (the reply side fills these)
    void deal_cfg_thread(int op, QList<QString> replies, QList<QWidget*> widgets, int subcode);
    void deal_cfg_thread_bytedata(int op, QByteArray bytes);
    void deal_scpi_rw(int op, QList<QString> replies, QList<QWidget*> widgets);
    void deal_get_data_thread();
    void deal_send_data_thread();
    void refresh_device();

    // ---- panel parts called by the shell (the panels fill these)
    void init_list_ui();

    // ---- update slots of the parameter store (the panels fill these)
    void update_static_cc_irange(int value);
    void update_static_cc_vrange(int value);
    void update_static_cc_i(double value);
    void update_static_cc_ris(double value);
    void update_static_cc_fal(double value);
    void update_static_cv_irange(int value);
    void update_static_cv_vrange(int value);
    void update_static_cv_v(double value);
    void update_static_cr_irange(int value);
    void update_static_cr_vrange(int value);
    void update_static_cr_r(double value);
    void update_static_cp_irange(int value);
    void update_static_cp_vrange(int value);
    void update_static_cp_p(double value);
    void update_static_led_irange(int value);
    void update_static_led_vrange(int value);
    void update_static_led_io(double value);
    void update_static_led_vo(double value);
    void update_static_led_rco(double value);

    void update_dyn_cc_mode(int value);
    void update_dyn_cc_irange(int value);
    void update_dyn_cc_vrange(int value);
    void update_dyn_cc_a_level(double value);
    void update_dyn_cc_b_level(double value);
    void update_dyn_cc_a_width(double value);
    void update_dyn_cc_b_width(double value);
    void update_dyn_cc_width(double value);
    void update_dyn_cc_ris(double value);
    void update_dyn_cc_fal(double value);
    void update_dyn_cv_mode(int value);
    void update_dyn_cv_irange(int value);
    void update_dyn_cv_vrange(int value);
    void update_dyn_cv_a_level(double value);
    void update_dyn_cv_b_level(double value);
    void update_dyn_cv_a_width(double value);
    void update_dyn_cv_b_width(double value);
    void update_dyn_cv_width(double value);
    void update_dyn_cr_mode(int value);
    void update_dyn_cr_irange(int value);
    void update_dyn_cr_vrange(int value);
    void update_dyn_cr_a_level(double value);
    void update_dyn_cr_b_level(double value);
    void update_dyn_cr_a_width(double value);
    void update_dyn_cr_b_width(double value);
    void update_dyn_cr_width(double value);
    void update_dyn_cp_mode(int value);
    void update_dyn_cp_irange(int value);
    void update_dyn_cp_vrange(int value);
    void update_dyn_cp_a_level(double value);
    void update_dyn_cp_b_level(double value);
    void update_dyn_cp_a_width(double value);
    void update_dyn_cp_b_width(double value);
    void update_dyn_cp_width(double value);

    void update_ocpt_i_range(int value);
    void update_ocpt_v_range(int value);
    void update_ocpt_v(double value);
    void update_ocpt_step(double value);
    void update_ocpt_start(double value);
    void update_ocpt_end(double value);
    void update_ocpt_min(double value);
    void update_ocpt_max(double value);
    void update_ocpt_delay(double value);
    void update_oppt_i_range(int value);
    void update_oppt_v_range(int value);
    void update_oppt_v(double value);
    void update_oppt_step(double value);
    void update_oppt_start(double value);
    void update_oppt_end(double value);
    void update_oppt_min(double value);
    void update_oppt_max(double value);
    void update_oppt_delay(double value);

    void update_battery_mode(int value);
    void update_battery_i_range(int value);
    void update_battery_v_range(int value);
    void update_battery_value(double value);
    void update_battery_VS_sw(bool on);
    void update_battery_CS_sw(bool on);
    void update_battery_TS_sw(bool on);
    void update_battery_VS_value(double value);
    void update_battery_CS_value(double value);
    void update_battery_TS_value(double value);

    void update_ext_mode(int value);
    void update_ext_i_range(int value);
    void update_ext_v_range(int value);

    void update_list_mode(int value);
    void update_list_i_range(int value);
    void update_list_v_range(int value);
    void update_list_step(int value);
    void update_list_count(int value);
    void update_list_set(QStringList values);
    void update_list_width(QStringList values);
    void update_list_slew(QStringList values);
    void update_list_set_by_index(QString value, int row);
    void update_list_width_by_index(QString value, int row);
    void update_list_slew_by_index(QString value, int row);

    void update_prog_step(int count);
    void update_prog_pause_by_index(QString value, int row);
    void update_prog_mode_by_index(QString value, int row);
    void update_prog_irange_by_index(QString value, int row);
    void update_prog_vrange_by_index(QString value, int row);
    void update_prog_short_by_index(QString value, int row);
    void update_prog_ton_by_index(QString value, int row);
    void update_prog_toff_by_index(QString value, int row);
    void update_prog_tdly_by_index(QString value, int row);
    void update_prog_min_by_index(QString value, int row);
    void update_prog_max_by_index(QString value, int row);
    void update_prog_set_by_index(QString value, int row);
    void update_prog_vo_by_index(QString value, int row);
    void update_prog_io_by_index(QString value, int row);
    void update_prog_rco_by_index(QString value, int row);
    void update_prog_rrange_by_index(QString value, int row);

    // ---- constructor parts, one per area
    void init_prog_table();
    void init_trend_and_record();
    void init_connect_signals();

    // ---- panel reply routers: every reply reaches all six, in this order
    void deal_basic_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets);
    void deal_over_protect_test_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets);
    void deal_battery_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets);
    void deal_list_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets);
    void deal_ext_operating_button(int op, QList<QString> replies, QList<QWidget*> widgets);
    // byte replies of the list and program files
    void deal_list_storage_operating_button(QByteArray bytes);
    void deal_list_recall_operating_button(QByteArray bytes);
    void deal_prog_storage_operating_button(QByteArray bytes);
    void deal_prog_recall_operating_button(QByteArray bytes);

    // ==== reply side and connection (mymainwindow_reply*.cpp, _connect.cpp)
    // Window-level reply handlers, chosen by operation code (deal_cfg_thread).
    void deal_cc_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_cv_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_cr_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_cp_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_led_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_dyn_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_bat_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_utility_value(QList<QString> replies);
    void deal_list_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_list_running_value(QList<QString> replies, int run);
    void deal_prog_running_value(QList<QString> replies, int run);
    void deal_list_change_value(QList<QString> replies);
    void deal_extc_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_static_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_dyn_mode_value(QList<QString> replies, QList<QWidget*> widgets);
    void deal_message_value(QList<QString> replies, int subcode);
    void deal_init_para_value(QList<QString> replies, int subcode);
    void deal_init_value(QList<QString> replies, int subcode);
    void deal_load_value(QList<QString> replies, int subcode);
    void deal_short_value(QList<QString> replies);
    void deal_prog_recall(QList<QString> replies, QList<QWidget*> widgets);
    void deal_list_recall(QList<QString> replies, QList<QWidget*> widgets);
    void deal_trigger_button_value(QList<QString> replies, int run);
    void deal_utility_button_value(QList<QString> replies);
    void deal_showing_value(QList<QString> replies, QList<QWidget*> widgets);

    // Device tree and connection.
    void deal_dev_tree_item_clicked(class QTreeWidgetItem* item, int column);
    void deal_action_creatnet();
    void deal_action_connect();
    void deal_action_disconnect();
    void deal_action_delete();
    void connect_resource(const QString& resource);
    void connect_tcpip_address(const QString& address);
    // `attempt`: the number of the identification the result is of.
    void deal_connect_no_exist(int attempt);
    void deal_connect_fail(int attempt);
    void deal_connect_success(int attempt);
    void device_status();
    void on_pushButton_Disconnect_clicked();
    void update_usb_resource();
    void update_net_resource();
    void _update_manual_tcpip_list();
    void ip_create_form_btn_slot_func(class ipcreat* dialog, int code);
    void clear_resource();
    // Opens the connection dialog.
    void do_connect_action();

public:
    // Called with the name of each router and handler a reply runs through,
    // in order (for tracing).
    void (*reply_trace)(const char* name) = nullptr;
    // True while the device scan of a tree rebuild runs.
    bool device_scan_busy() const;
    // Number of settings the connection read-back stores (its 122 queries).
    static int readback_field_count();

    QString current_resource;          // resource being connected or held
    QList<QString> scanned_resources;  // last device scan
    QList<QString> usb_resources;      // USB entries of the scan (connection dialog)
    QString pressed_text;              // column 0 of the last pressed tree item
    class QTreeWidgetItem* pressed_item = nullptr;   // last item that opened the menu
    bool pressed_is_usb = false;
    class QTreeWidgetItem* connected_item = nullptr; // item connected through the tree
    bool connected_is_usb = false;
    QString network_root_text;
    QMap<QByteArray, bool> manual_lan_map; // manual LAN resources (UTF-8) -> answered
    class QTimer* status_timer = nullptr;
    class QAction* action_create = nullptr;
    class QAction* action_connect = nullptr;
    class QAction* action_disconnect = nullptr;
    class QAction* action_delete = nullptr;
    QString wrong_resource_text;

private:
    // Ends the traffic with the connected load without blocking the window:
    // stops the command thread, and once it has ended says "remote off" (when
    // asked) and closes the session, then runs a connection waiting for it.
    // `input_off` writes "INP 0" before the remote-off.
    void end_session(bool remote_off, bool input_off = false);
    void finish_session_end();
    void start_identify(const QString& resource, int pause_ms = 0, bool input_off = false);
    // Every road that opens a connection: asks about the old session, marks
    // the tree item named `item_text` (when there is one) and starts.
    void connect_to(const QString& resource, const QString& item_text, int pause_ms = 0);
    // A connection being made is dropped (Disconnect on its item, Delete
    // Resource, a refresh, closing the window): its identification is cut
    // short without waiting for it, and a result of it that still comes is
    // not taken.
    void give_up_connecting();
    // Each identify result first: true when it is the result of the
    // connection being made, which is then no longer being made; false for
    // one the user replaced or dropped, which is not handled.
    bool take_connect_result(int attempt);
    // Opens the connection waiting to be made once nothing holds the link
    // any more: the old session has ended and an identification it replaced
    // has let its session go.
    void open_waiting_connection();
    // The identify thread has ended.
    void deal_identify_end();
    // Rebuilds the tree from the last scan and the manual LAN map.
    void rebuild_tree();
    // Widens the device dock (and the window, as far as the screen allows)
    // so that the resources in the tree are not cut off.
    void fit_dock_to_tree();
    // The width the central area's fixed layout needs to be seen whole.
    int central_width_needed() const;
    // Starts the device scan (USB resources, identification of the manual LAN
    // addresses) off the window's thread; the tree is rebuilt when it ends.
    void start_device_scan();
    void deal_device_scan_end();
    void restore_connected_icon();
    void set_item_icon(class QTreeWidgetItem* item, bool usb, bool connected);
    void write_remote_off();
    void show_readings(double current, double voltage, double resistance, double power, int load);
    // The load left remote control (its Local key): the session ends, and
    // the user is told why.
    void load_left_remote();
    // After a session ended: nothing on screen reads as the load's live
    // state; the record stops; an end the user did not ask for is told.
    void show_session_ended(bool asked);

    class device_scan_t* device_scan = nullptr;
    bool rescan_wanted = false;
    bool device_scan_open = false;  // started, its results not yet taken
    QPointer<custom_messagebox> refresh_prompt; // the refresh prompt the scan closes
    QString connected_item_text;    // text of the connected item across rebuilds
    bool session_ending = false;    // the command thread is being stopped
    bool session_remote_off = false;
    // A connection is being made: from the identify's scheduling until its
    // result has been handled (the thread may have ended with it still queued).
    bool connecting = false;
    // The number of the last identification asked for; each result carries
    // its own, so that one of a connection replaced meanwhile is told apart.
    int connect_attempt = 0;
    // The identify thread was started and its end not yet handled (its
    // result, queued before the end, may still be on its way).
    bool identify_busy = false;
    bool connect_waiting = false;   // a connection waits for the old session to end
    QString connect_waiting_resource;
    int connect_pause_ms = 0;       // least pause before it opens
    class QTimer* identify_timer = nullptr; // the pause before a new connection opens
    QPointer<QWidget> connect_dialog;       // the open connection dialog
    bool sof_warning_open = false;  // the stop-on-fail warning of a program run is up
    int prog_input_off_sets = 0;    // program run-state sets read with the input off since it was on
    QString session_end_text;       // why the load ended the session, when it did
    bool input_seen_on = false;     // the last measurement set read the input on
    bool input_off_asked = false;   // the user switched the input off

public slots:
    // ==== end reply side and connection

    // ==== trend, record and settings files (mymainwindow_trend.cpp, _record.cpp, _file.cpp)
    // One measurement set from the poll or a run-state reply: rounds it,
    // keeps it for the record, writes an automatic record row, feeds the
    // trend. load 0 = input off (current, resistance and power taken as 0).
    void display_data(double cc, double cv, double cr, double cp, int start, int load);
    // Redraws the trend from the raw series, read in place.
    void deal_trend_data();
    void on_comboBox_wave_time_currentIndexChanged(int index);
    void on_doubleSpinBox_C_MAX_valueChanged(double value);
    void on_doubleSpinBox_V_MAX_valueChanged(double value);
    void on_doubleSpinBox_R_MAX_valueChanged(double value);
    void on_doubleSpinBox_P_MAX_valueChanged(double value);
    void on_doubleSpinBox_C_MIN_valueChanged(double value);
    void on_doubleSpinBox_V_MIN_valueChanged(double value);
    void on_doubleSpinBox_R_MIN_valueChanged(double value);
    void on_doubleSpinBox_P_MIN_valueChanged(double value);
    void on_checkBox_Auto_clicked();
    void on_checkBox_Wave_C_clicked();
    void on_checkBox_Wave_V_clicked();
    void on_checkBox_Wave_R_clicked();
    void on_checkBox_Wave_P_clicked();
    void on_pushButton_Pause_Wave_clicked();
    void on_pushButton_Clear_Wave_clicked();
    void on_pushButton_ShowWave_clicked();
    // Display page set-up while no load is connected.
    void init_display_para();
    // `value` with `weishu` decimals (cut, or padded with zeros).
    QString set_display_value(double value, int weishu);

    // ---- measurement record
    void on_checkBox_Record_clicked();
    void on_pushButton_Record_Setting_clicked();
    void record_measure_value(); // interval timer
    void stop_record();          // ends a running record ("Save Complete")
    void set_record_path(const QString& path);
    void set_record_stop_time(bool on, int hours, int minutes, int seconds);
    void set_record_stop_count(bool on, int n);
    void set_record_interval(bool automatic, int seconds);

    // ---- settings files: a load's progress, a refused or failed load
    void deal_send_progress(int done, int total);
    void deal_send_error();
    // A click or entry made while a settings transfer holds the load is not
    // carried out: the status line tells so.
    void deal_post_refused();

public:
    // A new connection starts an empty trend in the 1 minute window, the
    // axes on auto and no record.
    void reset_trend_view();
    // Empties the trend's series and its plot (and blanks its statistics
    // when asked; the Clear button keeps them).
    void clear_trend(bool with_statistics = false);
    // Rescales the points quantity q (0 current, 1 voltage, 2 resistance,
    // 3 power) shows now, at their own x, to the range [min, max].
    void pause_adjust_func(double max, double min, int q);
    void wave_show_C_info(bool on);
    void wave_show_V_info(bool on);
    void wave_show_R_info(bool on);
    void wave_show_P_info(bool on);
    void show_wave_C_widgets();
    void show_wave_V_widgets();
    void show_wave_R_widgets();
    void show_wave_P_widgets();
    static int hms_to_seconds(int hours, int minutes, int seconds);

    // Series, plot, limits and record of the display page
    // (mymainwindow_trend_state.h).
    struct trend_state_t;
    QSharedPointer<trend_state_t> trend;

private:
    void install_time_scale();
    void show_wave_widgets(int q, bool on);
    void on_wave_check(int q);
    void set_trend_upper(int q, double value);
    void set_trend_lower(int q, double value);
    void init_record();
    void apply_record_action(int action);
    bool write_record_text(const QString& text);
    // Ends the record; `message` is shown when a file was open.
    void end_record(const QString& message);
    // Ends the record because its session ended, telling the user so.
    void end_record_session_ended();
    void init_settings_files();
    // How the traffic goes on after a settings transfer.
    enum class resume_t {
        as_before, // the load is as it was (a save): what ran goes on
        read_back, // the load's set-up changed (a load): its state is read back
    };
    // The end of a save or load: its prompt closed, the command thread's
    // posts taken again, a refused click told once more, the traffic resumed.
    void end_settings_transfer(resume_t how);
    // A save (1) or load (2) begins: it holds the command thread at once,
    // or once the connection being made has read the load back.
    void begin_settings_transfer(int what);
    void hold_for_settings_transfer();

public slots:
    // Starts a save or load that waited for the command thread to end.
    void start_pending_settings_transfer();
public:
    // A connection that was not made ends the save or load waiting for it:
    // its prompt closes and the status line says why nothing was done.
    void drop_waiting_settings_transfer();
    // A save or load: none; waiting for the connection being made (no
    // thread of its own, no reply slot to come); or carrying the load (the
    // command thread held, a settings thread running or its reply slot to
    // come). One at a time.
    enum class transfer_t { none, waiting, running };
    transfer_t transfer_stage() const;
    // A save (1) or load (2) waiting for the command thread to end, so the
    // window never waits for a load that hangs mid-exchange; 0 when none.
    int settings_start_pending = 0;
    // That save or load waits first for the connection being made.
    bool settings_wait_connection = false;
    // A connection's read-back has been posted and its state reply not yet
    // handled.
    bool connection_readback_open = false;
    // A post or the user's input was refused during this transfer.
    bool settings_post_refused = false;
    // Keeps the user's input from the window during a transfer.
    class input_guard_t* settings_input_guard = nullptr;
    // What the status line tells of it.
    QString settings_refused_text() const;
public slots:
    // ==== end trend, record and settings files

    // ==== Basic panel (mymainwindow_basic*.cpp)
    // Form slots: functions, LED, dynamic form and its transient modes,
    // ranges, value boxes.
    void on_radioButton_CC_Basic_clicked();
    void on_radioButton_CV_Basic_clicked();
    void on_radioButton_CR_Basic_clicked();
    void on_radioButton_CP_Basic_clicked();
    void on_checkBox_LED_Basic_clicked();
    void on_checkBox_Dynamic_Basic_clicked();
    void on_radioButton_Cont_Basic_clicked();
    void on_radioButton_Plus_Basic_clicked();
    void on_radioButton_Tog_Basic_clicked();
    void on_radioButton_5A_Basic_clicked();
    void on_radioButton_30A_Basic_clicked();
    void on_radioButton_36V_Basic_clicked();
    void on_radioButton_150V_Basic_clicked();
    void on_radioButton_om_Basic_clicked();
    void on_doubleSpinBox_1_Basic_sigUpdateValue();
    void on_doubleSpinBox_2_Basic_sigUpdateValue();
    void on_doubleSpinBox_3_Basic_sigUpdateValue();
    void on_doubleSpinBox_4_Basic_sigUpdateValue();
    void on_doubleSpinBox_5_Basic_sigUpdateValue();
    void on_doubleSpinBox_6_Basic_sigUpdateValue();
    // While the input is on: warns, restarts the poll and re-reads the
    // function so that the page shows the load's settings again.
    void recover_change_when_load_on_basic();
    // Lays the page out for mode 0 CC, 1 CV, 2 CR/LED, 3 CP in the form
    // is_dynamic and is_led select, filled from the parameter store.
    void init_Basic_Config_By_Mode(int mode);
    // Range setters: a range index (0 or 1) onto the buttons and box limits.
    void set_static_cc_irange_ui(int range);
    void set_static_cv_vrange_ui(int range);
    void set_dyn_cc_irange_ui(int range);
    void set_dyn_cv_vrange_ui(int range);
    void set_static_cr_r_ui(double r);
    void set_static_cp_p_ui(double p);
    // Reply handlers of the router deal_basic_operating_button.
    void deal_basic_irange_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_basic_vrange_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_static_cc_current_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_static_cc_slew_ris_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_static_cc_slew_fal_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_static_cv_voltage_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_static_cr_resis_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_static_cp_power_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_static_led_io_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_static_led_vo_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_static_led_rco_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_dyn_func_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_dyn_mode_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_dyn_irange_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_dyn_vrange_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_dyn_alevel_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_dyn_blevel_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_dyn_awidth_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_dyn_bwidth_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_dyn_width_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_dyn_slew_ris_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_dyn_slew_fal_operating_button(QList<QString> value, QList<QWidget*> widget);
    // ==== end Basic panel

    // ==== Protect panel (mymainwindow_protect.cpp)
    // Lays the page out for the OCP test (0) or the OPP test (any other).
    void init_Protect_config_by_mode(int mode);
    void on_radioButton_OCPT_clicked();
    void on_radioButton_OPPT_clicked();
    void on_radioButton_5A_Protect_clicked();
    void on_radioButton_30A_Protect_clicked();
    void on_radioButton_36V_Protect_clicked();
    void on_radioButton_150V_Protect_clicked();
    void on_doubleSpinBox_Protect_Val_sigUpdateValue();
    void on_doubleSpinBox_Protect_Step_sigUpdateValue();
    void on_doubleSpinBox_Protect_Start_sigUpdateValue();
    void on_doubleSpinBox_Protect_End_sigUpdateValue();
    void on_doubleSpinBox_Protect_Max_sigUpdateValue();
    void on_doubleSpinBox_Protect_Min_sigUpdateValue();
    void on_doubleSpinBox_Protect_Delay_sigUpdateValue();
    // Read-backs of operations 132..150, called by the panel's router.
    void deal_over_protect_func_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_over_protect_test_irange_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_over_protect_test_vrange_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_over_protect_test_v_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_over_protect_test_step_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_over_protect_test_start_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_over_protect_test_end_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_over_protect_test_min_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_over_protect_test_max_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    void deal_over_protect_test_dly_operating_button(QList<QString> value, QList<QWidget*> widget, int button_model);
    // Selects the test shown (0 OCP, 1 OPP) while the page is shown.
    void update_protect_mode(int mode);
public:
    // Follows an OCP or OPP test through the measurement poll: the poll's
    // reply handler calls it with each "INP?" value. A test seen running
    // that has ended (the third poll with the input off) gets its result
    // asked: operation 29, "PROG:TEST? 1", sub-code 6 (OCP) or 7 (OPP).
    void follow_protect_test(int input);
private:
    void send_protect_range(int index);
    void send_protect_value(int row);
    void store_protect_value(int row, int op, const QList<QString>& value);
    void store_protect_range(bool current, int op, const QList<QString>& value);
    void set_protect_limits(int mode);
public slots:
    // ==== end Protect panel

    // ==== External-control panel (mymainwindow_ext.cpp)
    void on_radioButton_CC_Ext_clicked();
    void on_radioButton_CV_Ext_clicked();
    void on_radioButton_5A_Ext_clicked();
    void on_radioButton_30A_Ext_clicked();
    void on_radioButton_36V_Ext_clicked();
    void on_radioButton_150V_Ext_clicked();
    // Read-backs of operations 168, 171 and 172, called by the panel's router.
    void deal_cfg_extc_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_cfg_irange_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_cfg_vrange_operating_button(QList<QString> value, QList<QWidget*> widget);
private:
    void post_ext_mode(const QString& word, QWidget* button);
    void post_ext_range(int op, const QString& command, const QString& query, QWidget* button);
public slots:
    // ==== end External-control panel

    // ==== Battery panel (mymainwindow_battery.cpp)
    // Lays the page out for a mode: 0 CC, 2 CR, 3 CP (the Basic panel's
    // numbering; any other code lays out no mode).
    void init_Battery_Config_By_Mode(int layout_code);
    void on_radioButton_CC_Battery_clicked();
    void on_radioButton_CP_Battery_clicked();
    void on_radioButton_CR_Battery_clicked();
    void on_radioButton_om_Battery_clicked();
    void on_radioButton_5A_Battery_clicked();
    void on_radioButton_30A_Battery_clicked();
    void on_radioButton_36V_Battery_clicked();
    void on_radioButton_150V_Battery_clicked();
    void on_checkBox_V_Stop_clicked();
    void on_checkBox_C_Stop_clicked();
    void on_checkBox_T_Stop_clicked();
    void on_doubleSpinBox_1_Battery_sigUpdateValue();
    void on_doubleSpinBox_VS_Battery_sigUpdateValue();
    void on_spinBox_CS_Battery_sigUpdateValue();
    void on_spinBox_TS_Battery_sigUpdateValue();
    // Re-colour a stop value from its stored flag.
    void on_battery_v_stop_change();
    void on_battery_c_stop_change();
    void on_battery_t_stop_change();
    // Read-backs of operations 151..160, called by the panel's router.
    void deal_battery_func_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_battery_irange_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_battery_vrange_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_battery_para_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_battery_vstop_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_battery_cstop_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_battery_tstop_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_battery_vstop_t_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_battery_cstop_t_operating_button(QList<QString> value, QList<QWidget*> widget);
    void deal_battery_tstop_t_operating_button(QList<QString> value, QList<QWidget*> widget);
public:
    // Stop widgets: check box, flag and the colour of the value and unit.
    void set_battery_v_stop_ui(bool on);
    void set_battery_c_stop_ui(bool on);
    void set_battery_t_stop_ui(bool on);
    // Discharge time as h:mm:ss with at least two digits per part
    // ("01:02:05"; hours are not limited to two digits).
    static QString seconds_to_hms(double seconds);
private:
    // While the input is on: warns and reads the page back instead of
    // sending; true when it did so.
    bool refuse_battery_change();
    void send_battery_mode(int layout_code);
    void send_battery_range(int index);
    void post_battery(int op, const QList<QString>& writes, const QList<QString>& queries,
                      const QList<QWidget*>& widgets);
    void set_battery_level_limits(int battery_mode);
public slots:
    // ==== end Battery panel

    // ==== List panel (mymainwindow_list*.cpp)
signals:
    // One list run-state reply (running step, stop state, input state), for
    // the preview window.
    void sig_list_trigger_thread(int step_value, int stop_value, int load_value);

public slots:
    // Step table: built once, then grown or shrunk with the step count.
    void init_list_table();
    void update_list_pad();
    // Resize and refill the table from the store, then restart the poll.
    void init_list_change_ui();
    void init_List_Config_By_Mode(int mode);
    void disable_list_om_radio();
    // Operation 22's text form: end the wait and refill the table.
    void deal_list_change_value(QString reply);

    void on_radioButton_CC_List_clicked();
    void on_radioButton_CV_List_clicked();
    void on_radioButton_CR_List_clicked();
    void on_radioButton_CP_List_clicked();
    void on_radioButton_5A_List_clicked();
    void on_radioButton_30A_List_clicked();
    void on_radioButton_36V_List_clicked();
    void on_radioButton_150V_List_clicked();
    void on_radioButton_om_List_clicked();
    void on_spinBox_Step_List_sigUpdateValue();
    void on_spinBox_Count_List_sigUpdateValue();
    // Finished edits of the table's level, width and slew cells.
    void deal_set_doublespinbox();
    void deal_time_doublespinbox();
    void deal_slew_doublespinbox();

    // Read-backs of operations 72 to 79 (step: 1-based step number of the edit).
    void deal_list_set_operating_button(QList<QString> value, int step);
    void deal_list_time_operating_button(QList<QString> value, int step);
    void deal_list_slo_operating_button(QList<QString> value, int step);
    void deal_list_func_operating_button(QList<QString> value);
    void deal_list_irange_operating_button(QList<QString> value);
    void deal_list_vrange_operating_button(QList<QString> value);
    void deal_list_step_operating_button(QList<QString> value);
    void deal_list_count_operating_button(QList<QString> value);

    // ".list" files: export (operation 80) and import (81).
    void on_pushButton_Export_List_clicked();
    void on_pushButton_Inport_List_clicked();
    void on_pushButton_Preview_List_clicked();

    // Run display: called with every list run-state reply (operation 15).
    void deal_list_trigger_thread(int step_value, int stop_value, int load_value);
    // The run's end as the table and status line show it: every row normal, "List state:Stop".
    void show_list_stopped();
    // Whether the status line shows a list running; when it no longer does,
    // the preview marks no running step either.
    void set_list_run_shown(bool running);
    // The step column of a run's table: its first `rows` rows in the normal
    // colour, the running row (when it is one of them) in `mark`.
    void mark_running_step(QTableWidget* table, int rows, int running_row, const QColor& mark);
    // No step runs: every row in the normal colour.
    void unmark_running_step(QTableWidget* table);
    // Whether the page that follows a run of this kind (3 list, 4 program)
    // is shown: a run-state reply of a run left by a page change shows nothing.
    bool run_page_shown(int kind) const;
    // Whether a run-state set or trigger reply posted for `run` belongs to
    // the run the window shows on the page of `kind`.
    bool run_is_shown(int run, int kind) const;
    // A page change or a trigger: what was posted before belongs to an
    // earlier run.
    void begin_new_run();

    // The command thread ended (disconnect or lost link): what waited for
    // a reply will get none.
    void reset_list_exchanges();

public:
    struct list_edit_t {
        int op;   // 72 level, 73 width, 74 slew
        int step; // 1-based
    };
    // Step edits posted and not yet answered, in posting order (the command
    // thread answers one-shot requests in that order).
    QList<list_edit_t> list_pending_edits;
    bool list_table_built = false;
    bool list_done_shown = false;        // "List run complete !" shown for this run
    bool list_run_shown = false;         // the status line shows a list running
    int run_number = 0;                  // the run shown; carried by its trigger and run-state posts
    bool list_export_waiting = false;    // an export waits for the load's block
    QString list_export_path;            // where that block goes
    bool list_recall_waiting = false;    // an import waits to read the list back
    // The number of table rows for the store's step count (0..100).
    int list_table_rows() const;
    void ensure_list_table();
    void build_list_row(int row);
    // Level cells' maximum by the list mode and ranges.
    void apply_list_level_limit();
    void post_list_setting(int op, const QString& command, const QString& query, QWidget* source);
    void post_list_value(int op, const QString& command, const QString& query, QWidget* source);
    void post_list_cell(int op, int column, const char* command, const char* query);
    // After a read-back: the poll and, while the input is on (reply 0
    // "1\n"), the warning to turn it off, in one of these orders.
    enum list_reply_order { list_poll_then_warn, list_warn_then_poll, list_poll_warn_poll };
    void finish_list_reply(const QList<QString>& value, int order);
    void recall_list_after_import();

public slots:
    // ==== end List panel

    // ==== Program panel (mymainwindow_prog*.cpp)
public:
    // Makes the program table hold `count` rows (0..50), refreshed from the store.
    void fill_prog_rows(int count);
    class QTableWidget* get_prog_table() const;
    // The store index (0..49) a step edit's reply belongs to, or -1: an edit
    // carries a marker of its step in the widget list, never a table cell.
    int prog_step_of(const QList<QWidget*>& widgets) const;
    QList<QWidget*> prog_step_widgets(int index) const;
    // Creates the cells a row lacks and shows the store's step (or the
    // start values), then wires the row.
    void build_prog_row(int row, bool from_store);
    // Columns 11 to 15 for the step's mode.
    void place_prog_mode_cells(int row, int mode, bool from_store);
    void update_prog_combo_cell(int col, const QString& value, int row);
    void update_prog_value_cell(int col, const QString& value, int row);
    // Posts one cell edit of step `row` + 1.
    void post_prog_cell(int op, int row, const QString& command, const QString& query);
    // A value or combo cell of column `col` finished an edit.
    void prog_cell_edited(int col, QObject* cell);
    // Stores the reply of a cell edit (operations 49 to 62).
    void store_prog_reply(int op, const QList<QString>& replies, const QList<QWidget*>& widgets);
    // The read-back of the whole program after an import (operation 65).
    void read_back_prog();

    QList<QWidget*> prog_step_tokens;           // one hidden marker per step
    QString prog_export_path;                   // export waiting for its reply
    class QTimer* prog_recall_timer = nullptr;  // import: wait before the read-back

signals:
    // Operation 66's replies, for the result window.
    void update_prog_res(QList<QString> replies);

public slots:
    void set_prog_row_enable(int row, bool enable);
    void _init_table_connect(int row);
    void _disconnect_prog_table(int row);
    void set_cc_cv_cp(int row);
    void set_cr(int row);
    void set_led(int row);
    void set_button(int row);

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
    void on_spinBox_Step_Prog_sigUpdateValue();
    void init_program_ui();

    void deal_prog_mode_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_irange_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_vrange_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_pause_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_short_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_ton_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_toff_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_tdly_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_min_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_max_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_set_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_rrange_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_vo_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_io_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_rco_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    void deal_prog_step_operating_button(QList<QString> replies, QList<QWidget*> widgets);
    // Operation 66 (PROG:TEST:ALL?): shows the results below the window.
    void deal_prog_result_operating_button(QList<QString> replies);

    void on_pushButton_Export_Prog_clicked();
    void on_pushButton_Import_Prog_clicked();
    void on_pushButton_Result_Prog_clicked();
    // ==== end Program panel

    // ==== dialogs: utility, About, language (mymainwindow_dialogs.cpp)
    // ==== end dialogs

    // ==== short button and what the status line keeps (mymainwindow_mode.cpp, _status.cpp)
public slots:
    // Short on or off by the state shown (operation 33, then "SHOR?");
    // refused in the functions that have no short.
    void on_pushButton_Short_clicked();
public:
    bool short_on = false;   // the load's short as last read back
    // Asks the load's short state aside from the posted requests.
    void ask_short_state();
    // Takes `bits` out of the alarms the status line shows (a cause that
    // ended); -1 takes them all.
    void clear_alarms(int bits);
private:
    int alarm_bits = 0;      // the load's alarm bits the status line shows
    void show_alarm_bits(int bits);
    // Basic's page set-up, without sending the function again.
    void show_basic_page();
public slots:
    // ==== end short button

private:
    void init_connect_dock();
    void init_status_bar();
    void init_actions();
    // The page entries' common part: shows `page`, hides the other pages.
    void show_config_page(QWidget* page);
    // Stores the language for the next start and updates the check marks.
    void choose_language(const QString& language);
    void post(int op, const QList<QString>& writes, const QList<QString>& queries,
              bool repeat = false, int subcode = 0);

    // ==== leaving a session, closing the window (mymainwindow_connect.cpp)
protected:
    // While a load is connected the close ends the session as Disconnect
    // does (asking first whether to switch an input that is on off); the
    // window closes once the command thread has ended.
    void closeEvent(class QCloseEvent* event) override;
private:
    enum class leave_t { stay, leave, leave_input_off };
    // The roads out of a connected session; each names itself in the question.
    enum class road_t { close, disconnect, connect_elsewhere, delete_resource, refresh };
    // Every road out of a connected session asks here, once. With the input
    // on: whether to switch it off first (Cancel keeps the session); with it
    // off: the road's own `question`, when it has one, else nothing.
    leave_t ask_leave_session(road_t road, const QString& question = QString());
    // The Disconnect action's end of a session; `input_off` writes "INP 0"
    // before the remote-off.
    void disconnect_load(bool input_off);
    bool session_input_off = false; // the session's end switches the input off first
    bool refresh_input_off = false; // the refresh's answer, for its disconnect
    bool close_when_ended = false;  // the window closes once the session has ended
    // ==== end leaving a session
};

// The one main window, set by its constructor.
extern MyMainWindow* g_main_window;

#endif
