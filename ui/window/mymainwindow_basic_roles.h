// What the Basic page's value rows mean in each function and form, as data
// shared by its requests, its layout and its update slots.
#ifndef MYMAINWINDOW_BASIC_ROLES_H
#define MYMAINWINDOW_BASIC_ROLES_H

#include "MyDoubleSpinBox.h"
#include "ui_mymainwindow.h"

#include <QLabel>
#include <QList>
#include <QString>

class MyMainWindow;
class QWidget;

namespace basic_roles {

// Functions as the window's basic_mode counts them.
enum function_t { fn_cc = 0, fn_cv = 1, fn_cr = 2, fn_cp = 3 };
// Transient forms as the store keeps them.
enum tran_mode_t { tran_continuous = 0, tran_pulse = 1, tran_toggle = 2 };

const int value_rows = 6;

// Limits of the value boxes (inclusive), the load's own.
struct limits_t {
    double low;
    double high;
};
const limits_t current_limits[2] = {{0, 5}, {0, 30}};
const limits_t slew_limits[2] = {{0.001, 0.5}, {0.001, 2.5}};
const limits_t voltage_limits[2] = {{0, 36}, {0, 150}};
const limits_t resistance_limits = {0.03, 10000};
const limits_t power_limits = {0, 300};
const limits_t rco_limits = {0.01, 1};
const limits_t width_limits = {0.00002, 999};

// Decimals a row needs to hold its smallest value and step: widths go down
// to 20 us, levels and slews to 1 mA, 1 mV, 1 mW, 1 mOhm.
const int level_decimals = 3;
const int width_decimals = 5;

// Role of a value box in the dynamic form.
enum dyn_role_t { role_none, role_alev, role_blev, role_awid, role_bwid, role_width, role_rise, role_fall };

// Rows 1..6 by transient form; the slews exist for CC only.
const dyn_role_t dyn_roles[3][value_rows] = {
    {role_alev, role_blev, role_awid, role_bwid, role_rise, role_fall},
    {role_alev, role_blev, role_width, role_rise, role_fall, role_none},
    {role_alev, role_blev, role_rise, role_fall, role_none, role_none},
};

inline int clamp_tran_mode(int mode)
{
    return mode >= tran_continuous && mode <= tran_toggle ? mode : tran_continuous;
}

// The role of row `box` (1..6) for a function in a transient form.
inline dyn_role_t dyn_role(int function, int tran_mode, int box)
{
    if (box < 1 || box > value_rows)
        return role_none;
    const dyn_role_t r = dyn_roles[clamp_tran_mode(tran_mode)][box - 1];
    if ((r == role_rise || r == role_fall) && function != fn_cc)
        return role_none;
    return r;
}

// The row (1..6) that has `role` in a transient form, 0 when none has.
inline int dyn_role_box(int function, int tran_mode, dyn_role_t role)
{
    for (int box = 1; box <= value_rows; ++box) {
        if (dyn_role(function, tran_mode, box) == role)
            return box;
    }
    return 0;
}

// Dynamic operation blocks hold four codes in the order CC, CP, CV, CR.
inline int dyn_offset(int function)
{
    switch (function) {
    case fn_cp: return 1;
    case fn_cv: return 2;
    case fn_cr: return 3;
    default: return 0;
    }
}

inline bool valid_function(int function)
{
    return function >= fn_cc && function <= fn_cp;
}

// Command prefix of a function ("CURR", "VOLT", "RES", "POW").
inline QString dyn_prefix(int function)
{
    static const char* const prefixes[] = {"CURR", "VOLT", "RES", "POW"};
    return QString::fromLatin1(prefixes[valid_function(function) ? function : fn_cc]);
}

// The function's word of "FUNC:TRAN".
inline QString dyn_word(int function)
{
    static const char* const words[] = {"CURRENT", "VOLTAGE", "RESISTANCE", "POWER"};
    return QString::fromLatin1(words[valid_function(function) ? function : fn_cc]);
}

// Level unit of a function.
inline QString level_unit(int function)
{
    static const char* const units[] = {"A", "V", "\xce\xa9", "W"};
    return QString::fromUtf8(units[valid_function(function) ? function : fn_cc]);
}

// A value row's three widgets.
struct row_t {
    QLabel* name;
    MyDoubleSpinBox* box;
    QLabel* unit;
};

inline row_t value_row(Ui_MyMainWindow* ui, int box)
{
    switch (box) {
    case 1: return {ui->label_ValueName_1_Basic, ui->doubleSpinBox_1_Basic, ui->label_unit_1_Basic};
    case 2: return {ui->label_ValueName_2_Basic, ui->doubleSpinBox_2_Basic, ui->label_unit_2_Basic};
    case 3: return {ui->label_ValueName_3_Basic, ui->doubleSpinBox_3_Basic, ui->label_unit_3_Basic};
    case 4: return {ui->label_ValueName_4_Basic, ui->doubleSpinBox_4_Basic, ui->label_unit_4_Basic};
    case 5: return {ui->label_ValueName_5_Basic, ui->doubleSpinBox_5_Basic, ui->label_unit_5_Basic};
    case 6: return {ui->label_ValueName_6_Basic, ui->doubleSpinBox_6_Basic, ui->label_unit_6_Basic};
    default: return {nullptr, nullptr, nullptr};
    }
}

inline MyDoubleSpinBox* value_box(Ui_MyMainWindow* ui, int box)
{
    return value_row(ui, box).box;
}

inline void set_limits(QDoubleSpinBox* box, const limits_t& l)
{
    if (box)
        box->setRange(l.low, l.high);
}

// Posts one Basic request (no repeat, sub-code 0, not binary).
void post_basic(MyMainWindow& w, int op, const QList<QString>& writes, const QList<QString>& queries,
                const QList<QWidget*>& widgets);
// What pressing the mode button of function `mode` does (nothing for any
// other value): lays out offline; connected, selects the function on the
// load (static), or its transient form (dynamic, refused with the input on).
void mode_button(MyMainWindow& w, int mode);
// True when a reply list holds `count` replies; traces a short one.
bool has_replies(const QList<QString>& value, int count, const char* where);
// Range replies: "30\n" / "150\n" are the high range, anything else the low.
int current_range_index(const QString& reply);
int voltage_range_index(const QString& reply);
// Warns when a slew just set and the other edge lie on opposite sides of
// the current range's threshold.
void check_slopes(MyMainWindow& w, double set, double other);

} // namespace basic_roles

#endif
