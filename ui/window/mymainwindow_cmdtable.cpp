// The command table: operation code -> the commands one request carries.
#include "mymainwindow.h"

#include "cfg_thread_t.h"

#include <QHash>

#include <vector>

namespace {

// One command set: its writes come first (each only written), then its
// queries (each asked, one reply each), as parallel write and query lists.
struct cmd_set_t {
    int op;
    std::vector<const char*> writes;
    std::vector<const char*> queries;
};

// Operation 30: every setting of the load, in the order the connection
// read-back parses the replies.
const std::vector<const char*> all_settings_queries = {
    // static modes
    "CURR:IRANG?", "CURR:VRANG?", "CURR?", "CURR:SLEW:POS?", "CURR:SLEW:NEG?",
    "VOLT:IRANG?", "VOLT:VRANG?", "VOLT?",
    "RES:IRANG?", "RES:VRANG?", "RES?",
    "POW:IRANG?", "POW:VRANG?", "POW?",
    "LED:IRANG?", "LED:VRANG?", "LED:CURR?", "LED:VOLT?", "LED:RCO?",
    // dynamic modes
    "CURR:TRAN:MODE?", "CURR:TRAN:IRANG?", "CURR:TRAN:VRANG?", "CURR:TRAN:ALEV?", "CURR:TRAN:BLEV?",
    "CURR:TRAN:AWID?", "CURR:TRAN:BWID?", "CURR:TRAN:SLEW:POS?", "CURR:TRAN:SLEW:NEG?",
    "VOLT:TRAN:MODE?", "VOLT:TRAN:IRANG?", "VOLT:TRAN:VRANG?", "VOLT:TRAN:ALEV?", "VOLT:TRAN:BLEV?",
    "VOLT:TRAN:AWID?", "VOLT:TRAN:BWID?",
    "POW:TRAN:MODE?", "POW:TRAN:IRANG?", "POW:TRAN:VRANG?", "POW:TRAN:ALEV?", "POW:TRAN:BLEV?",
    "POW:TRAN:AWID?", "POW:TRAN:BWID?",
    "RES:TRAN:MODE?", "RES:TRAN:IRANG?", "RES:TRAN:VRANG?", "RES:TRAN:ALEV?", "RES:TRAN:BLEV?",
    "RES:TRAN:AWID?", "RES:TRAN:BWID?",
    // program steps
    "PROG:PAUSE:ALL?", "PROG:MODE:ALL?", "PROG:IRANGE:ALL?", "PROG:VRANGE:ALL?", "PROG:SHORT:ALL?",
    "PROG:TIME:ON:ALL?", "PROG:TIME:OFF:ALL?", "PROG:TIME:DEL:ALL?", "PROG:MIN:ALL?", "PROG:MAX:ALL?",
    "PROG:LEV:ALL?", "PROG:LED:CURR:ALL?", "PROG:LED:RCO:ALL?", "PROG:STEP?",
    // list
    "LIST:MODE?", "LIST:IRANG?", "LIST:VRANG?", "LIST:COUN?", "LIST:STEP?",
    "LIST:LEV:ALL?", "LIST:WID:ALL?", "LIST:SLEW:ALL?",
    // OCP and OPP tests
    "OCP:IRANG?", "OCP:VRANG?", "OCP:VOLT?", "OCP:STEP?", "OCP:STAR?", "OCP:END?", "OCP:MIN?", "OCP:MAX?",
    "OCP:STEP:DEL?",
    "OPP:IRANG?", "OPP:VRANG?", "OPP:VOLT?", "OPP:STEP?", "OPP:STAR?", "OPP:END?", "OPP:MIN?", "OPP:MAX?",
    "OPP:STEP:DEL?",
    // battery
    "BATT:MODE?", "BATT:IRANG?", "BATT:VRANG?", "BATT:RRANG?", "BATT:LEV?", "BATT:VOLT:STAT?",
    "BATT:CAP:STAT?", "BATT:TIM:STAT?", "BATT:VOLT?", "BATT:CAP?", "BATT:TIM?", "BATT:ADDCAP?",
    // external control
    "EXT:MODE?", "EXT:IRANG?", "EXT:VRANG?",
    // utility
    "SYST:SENS?", "STOP:ON:FAIL?", "VOLT:LATCh?", "SENS:AVER:COUN?", "VOLT:ON?", "TRIG:SOUR?",
    "EXT:INP?", "SYST:IMONI:STAT?", "SYST:VMONI:STAT?",
    "TIME:TEST?", "TIME:TEST:VOLT:LOW?", "TIME:TEST:VOLT:HIGH?",
    "CURR:PROT:STAT?", "CURR:PROT:LEV?", "CURR:PROT:DEL?", "POW:PROT:STAT?", "POW:PROT:LEV?",
    "POW:PROT:DEL?",
};

const std::vector<const char*> list_run_queries = {
    "TEST:STEP?", "TEST:STOP?", "INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?",
    "SYST:REMOT:STAT?",
};

std::vector<const char*> join(std::vector<const char*> a, const std::vector<const char*>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<cmd_set_t> cmd_table = {
    {0, {"FUNC CURR"}, {"CURR:IRANG?", "CURR:VRANG?", "CURR?", "CURR:SLEW:POS?", "CURR:SLEW:NEG?"}},
    {1, {"FUNC VOLT"}, {"VOLT:IRANG?", "VOLT:VRANG?", "VOLT?"}},
    {2, {"FUNC RES"}, {"RES:IRANG?", "RES:VRANG?", "RES?"}},
    {3, {"FUNC POW"}, {"POW:IRANG?", "POW:VRANG?", "POW?"}},
    {4, {"FUNC LED"}, {"LED:IRANG?", "LED:VRANG?", "LED:CURR?", "LED:VOLT?", "LED:RCO?"}},
    {8, {"BATT:FUNC"}, {"BATT:MODE?", "BATT:IRANG?", "BATT:VRANG?", "BATT:RRANG?", "BATT:LEV?",
                        "BATT:VOLT:STAT?", "BATT:CAP:STAT?", "BATT:TIM:STAT?", "BATT:VOLT?", "BATT:CAP?",
                        "BATT:TIM?", "BATT:ADDCAP?"}},
    {13, {"LIST:STAT:ON"}, {"LIST:MODE?", "LIST:IRANG?", "LIST:VRANG?", "LIST:COUN?", "LIST:STEP?",
                            "LIST:LEV:ALL?", "LIST:WID:ALL?", "LIST:SLEW:ALL?"}},
    {14, {"INP 0", "PROG:STAT:ON"}, {"PROG:PAUSE:ALL?", "PROG:MODE:ALL?", "PROG:IRANGE:ALL?",
                                     "PROG:VRANGE:ALL?", "PROG:SHORT:ALL?", "PROG:TIME:ON:ALL?",
                                     "PROG:TIME:OFF:ALL?", "PROG:TIME:DEL:ALL?", "PROG:MIN:ALL?",
                                     "PROG:MAX:ALL?", "PROG:LEV:ALL?", "PROG:LED:CURR:ALL?",
                                     "PROG:LED:RCO:ALL?", "PROG:STEP?"}},
    {15, {}, list_run_queries},
    {16, {}, join(list_run_queries, {"STOP:ON:FAIL?"})},
    {26, {}, {"FUNC?"}},
    {28, {}, {"FUNC:TRAN?"}},
    {30, {}, all_settings_queries},
    {31, {}, {"FUNC:MODE?", "FUNC?", "FUNC:TRAN?", "TIME:TEST?", "SHOR?", "EXT:MODE?", "EXT:IRANG?",
              "EXT:VRANG?"}},
};

// Operation 183, the measurement poll: its queries follow the function the
// load is in. Chosen in this order: battery, time test on a static
// function, external control, any other function.
const std::vector<const char*> poll_base = {
    "INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?", "SYST:REMOT:STAT?",
};
const std::vector<const char*> poll_battery = {
    "INP?", "MEAS:CURR?", "MEAS:VOLT?", "BATT:DISCHA:CAP?", "BATT:DISCHA:TIM?", "SYST:REMOT:STAT?",
    "MEAS:RES?", "MEAS:POW?",
};
const std::vector<const char*> poll_time_test = join(poll_base, {"TIME:TEST:RISE?", "TIME:TEST:FALL?"});
const std::vector<const char*> poll_external = join(poll_base, {"MEAS:EXT?"});

const int poll_op = 183;

const std::vector<const char*>& poll_queries(int func_code, bool time_test)
{
    if (func_code == 8)
        return poll_battery;
    if (time_test && func_code >= 0 && func_code <= 3)
        return poll_time_test;
    if (func_code == 24 || func_code == 25)
        return poll_external;
    return poll_base;
}

const QHash<int, const cmd_set_t*>& cmd_index()
{
    static const QHash<int, const cmd_set_t*> index = [] {
        QHash<int, const cmd_set_t*> h;
        for (const cmd_set_t& set : cmd_table)
            h.insert(set.op, &set);
        return h;
    }();
    return index;
}

} // namespace

void MyMainWindow::fill_cmd_list(int operation)
{
    write_list.clear();
    query_list.clear();
    if (operation == poll_op) {
        for (const char* q : poll_queries(func_code, time_test_flag)) {
            write_list << QString();
            query_list << QString::fromLatin1(q);
        }
        return;
    }
    const cmd_set_t* set = cmd_index().value(operation, nullptr);
    if (!set)
        return;
    for (const char* w : set->writes) {
        write_list << QString::fromLatin1(w);
        query_list << QString();
    }
    for (const char* q : set->queries) {
        write_list << QString();
        query_list << QString::fromLatin1(q);
    }
}

void MyMainWindow::request_measure()
{
    // The poll is the window's own, whoever's change asks it again.
    cfg_thread_t::own_posts own(cfg_thread);
    fill_cmd_list(poll_op);
    post(poll_op, write_list, query_list, true, 0);
}
