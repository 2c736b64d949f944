// The columns of the program table as data: the cell each column holds, the
// store list behind it, the edit slot it is wired to and the request an edit
// posts. Private to the program panel's sources (mymainwindow_prog*.cpp).
#ifndef PROG_COLUMNS_H
#define PROG_COLUMNS_H

#include "uiPara.h"

#include <QObject>

namespace prog_columns {

enum column_t {
    col_step = 0, col_mode = 1, col_irange = 2, col_vrange = 3, col_pause = 4, col_short = 5,
    col_ton = 6, col_toff = 7, col_tdly = 8, col_min = 9, col_max = 10, col_set = 11,
    col_rrange = 12, col_vo = 13, col_io = 14, col_rco = 15, col_count = 16
};

using getter_t = QString (uiPara::*)(int) const;
using setter_t = void (uiPara::*)(const QString&, int);

// A combo cell: its two items and the value each sends.
struct combo_t {
    int col;
    const char* items[2];  // shown (through tr in the window's context)
    const char* values[2]; // sent after the step number
};

inline const combo_t combos[] = {
    {col_irange, {QT_TRANSLATE_NOOP("MyMainWindow", "5A"), QT_TRANSLATE_NOOP("MyMainWindow", "30A")}, {"5", "30"}},
    {col_vrange, {QT_TRANSLATE_NOOP("MyMainWindow", "36V"), QT_TRANSLATE_NOOP("MyMainWindow", "150V")}, {"36", "150"}},
    {col_pause, {QT_TRANSLATE_NOOP("MyMainWindow", "ON"), QT_TRANSLATE_NOOP("MyMainWindow", "OFF")}, {"ON", "OFF"}},
    {col_short, {QT_TRANSLATE_NOOP("MyMainWindow", "ON"), QT_TRANSLATE_NOOP("MyMainWindow", "OFF")}, {"ON", "OFF"}},
};

// One editable cell (columns 2 to 15 except 12) and its request.
struct cell_t {
    int col;
    int op;
    const char* command; // the step number, a comma and the value follow
    const char* query;   // the step number follows
    const char* signal;  // the cell's edit signal
    const char* slot;    // the window's edit slot
    getter_t get;        // the store list the cell shows
    // Spin boxes: decimals and the range of the values the load keeps.
    int decimals;
    double min;
    double max;
};

inline const cell_t cells[] = {
    {col_irange, 49, "PROG:IRANG ", "PROG:IRANG? ", SIGNAL(currentIndexChanged(int)),
     SLOT(deal_irange_combobox(int)), &uiPara::get_prog_irange_by_index, 0, 0, 0},
    {col_vrange, 50, "PROG:VRANG ", "PROG:VRANG? ", SIGNAL(currentIndexChanged(int)),
     SLOT(deal_vrange_combobox(int)), &uiPara::get_prog_vrange_by_index, 0, 0, 0},
    {col_pause, 51, "PROG:PAUSE ", "PROG:PAUSE? ", SIGNAL(currentIndexChanged(int)),
     SLOT(deal_pause_combobox(int)), &uiPara::get_prog_pause_by_index, 0, 0, 0},
    {col_short, 52, "PROG:SHOR ", "PROG:SHOR? ", SIGNAL(currentIndexChanged(int)),
     SLOT(deal_short_combobox(int)), &uiPara::get_prog_short_by_index, 0, 0, 0},
    {col_ton, 53, "PROG:TIME:ON ", "PROG:TIME:ON? ", SIGNAL(sigUpdateValue()), SLOT(deal_ton_spinbox()),
     &uiPara::get_prog_ton_by_index, 3, 0, 100},
    {col_toff, 54, "PROG:TIME:OFF ", "PROG:TIME:OFF? ", SIGNAL(sigUpdateValue()), SLOT(deal_toff_spinbox()),
     &uiPara::get_prog_toff_by_index, 3, 0, 100},
    {col_tdly, 55, "PROG:TIME:DEL ", "PROG:TIME:DEL? ", SIGNAL(sigUpdateValue()), SLOT(deal_tdelay_spinbox()),
     &uiPara::get_prog_tdly_by_index, 3, 0, 100},
    {col_min, 56, "PROG:MIN ", "PROG:MIN? ", SIGNAL(sigUpdateValue()), SLOT(deal_min_spinbox()),
     &uiPara::get_prog_min_by_index, 3, 0, 1000000},
    {col_max, 57, "PROG:MAX ", "PROG:MAX? ", SIGNAL(sigUpdateValue()), SLOT(deal_max_spinbox()),
     &uiPara::get_prog_max_by_index, 3, 0, 1000000},
    // The range of the level follows the step's mode (set_value_range).
    {col_set, 58, "PROG:LEV ", "PROG:LEV? ", SIGNAL(sigUpdateValue()), SLOT(deal_set_spinbox()),
     &uiPara::get_prog_set_by_index, 3, 0, 0},
    {col_vo, 60, "PROG:LEV ", "PROG:LEV? ", SIGNAL(sigUpdateValue()), SLOT(deal_vo_spinbox()),
     &uiPara::get_prog_vo_by_index, 3, 0, 150},
    {col_io, 61, "PROG:LED:CURR ", "PROG:LED:CURR? ", SIGNAL(sigUpdateValue()), SLOT(deal_io_spinbox()),
     &uiPara::get_prog_io_by_index, 3, 0, 30},
    {col_rco, 62, "PROG:LED:RCO ", "PROG:LED:RCO? ", SIGNAL(sigUpdateValue()), SLOT(deal_rco_spinbox()),
     &uiPara::get_prog_rco_by_index, 4, 0, 1},
};

inline const cell_t* cell_of_column(int col)
{
    for (const cell_t& c : cells) {
        if (c.col == col)
            return &c;
    }
    return nullptr;
}

inline const combo_t* combo_of_column(int col)
{
    for (const combo_t& c : combos) {
        if (c.col == col)
            return &c;
    }
    return nullptr;
}

// The Set cell's range by the step's mode (CC, CV, CR, CP): what the load
// accepts in its higher range; the load refuses more in the lower one and
// the read-back then shows what it kept.
struct level_range_t {
    double min;
    double max;
};
inline const level_range_t set_ranges[] = {{0, 30}, {0, 150}, {0.03, 10000}, {0, 1000}};

// What an edit's reply stores (operations 49 to 62): the level (58, 60)
// goes to Set and Vo alike, the load keeps one level per step.
struct reply_store_t {
    int op;
    setter_t first;
    setter_t second; // or nullptr
};
inline const reply_store_t reply_stores[] = {
    {49, &uiPara::set_prog_irange_by_index, nullptr},
    {50, &uiPara::set_prog_vrange_by_index, nullptr},
    {51, &uiPara::set_prog_pause_by_index, nullptr},
    {52, &uiPara::set_prog_short_by_index, nullptr},
    {53, &uiPara::set_prog_ton_by_index, nullptr},
    {54, &uiPara::set_prog_toff_by_index, nullptr},
    {55, &uiPara::set_prog_tdly_by_index, nullptr},
    {56, &uiPara::set_prog_min_by_index, nullptr},
    {57, &uiPara::set_prog_max_by_index, nullptr},
    {58, &uiPara::set_prog_set_by_index, &uiPara::set_prog_vo_by_index},
    {59, &uiPara::set_prog_rrange_by_index, nullptr},
    {60, &uiPara::set_prog_set_by_index, &uiPara::set_prog_vo_by_index},
    {61, &uiPara::set_prog_io_by_index, nullptr},
    {62, &uiPara::set_prog_rco_by_index, nullptr},
};

} // namespace prog_columns

#endif
