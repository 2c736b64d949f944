// The command table: an operation code's SCPI writes and queries, as two
// parallel lists (a write entry with an empty query is only written; a
// query entry has an empty write).
#include "mainwindow.h"

namespace {

struct command_set_t
{
    int operation;
    std::initializer_list<const char*> writes;
    std::initializer_list<const char*> queries;
};

const command_set_t k_table[] = {
    {0, {"FUNC CURR"}, {"CURR:IRANG?", "CURR:VRANG?", "CURR?", "CURR:SLEW:POS?", "CURR:SLEW:NEG?"}},
    {1, {"FUNC VOLT"}, {"VOLT:IRANG?", "VOLT:VRANG?", "VOLT?"}},
    {2, {"FUNC RES"}, {"RES:IRANG?", "RES:VRANG?", "RES?"}},
    {3, {"FUNC POW"}, {"POW:IRANG?", "POW:VRANG?", "POW?"}},
    {4, {"FUNC LED"}, {"LED:IRANG?", "LED:VRANG?", "LED:CURR?", "LED:VOLT?", "LED:RCO?"}},
    {6, {"OCP:FUNC"},
     {"OCP:IRANG?", "OCP:VRANG?", "OCP:VOLT?", "OCP:STEP?", "OCP:STAR?", "OCP:END?", "OCP:MIN?", "OCP:MAX?",
      "OCP:STEP:DEL?"}},
    {7, {"OPP:FUNC"},
     {"OPP:IRANG?", "OPP:VRANG?", "OPP:VOLT?", "OPP:STEP?", "OPP:STAR?", "OPP:END?", "OPP:MIN?", "OPP:MAX?",
      "OPP:STEP:DEL?"}},
    {8, {"BATT:FUNC"},
     {"BATT:MODE?", "BATT:IRANG?", "BATT:VRANG?", "BATT:RRANG?", "BATT:LEV?", "BATT:VOLT:STAT?", "BATT:CAP:STAT?",
      "BATT:TIM:STAT?", "BATT:VOLT?", "BATT:CAP?", "BATT:TIM?", "BATT:ADDCAP?"}},
    {10, {},
     {"SYST:SENS?", "STOP:ON:FAIL?", "VOLT:LATCh?", "EXT:IRANG?", "EXT:VRANG?", "SENS:AVER:COUN?", "VOLT:ON?",
      "TRIG:SOUR?", "EXT:MODE?", "EXT:INP?", "SYST:IMONI:STAT?", "SYST:VMONI:STAT?"}},
    {11, {}, {"TIME:TEST?", "TIME:TEST:VOLT:LOW?", "TIME:TEST:VOLT:HIGH?"}},
    {12, {}, {"CURR:PROT:STAT?", "CURR:PROT:LEV?", "CURR:PROT:DEL?", "POW:PROT:STAT?", "POW:PROT:LEV?", "POW:PROT:DEL?"}},
    {13, {"LIST:STAT:ON"},
     {"LIST:MODE?", "LIST:IRANG?", "LIST:VRANG?", "LIST:COUN?", "LIST:STEP?", "LIST:LEV:ALL?", "LIST:WID:ALL?",
      "LIST:SLEW:ALL?"}},
    {14, {"INP 0", "PROG:STAT:ON"},
     {"PROG:PAUSE:ALL?", "PROG:MODE:ALL?", "PROG:IRANGE:ALL?", "PROG:VRANGE:ALL?", "PROG:SHORT:ALL?",
      "PROG:TIME:ON:ALL?", "PROG:TIME:OFF:ALL?", "PROG:TIME:DEL:ALL?", "PROG:MIN:ALL?", "PROG:MAX:ALL?",
      "PROG:LEV:ALL?", "PROG:LED:CURR:ALL?", "PROG:LED:RCO:ALL?", "PROG:STEP?"}},
    {15, {}, {"TEST:STEP?", "TEST:STOP?", "INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?", "SYST:REMOT:STAT?"}},
    {16, {},
     {"TEST:STEP?", "TEST:STOP?", "INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?", "SYST:REMOT:STAT?",
      "STOP:ON:FAIL?"}},
    {26, {}, {"FUNC?"}},
    {28, {}, {"FUNC:TRAN?"}},
    {31, {}, {"FUNC:MODE?", "FUNC?", "TIME:TEST?", "SHOR?", "EXT:MODE?", "EXT:IRANG?", "EXT:VRANG?"}},
};

// The measurement poll follows the function the load is in.
const std::initializer_list<const char*> k_poll_base = {"INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?",
                                                        "SYST:REMOT:STAT?"};
const std::initializer_list<const char*> k_poll_battery = {"INP?", "MEAS:CURR?", "MEAS:VOLT?", "BATT:DISCHA:CAP?",
                                                           "BATT:DISCHA:TIM?", "SYST:REMOT:STAT?", "MEAS:RES?",
                                                           "MEAS:POW?"};
const std::initializer_list<const char*> k_poll_time_test = {"TIME:TEST:RISE?", "TIME:TEST:FALL?"};
const std::initializer_list<const char*> k_poll_external = {"MEAS:EXT?"};

const int k_poll = 183;
const int k_battery = 8;

} // namespace

void MainWindow::fill_cmd_list(int operation)
{
    cmd_writes.clear();
    cmd_queries.clear();
    auto write = [this](const char* command) {
        cmd_writes.append(QString::fromLatin1(command));
        cmd_queries.append(QString());
    };
    auto query = [this](const char* command) {
        cmd_writes.append(QString());
        cmd_queries.append(QString::fromLatin1(command));
    };

    if (operation == k_poll) {
        if (func_code == k_battery) {
            for (const char* q : k_poll_battery)
                query(q);
            return;
        }
        for (const char* q : k_poll_base)
            query(q);
        if (tmon_on && func_code >= 0 && func_code <= 3) {
            for (const char* q : k_poll_time_test)
                query(q);
        } else if (func_code == 24 || func_code == 25) {
            for (const char* q : k_poll_external)
                query(q);
        }
        return;
    }
    for (const command_set_t& set : k_table) {
        if (set.operation != operation)
            continue;
        for (const char* w : set.writes)
            write(w);
        for (const char* q : set.queries)
            query(q);
        return;
    }
}
