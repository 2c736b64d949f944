#include "legacy_page_boxes.h"

#include "mainwindow.h"

#include "custom_combobox.h"
#include "custom_radiobutton.h"
#include "custom_spinbox.h"

#include <functional>
#include <map>

namespace {

using control_t = std::function<QWidget*(MainWindow*)>;

#define CONTROL(member) {#member, [](MainWindow* w) -> QWidget* { return w->member; }}
const std::map<QString, control_t> k_controls = {
    CONTROL(cc_i_range_radio),        CONTROL(cc_v_range_radio),        CONTROL(cc_current_spin),
    CONTROL(cc_slew_rise_spin),       CONTROL(cc_slew_fall_spin),       CONTROL(cv_i_range_radio),
    CONTROL(cv_v_range_radio),        CONTROL(cv_voltage_spin),         CONTROL(cr_i_range_radio),
    CONTROL(cr_v_range_radio),        CONTROL(cr_resistance_spin),      CONTROL(cp_i_range_radio),
    CONTROL(cp_v_range_radio),        CONTROL(cp_power_spin),           CONTROL(led_i_range_radio),
    CONTROL(led_v_range_radio),       CONTROL(led_io_spin),             CONTROL(led_vo_spin),
    CONTROL(led_rco_spin),            CONTROL(dynamic_function_combo),  CONTROL(dynamic_mode_combo),
    CONTROL(dynamic_range_radio),     CONTROL(dynamic_v_range_radio),   CONTROL(dynamic_a_level_spin),
    CONTROL(dynamic_b_level_spin),    CONTROL(dynamic_a_width_spin),    CONTROL(dynamic_b_width_spin),
    CONTROL(dynamic_width_spin),      CONTROL(dynamic_slew_rise_spin),  CONTROL(dynamic_slew_fall_spin),
    CONTROL(batt_function_combo),     CONTROL(batt_i_range_radio),      CONTROL(batt_v_range_radio),
    CONTROL(batt_level_spin),         CONTROL(batt_stop_radios[0]),     CONTROL(batt_stop_radios[1]),
    CONTROL(batt_stop_radios[2]),     CONTROL(batt_stop_spins[0]),      CONTROL(batt_stop_spins[1]),
    CONTROL(batt_stop_spins[2]),      CONTROL(ocp_i_range_radio),       CONTROL(ocp_v_range_radio),
    CONTROL(ocp_v_spin),              CONTROL(ocp_i_step_spin),         CONTROL(ocp_i_start_spin),
    CONTROL(ocp_i_end_spin),          CONTROL(ocp_i_min_spin),          CONTROL(ocp_i_max_spin),
    CONTROL(ocp_delay_spin),          CONTROL(opp_i_range_radio),       CONTROL(opp_v_range_radio),
    CONTROL(opp_v_spin),              CONTROL(opp_p_step_spin),         CONTROL(opp_p_start_spin),
    CONTROL(opp_p_end_spin),          CONTROL(opp_p_min_spin),          CONTROL(opp_p_max_spin),
    CONTROL(opp_delay_spin),          CONTROL(vrmt_radio),              CONTROL(sof_radio),
    CONTROL(vol_radio),               CONTROL(von_spin),                CONTROL(trigger_combo),
    CONTROL(aver_combo),              CONTROL(type_combo),              CONTROL(ext_current_range_radio),
    CONTROL(ext_voltage_range_radio), CONTROL(extswitch_radio),         CONTROL(imon_radio),
    CONTROL(vmon_radio),              CONTROL(tmon_radio),              CONTROL(v_low_spin),
    CONTROL(v_high_spin),             CONTROL(i_protect_switch_radio),  CONTROL(p_protect_switch_radio),
    CONTROL(i_protect_spin),          CONTROL(p_protect_spin),          CONTROL(i_protect_delay_spin),
    CONTROL(p_protect_delay_spin),
    CONTROL(list_function_combo), CONTROL(list_irange_combo), CONTROL(list_vrange_combo), CONTROL(list_step_spin), CONTROL(list_count_spin),
};
#undef CONTROL

const std::vector<page_fill_t> k_page_fills = {
    {"cc",
     {"CURR:IRANG 30", "CURR 1.1", "CURR:SLEW:POS 0.22", "CURR:SLEW:NEG 0.33"},
     {"cc_i_range_radio=B", "cc_v_range_radio=A", "cc_current_spin=1.1", "cc_slew_rise_spin=0.22",
      "cc_slew_fall_spin=0.33"}},
    {"cv", {"VOLT:VRANG 150", "VOLT 22.2"}, {"cv_i_range_radio=A", "cv_v_range_radio=B", "cv_voltage_spin=22.2"}},
    {"cr", {"RES:IRANG 30", "RES 33.3"}, {"cr_i_range_radio=B", "cr_v_range_radio=A", "cr_resistance_spin=33.3"}},
    {"cp", {"POW:VRANG 150", "POW 44.4"}, {"cp_i_range_radio=A", "cp_v_range_radio=B", "cp_power_spin=44.4"}},
    {"led",
     {"LED:IRANG 30", "LED:CURR 1.1", "LED:VOLT 22.2", "LED:RCO 0.33"},
     {"led_i_range_radio=B", "led_v_range_radio=A", "led_io_spin=1.1", "led_vo_spin=22.2", "led_rco_spin=0.33"}},
    {"dynamic",
     {"CURR:TRAN:IRANG 30", "CURR:TRAN:MODE PULSE", "CURR:TRAN:ALEV 1.1", "CURR:TRAN:BLEV 2.2", "CURR:TRAN:AWID 0.33",
      "CURR:TRAN:BWID 0.44", "CURR:TRAN:SLEW:POS 0.055", "CURR:TRAN:SLEW:NEG 0.066"},
     {"dynamic_function_combo=0", "dynamic_mode_combo=1", "dynamic_range_radio=B", "dynamic_v_range_radio=A",
      "dynamic_a_level_spin=1.1", "dynamic_b_level_spin=2.2", "dynamic_a_width_spin=0.33",
      "dynamic_b_width_spin=0.44", "dynamic_width_spin=0.44", "dynamic_slew_rise_spin=0.055",
      "dynamic_slew_fall_spin=0.066"}},
    {"battery",
     {"BATT:IRANG 5", "BATT:MODE RES", "BATT:LEV 11.1", "BATT:VOLT:STAT 1", "BATT:TIM:STAT 1", "BATT:VOLT 2.2",
      "BATT:CAP 333", "BATT:TIM 444"},
     {"batt_function_combo=1", "batt_i_range_radio=A", "batt_v_range_radio=B", "batt_level_spin=11.1",
      "batt_stop_radios[0]=A", "batt_stop_radios[1]=B", "batt_stop_radios[2]=A", "batt_stop_spins[0]=2.2",
      "batt_stop_spins[1]=333", "batt_stop_spins[2]=444"}},
    {"ocp",
     {"OCP:IRANG 30", "OCP:VOLT 5.5", "OCP:STEP 0.1", "OCP:STAR 1", "OCP:END 4", "OCP:MIN 2.2", "OCP:MAX 3.3",
      "OCP:STEP:DEL 0.7"},
     {"ocp_i_range_radio=B", "ocp_v_range_radio=A", "ocp_v_spin=5.5", "ocp_i_step_spin=0.1", "ocp_i_start_spin=1",
      "ocp_i_end_spin=4", "ocp_i_min_spin=2.2", "ocp_i_max_spin=3.3", "ocp_delay_spin=0.7"}},
    {"opp",
     {"OPP:VRANG 150", "OPP:VOLT 6.6", "OPP:STEP 1.5", "OPP:STAR 2", "OPP:END 25", "OPP:MIN 12", "OPP:MAX 20",
      "OPP:STEP:DEL 1.5"},
     {"opp_i_range_radio=A", "opp_v_range_radio=B", "opp_v_spin=6.6", "opp_p_step_spin=1.5", "opp_p_start_spin=2",
      "opp_p_end_spin=25", "opp_p_min_spin=12", "opp_p_max_spin=20", "opp_delay_spin=1.5"}},
    {"configure",
     {"SYST:SENS ON", "VOLT:LATCh 1", "EXT:IRANG 30", "SENS:AVER:COUN 10", "VOLT:ON 1.5", "TRIG:SOUR EXT",
      "EXT:INP 1", "SYST:VMONI:STAT 1"},
     {"vrmt_radio=A", "sof_radio=B", "vol_radio=A", "ext_current_range_radio=B", "ext_voltage_range_radio=A",
      "aver_combo=4", "von_spin=1.5", "trigger_combo=1", "type_combo=0", "extswitch_radio=A", "imon_radio=B",
      "vmon_radio=A"}},
    {"sltm", {"TIME:TEST 1", "TIME:TEST:VOLT:LOW 1.5", "TIME:TEST:VOLT:HIGH 12.5"},
     {"tmon_radio=A", "v_low_spin=1.5", "v_high_spin=12.5"}},
    {"limit",
     {"CURR:PROT:STAT ON", "CURR:PROT:LEV 11.1", "CURR:PROT:DEL 2.2", "POW:PROT:LEV 55.5", "POW:PROT:DEL 3.3"},
     {"i_protect_switch_radio=A", "p_protect_switch_radio=B", "i_protect_spin=11.1", "p_protect_spin=55.5",
      "i_protect_delay_spin=2.2", "p_protect_delay_spin=3.3"}},
    {"list",
     {"LIST:MODE RES", "LIST:IRANG 30", "LIST:VRANG 150", "LIST:STEP 7", "LIST:COUN 12"},
     {"list_function_combo=2", "list_irange_combo=1", "list_vrange_combo=1", "list_step_spin=7",
      "list_count_spin=12"}},
};

} // namespace

QWidget* page_control(MainWindow* w, const QString& name)
{
    return k_controls.at(name)(w);
}

QStringList page_control_names()
{
    QStringList names;
    for (const auto& c : k_controls)
        names << c.first;
    return names;
}

const std::vector<page_fill_t>& page_fills()
{
    return k_page_fills;
}

const page_fill_t& fill_of(const QString& page)
{
    for (const page_fill_t& f : k_page_fills) {
        if (page == QLatin1String(f.page))
            return f;
    }
    qFatal("no boxes listed for the page %s", qPrintable(page));
}

QString shown(QWidget* control)
{
    if (auto* radio = qobject_cast<custom_radiobutton*>(control))
        return radio->checked_index() == 0 ? QStringLiteral("A") : QStringLiteral("B");
    if (auto* spin = qobject_cast<custom_spinbox*>(control))
        return QString::number(spin->value());
    if (auto* combo = qobject_cast<custom_combobox*>(control))
        return QString::number(combo->current_index());
    return QString();
}

QStringList page_shows(MainWindow* w, const QString& page, const QString& except)
{
    QStringList out;
    for (const QString& box : fill_of(page).boxes) {
        const QString name = box.section(QLatin1Char('='), 0, 0);
        if (name != except)
            out << name + QLatin1Char('=') + shown(page_control(w, name));
    }
    return out;
}
