// The parameter store's change signals and the window's update slots.
#include "mymainwindow.h"

#include "uiPara.h"

const QVector<MyMainWindow::para_link_t>& MyMainWindow::para_links()
{
    // Each store signal and the update slot that redraws its widgets.
    static const QVector<para_link_t> links = {
        {SIGNAL(sig_static_cc_i_range(int)), SLOT(update_static_cc_irange(int))},
        {SIGNAL(sig_static_cc_v_range(int)), SLOT(update_static_cc_vrange(int))},
        {SIGNAL(sig_static_cc_i(double)), SLOT(update_static_cc_i(double))},
        {SIGNAL(sig_static_cc_ris(double)), SLOT(update_static_cc_ris(double))},
        {SIGNAL(sig_static_cc_fal(double)), SLOT(update_static_cc_fal(double))},
        {SIGNAL(sig_static_cv_i_range(int)), SLOT(update_static_cv_irange(int))},
        {SIGNAL(sig_static_cv_v_range(int)), SLOT(update_static_cv_vrange(int))},
        {SIGNAL(sig_static_cv_v(double)), SLOT(update_static_cv_v(double))},
        {SIGNAL(sig_static_cr_i_range(int)), SLOT(update_static_cr_irange(int))},
        {SIGNAL(sig_static_cr_v_range(int)), SLOT(update_static_cr_vrange(int))},
        {SIGNAL(sig_static_cr_r(double)), SLOT(update_static_cr_r(double))},
        {SIGNAL(sig_static_cp_i_range(int)), SLOT(update_static_cp_irange(int))},
        {SIGNAL(sig_static_cp_v_range(int)), SLOT(update_static_cp_vrange(int))},
        {SIGNAL(sig_static_cp_p(double)), SLOT(update_static_cp_p(double))},
        {SIGNAL(sig_static_led_i_range(int)), SLOT(update_static_led_irange(int))},
        {SIGNAL(sig_static_led_v_range(int)), SLOT(update_static_led_vrange(int))},
        {SIGNAL(sig_static_led_io(double)), SLOT(update_static_led_io(double))},
        {SIGNAL(sig_static_led_vo(double)), SLOT(update_static_led_vo(double))},
        {SIGNAL(sig_static_led_rco(double)), SLOT(update_static_led_rco(double))},
        {SIGNAL(sig_dyn_cc_mode(int)), SLOT(update_dyn_cc_mode(int))},
        {SIGNAL(sig_dyn_cc_i_range(int)), SLOT(update_dyn_cc_irange(int))},
        {SIGNAL(sig_dyn_cc_v_range(int)), SLOT(update_dyn_cc_vrange(int))},
        {SIGNAL(sig_dyn_cc_a_level(double)), SLOT(update_dyn_cc_a_level(double))},
        {SIGNAL(sig_dyn_cc_b_level(double)), SLOT(update_dyn_cc_b_level(double))},
        {SIGNAL(sig_dyn_cc_a_width(double)), SLOT(update_dyn_cc_a_width(double))},
        {SIGNAL(sig_dyn_cc_b_width(double)), SLOT(update_dyn_cc_b_width(double))},
        {SIGNAL(sig_dyn_cc_width(double)), SLOT(update_dyn_cc_width(double))},
        {SIGNAL(sig_dyn_cc_ris(double)), SLOT(update_dyn_cc_ris(double))},
        {SIGNAL(sig_dyn_cc_fal(double)), SLOT(update_dyn_cc_fal(double))},
        {SIGNAL(sig_dyn_cv_mode(int)), SLOT(update_dyn_cv_mode(int))},
        {SIGNAL(sig_dyn_cv_i_range(int)), SLOT(update_dyn_cv_irange(int))},
        {SIGNAL(sig_dyn_cv_v_range(int)), SLOT(update_dyn_cv_vrange(int))},
        {SIGNAL(sig_dyn_cv_a_level(double)), SLOT(update_dyn_cv_a_level(double))},
        {SIGNAL(sig_dyn_cv_b_level(double)), SLOT(update_dyn_cv_b_level(double))},
        {SIGNAL(sig_dyn_cv_a_width(double)), SLOT(update_dyn_cv_a_width(double))},
        {SIGNAL(sig_dyn_cv_b_width(double)), SLOT(update_dyn_cv_b_width(double))},
        {SIGNAL(sig_dyn_cv_width(double)), SLOT(update_dyn_cv_width(double))},
        {SIGNAL(sig_dyn_cr_mode(int)), SLOT(update_dyn_cr_mode(int))},
        {SIGNAL(sig_dyn_cr_i_range(int)), SLOT(update_dyn_cr_irange(int))},
        {SIGNAL(sig_dyn_cr_v_range(int)), SLOT(update_dyn_cr_vrange(int))},
        {SIGNAL(sig_dyn_cr_a_level(double)), SLOT(update_dyn_cr_a_level(double))},
        {SIGNAL(sig_dyn_cr_b_level(double)), SLOT(update_dyn_cr_b_level(double))},
        {SIGNAL(sig_dyn_cr_a_width(double)), SLOT(update_dyn_cr_a_width(double))},
        {SIGNAL(sig_dyn_cr_b_width(double)), SLOT(update_dyn_cr_b_width(double))},
        {SIGNAL(sig_dyn_cr_width(double)), SLOT(update_dyn_cr_width(double))},
        {SIGNAL(sig_dyn_cp_mode(int)), SLOT(update_dyn_cp_mode(int))},
        {SIGNAL(sig_dyn_cp_i_range(int)), SLOT(update_dyn_cp_irange(int))},
        {SIGNAL(sig_dyn_cp_v_range(int)), SLOT(update_dyn_cp_vrange(int))},
        {SIGNAL(sig_dyn_cp_a_level(double)), SLOT(update_dyn_cp_a_level(double))},
        {SIGNAL(sig_dyn_cp_b_level(double)), SLOT(update_dyn_cp_b_level(double))},
        {SIGNAL(sig_dyn_cp_a_width(double)), SLOT(update_dyn_cp_a_width(double))},
        {SIGNAL(sig_dyn_cp_b_width(double)), SLOT(update_dyn_cp_b_width(double))},
        {SIGNAL(sig_dyn_cp_width(double)), SLOT(update_dyn_cp_width(double))},
        {SIGNAL(sig_ocpt_i_range(int)), SLOT(update_ocpt_i_range(int))},
        {SIGNAL(sig_ocpt_v_range(int)), SLOT(update_ocpt_v_range(int))},
        {SIGNAL(sig_ocpt_v(double)), SLOT(update_ocpt_v(double))},
        {SIGNAL(sig_ocpt_i_step(double)), SLOT(update_ocpt_step(double))},
        {SIGNAL(sig_ocpt_i_start(double)), SLOT(update_ocpt_start(double))},
        {SIGNAL(sig_ocpt_i_end(double)), SLOT(update_ocpt_end(double))},
        {SIGNAL(sig_ocpt_i_min(double)), SLOT(update_ocpt_min(double))},
        {SIGNAL(sig_ocpt_i_max(double)), SLOT(update_ocpt_max(double))},
        {SIGNAL(sig_ocpt_delay(double)), SLOT(update_ocpt_delay(double))},
        {SIGNAL(sig_oppt_i_range(int)), SLOT(update_oppt_i_range(int))},
        {SIGNAL(sig_oppt_v_range(int)), SLOT(update_oppt_v_range(int))},
        {SIGNAL(sig_oppt_v(double)), SLOT(update_oppt_v(double))},
        {SIGNAL(sig_oppt_p_step(double)), SLOT(update_oppt_step(double))},
        {SIGNAL(sig_oppt_p_start(double)), SLOT(update_oppt_start(double))},
        {SIGNAL(sig_oppt_p_end(double)), SLOT(update_oppt_end(double))},
        {SIGNAL(sig_oppt_p_min(double)), SLOT(update_oppt_min(double))},
        {SIGNAL(sig_oppt_p_max(double)), SLOT(update_oppt_max(double))},
        {SIGNAL(sig_oppt_delay(double)), SLOT(update_oppt_delay(double))},
        {SIGNAL(sig_battery_mode(int)), SLOT(update_battery_mode(int))},
        {SIGNAL(sig_battery_i_range(int)), SLOT(update_battery_i_range(int))},
        {SIGNAL(sig_battery_v_range(int)), SLOT(update_battery_v_range(int))},
        {SIGNAL(sig_battery_level(double)), SLOT(update_battery_value(double))},
        {SIGNAL(sig_battery_v_stop_sw(bool)), SLOT(update_battery_VS_sw(bool))},
        {SIGNAL(sig_battery_c_stop_sw(bool)), SLOT(update_battery_CS_sw(bool))},
        {SIGNAL(sig_battery_t_stop_sw(bool)), SLOT(update_battery_TS_sw(bool))},
        {SIGNAL(sig_battery_v_stop(double)), SLOT(update_battery_VS_value(double))},
        {SIGNAL(sig_battery_c_stop(double)), SLOT(update_battery_CS_value(double))},
        {SIGNAL(sig_battery_t_stop(double)), SLOT(update_battery_TS_value(double))},
        {SIGNAL(sig_ext_mode(int)), SLOT(update_ext_mode(int))},
        {SIGNAL(sig_ext_i_range(int)), SLOT(update_ext_i_range(int))},
        {SIGNAL(sig_ext_v_range(int)), SLOT(update_ext_v_range(int))},
        {SIGNAL(sig_list_mode(int)), SLOT(update_list_mode(int))},
        {SIGNAL(sig_list_i_range(int)), SLOT(update_list_i_range(int))},
        {SIGNAL(sig_list_v_range(int)), SLOT(update_list_v_range(int))},
        {SIGNAL(sig_list_step(int)), SLOT(update_list_step(int))},
        {SIGNAL(sig_list_count(int)), SLOT(update_list_count(int))},
        {SIGNAL(sig_list_set(QStringList)), SLOT(update_list_set(QStringList))},
        {SIGNAL(sig_list_width(QStringList)), SLOT(update_list_width(QStringList))},
        {SIGNAL(sig_list_slew(QStringList)), SLOT(update_list_slew(QStringList))},
        {SIGNAL(sig_list_set_by_index(QString,int)), SLOT(update_list_set_by_index(QString,int))},
        {SIGNAL(sig_list_width_by_index(QString,int)), SLOT(update_list_width_by_index(QString,int))},
        {SIGNAL(sig_list_slew_by_index(QString,int)), SLOT(update_list_slew_by_index(QString,int))},
        {SIGNAL(sig_program_step(int)), SLOT(update_prog_step(int))},
        {SIGNAL(sig_prog_pause_by_index(QString,int)), SLOT(update_prog_pause_by_index(QString,int))},
        {SIGNAL(sig_prog_mode_by_index(QString,int)), SLOT(update_prog_mode_by_index(QString,int))},
        {SIGNAL(sig_prog_irange_by_index(QString,int)), SLOT(update_prog_irange_by_index(QString,int))},
        {SIGNAL(sig_prog_vrange_by_index(QString,int)), SLOT(update_prog_vrange_by_index(QString,int))},
        {SIGNAL(sig_prog_short_by_index(QString,int)), SLOT(update_prog_short_by_index(QString,int))},
        {SIGNAL(sig_prog_ton_by_index(QString,int)), SLOT(update_prog_ton_by_index(QString,int))},
        {SIGNAL(sig_prog_toff_by_index(QString,int)), SLOT(update_prog_toff_by_index(QString,int))},
        {SIGNAL(sig_prog_tdly_by_index(QString,int)), SLOT(update_prog_tdly_by_index(QString,int))},
        {SIGNAL(sig_prog_min_by_index(QString,int)), SLOT(update_prog_min_by_index(QString,int))},
        {SIGNAL(sig_prog_max_by_index(QString,int)), SLOT(update_prog_max_by_index(QString,int))},
        {SIGNAL(sig_prog_set_by_index(QString,int)), SLOT(update_prog_set_by_index(QString,int))},
        {SIGNAL(sig_prog_vo_by_index(QString,int)), SLOT(update_prog_vo_by_index(QString,int))},
        {SIGNAL(sig_prog_io_by_index(QString,int)), SLOT(update_prog_io_by_index(QString,int))},
        {SIGNAL(sig_prog_rco_by_index(QString,int)), SLOT(update_prog_rco_by_index(QString,int))},
        {SIGNAL(sig_prog_rrange_by_index(QString,int)), SLOT(update_prog_rrange_by_index(QString,int))},
        {SIGNAL(sig_utility_trig(int)), SLOT(update_trig_state(int))},
        {SIGNAL(sig_utility_aver(int)), SLOT(update_aver_state(int))},
        {SIGNAL(sig_utility_vrmt(bool)), SLOT(update_sense_state(bool))},
        {SIGNAL(sig_utility_sof(bool)), SLOT(update_sof_state(bool))},
        {SIGNAL(sig_utility_vol(bool)), SLOT(update_vol_state(bool))},
        {SIGNAL(sig_utility_ext_sw(bool)), SLOT(update_ext_sw_state(bool))},
        {SIGNAL(sig_utility_imon(bool)), SLOT(update_imon_state(bool))},
        {SIGNAL(sig_utility_vmon(bool)), SLOT(update_vmon_state(bool))},
        {SIGNAL(sig_utility_tmon(bool)), SLOT(update_tmon_state(bool))},
        {SIGNAL(sig_utility_i_protect(bool)), SLOT(update_iprotect_state(bool))},
        {SIGNAL(sig_utility_p_protect(bool)), SLOT(update_pprotect_state(bool))},
    };
    return links;
}

const QStringList& MyMainWindow::para_signals_without_slot()
{
    // No widget of the window shows these: the utility dialog reads the
    // levels from the store when it opens, the program table follows the
    // per-step signals and is refilled once after a whole-list read-back.
    static const QStringList names = {
        QStringLiteral("sig_utility_von(double)"),
        QStringLiteral("sig_utility_v_low(double)"),
        QStringLiteral("sig_utility_v_high(double)"),
        QStringLiteral("sig_utility_current(double)"),
        QStringLiteral("sig_utility_i_delay(double)"),
        QStringLiteral("sig_utility_power(double)"),
        QStringLiteral("sig_utility_p_delay(double)"),
        QStringLiteral("sig_prog_pause(QStringList)"),
        QStringLiteral("sig_prog_mode(QStringList)"),
        QStringLiteral("sig_prog_irange(QStringList)"),
        QStringLiteral("sig_prog_vrange(QStringList)"),
        QStringLiteral("sig_prog_short(QStringList)"),
        QStringLiteral("sig_prog_ton(QStringList)"),
        QStringLiteral("sig_prog_toff(QStringList)"),
        QStringLiteral("sig_prog_tdly(QStringList)"),
        QStringLiteral("sig_prog_min(QStringList)"),
        QStringLiteral("sig_prog_max(QStringList)"),
        QStringLiteral("sig_prog_set(QStringList)"),
        QStringLiteral("sig_prog_vo(QStringList)"),
        QStringLiteral("sig_prog_io(QStringList)"),
        QStringLiteral("sig_prog_rco(QStringList)"),
        QStringLiteral("sig_prog_rrange(QStringList)"),
    };
    return names;
}

int MyMainWindow::connect_para_signals()
{
    uiPara* para = uiPara::instance();
    int failed = 0;
    for (const para_link_t& link : para_links()) {
        // Connecting twice must not redraw twice.
        disconnect(para, link.signal, this, link.slot);
        if (!connect(para, link.signal, this, link.slot))
            ++failed;
    }
    return failed;
}

void MyMainWindow::disconnect_para_signals()
{
    uiPara* para = uiPara::instance();
    for (const para_link_t& link : para_links())
        disconnect(para, link.signal, this, link.slot);
}
