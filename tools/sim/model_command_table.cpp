#include "model_command_table.h"

#include "model_block_codec.h"
#include "model_engine.h"
#include "model_error_queue.h"
#include "model_header.h"
#include "model_text.h"

#include <cmath>
#include <cstdio>

// Accessors of the rows: capture-less lambdas over the state, the block
// and the 0-based step.
#define NUM(expr) [](model_state &s, int b, int k) -> double * { (void)s; (void)b; (void)k; return &(expr); }
#define INT(expr) [](model_state &s, int b, int k) -> int * { (void)s; (void)b; (void)k; return &(expr); }
#define LIM(expr) [](const model_state &s, int b, int k) -> model_limits { (void)s; (void)b; (void)k; return expr; }

namespace {

// ---- words ---------------------------------------------------------------------

const model_word func_words[] = {
    {"CURRent", "CURRENT", func_curr}, {"VOLTage", "VOLTAGE", func_volt}, {"RESistance", "RESISTANCE", func_res},
    {"POWer", "POWER", func_pow},      {"LED", "LED", func_led},
};
const model_word_set func5 = {func_words, 5};
const model_word_set func4 = {func_words, 4};

const model_word batt_words[] = {
    {"CURRent", "CURRENT", func_curr}, {"POWer", "POWER", func_pow}, {"RESistance", "RESISTANCE", func_res}};
const model_word_set batt_set = {batt_words, 3};

const model_word tran_words[] = {
    {"CONTinuous", "CONTINUOUS", tran_continuous}, {"PULSe", "PULSE", tran_pulse}, {"TOGGle", "TOGGLE", tran_toggle}};
const model_word_set tran_set = {tran_words, 3};

const model_word trig_words[] = {
    {"MANual", "MANUAL", trig_manual}, {"EXTernal", "EXTERNAL", trig_external}, {"BUS", "BUS", trig_bus}};
const model_word_set trig_set = {trig_words, 3};

const model_word ext_words[] = {{"INTernal", "INT", ext_int}, {"EXTI", "EXTI", ext_exti}, {"EXTV", "EXTV", ext_extv}};
const model_word_set ext_set = {ext_words, 3};

const char *const mode_replies[] = {"BASIC", "TRAN", "OCP", "OPP", "BATTERY", "LIST", "PROGRAM"};

// ---- handlers ------------------------------------------------------------------

int set_input(model_call &c)
{
    c.eng.set_input(c.ival != 0);
    return 0;
}

int set_short(model_call &c) { return c.eng.set_short(c.ival != 0); }

int do_trigger(model_call &c) { return c.eng.trigger(); }

// FUNC and FUNC:TRAN carry a word; the other selections only their mode.
int select_mode(model_call &c)
{
    const bool has_word = c.cmd.param == model_param::word;
    c.eng.select_mode(c.cmd.block, has_word ? c.ival : 0);
    return 0;
}

int set_time_test(model_call &c)
{
    c.eng.st.ttest_on = c.ival;
    if (c.ival)
        c.eng.st.ttest_rise = c.eng.st.ttest_fall = 0;
    return 0;
}

int addcap_state(model_call &c)
{
    if (!c.ival)
        c.eng.st.batt_addcap = 0;
    return 0;
}

int battery_refill(model_call &c)
{
    c.eng.st.sim.q_used = 0;
    c.eng.changed();
    return 0;
}

int set_time_scale(model_call &c)
{
    c.eng.set_time_scale(c.num);
    return 0;
}

int raise_alarm(model_call &c)
{
    const long long bits = static_cast<long long>(c.num);
    if (bits < 0 || bits > 0xFFFF || (bits & 0x01FF) != 0)
        return model_error_queue::out_of_range;
    if (bits)
        c.eng.raise_alarm(int(bits));
    return 0;
}

int halt_list(model_call &c)
{
    if (!c.eng.list_running())
        return model_error_queue::settings_conflict;
    c.eng.halt_list();
    return 0;
}

int reset(model_call &c)
{
    c.eng.reset();
    return 0;
}

int clear_status(model_call &c)
{
    c.errors.clear();
    c.eng.st.alarms = 0;
    return 0;
}

int query_idn(model_call &c)
{
    *c.reply = c.idn + "\n";
    return 0;
}

int query_machine(model_call &c)
{
    *c.reply = "Tervane Device\n";
    return 0;
}

// block: 0 current, 1 voltage, 2 resistance, 3 power
int query_meas(model_call &c)
{
    const model_point p = c.eng.measured();
    double v = 0;
    switch (c.cmd.block) {
    case 0:
        v = p.i;
        break;
    case 1:
        v = p.v;
        break;
    case 2:
        v = p.i > 0 ? p.v / p.i : 0;
        break;
    default:
        v = p.v * p.i;
        break;
    }
    *c.reply = model_text::format_number(v) + "\n";
    return 0;
}

int query_func_mode(model_call &c)
{
    *c.reply = std::string(mode_replies[c.eng.st.mode]) + "\n";
    return 0;
}

int query_test_stat(model_call &c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X\n", unsigned(c.eng.st.alarms) & 0xFFFFu);
    *c.reply = buf;
    return 0;
}

int query_test_step(model_call &c)
{
    *c.reply = model_text::format_int(c.eng.test_step()) + "\n";
    return 0;
}

int query_test_stop(model_call &c)
{
    *c.reply = model_text::format_int(c.eng.test_stop()) + "\n";
    return 0;
}

int query_prog_test(model_call &c)
{
    *c.reply = model_text::format_number(c.eng.prog_test(c.step + 1)) + "\n";
    return 0;
}

int query_prog_test_all(model_call &c)
{
    std::string r;
    for (int k = 0; k < c.eng.st.prog.steps; ++k)
        r += model_text::format_number(c.eng.st.prog_result[k]) + ",";
    *c.reply = r + "\n";
    return 0;
}

int query_addcap(model_call &c)
{
    // The counter is a sum of many small steps: do not let 4.9999999 read 4.
    *c.reply = model_text::format_int(static_cast<long long>(std::floor(c.eng.st.batt_addcap + 1e-6))) + "\n";
    return 0;
}

int query_high(model_call &c)
{
    *c.reply = "HIGH\n";
    return 0;
}

int query_list_export(model_call &c)
{
    *c.reply = model_block_codec::encode_list(c.eng.st.list);
    if (c.eng.st.sim.export_terminator)
        *c.reply += '\n';
    return 0;
}

int query_prog_export(model_call &c)
{
    *c.reply = model_block_codec::encode_prog(c.eng.st.prog);
    if (c.eng.st.sim.export_terminator)
        *c.reply += '\n';
    return 0;
}

int query_error(model_call &c)
{
    *c.reply = c.errors.pop() + "\n";
    return 0;
}

// ---- row builders --------------------------------------------------------------

model_command row(const std::string &pattern, model_access a, model_param p)
{
    model_command c;
    c.pattern = pattern;
    c.access = a;
    c.param = p;
    return c;
}

model_command num(const std::string &pattern, model_num_ref ref, model_limits_fn lim, bool refused = false)
{
    model_command c = row(pattern, model_access::set_query, model_param::number);
    c.num = ref;
    c.limits = lim;
    c.refused_on = refused;
    return c;
}

model_command integer(const std::string &pattern, model_int_ref ref, model_limits_fn lim, bool refused = false)
{
    model_command c = row(pattern, model_access::set_query, model_param::integer);
    c.ival = ref;
    c.limits = lim;
    c.refused_on = refused;
    return c;
}

model_command sw(const std::string &pattern, model_int_ref ref, bool refused = false)
{
    model_command c = row(pattern, model_access::set_query, model_param::sw);
    c.ival = ref;
    c.refused_on = refused;
    return c;
}

model_command word(const std::string &pattern, const model_word_set *set, model_int_ref ref, bool refused = false)
{
    model_command c = row(pattern, model_access::set_query, model_param::word);
    c.words = set;
    c.ival = ref;
    c.refused_on = refused;
    return c;
}

// Range rows: refused while the input is on, except the per-step ones.
model_command irange(const std::string &pattern, model_int_ref ref, bool refused = true)
{
    model_command c = row(pattern, model_access::set_query, model_param::irange);
    c.ival = ref;
    c.refused_on = refused;
    return c;
}

model_command vrange(const std::string &pattern, model_int_ref ref, bool refused = true)
{
    model_command c = row(pattern, model_access::set_query, model_param::vrange);
    c.ival = ref;
    c.refused_on = refused;
    return c;
}

model_command read_only(const std::string &pattern, model_num_ref ref)
{
    model_command c = row(pattern, model_access::query_only, model_param::number);
    c.num = ref;
    return c;
}

model_command query(const std::string &pattern, model_hook h, int block = 0)
{
    model_command c = row(pattern, model_access::query_only, model_param::none);
    c.query = h;
    c.block = block;
    return c;
}

model_command event(const std::string &pattern, model_hook h, model_param p = model_param::none, int block = 0)
{
    model_command c = row(pattern, model_access::event, p);
    c.set = h;
    c.block = block;
    return c;
}

model_command with_set(model_command c, model_hook h)
{
    c.set = h;
    return c;
}

model_command at_block(model_command c, int block)
{
    c.block = block;
    return c;
}

model_command per_step(model_command c, int steps)
{
    c.steps = steps;
    return c;
}

// The ALL? list of a step row: every stored step in one reply.
model_command all_of(const model_command &step_row, const std::string &pattern)
{
    model_command c = step_row;
    c.pattern = pattern;
    c.access = model_access::query_only;
    c.all = true;
    c.query = nullptr;
    return c;
}

const int L = model_state::list_steps_max;
const int P = model_state::prog_steps_max;

std::vector<model_command> build()
{
    std::vector<model_command> t = {
        // identification, remote state, input, short, trigger
        query("*IDN", query_idn),
        query("MACHINETYPE", query_machine),
        sw("SYSTem:REMOTe:STATe", INT(s.remote)),
        with_set(sw("INPut", INT(s.input)), set_input),
        with_set(sw("SHORt", INT(s.shrt)), set_short),
        event("*TRG", do_trigger),
        word("TRIGger:SOURce", &trig_set, INT(s.util_trig)),

        // readings, run state, results
        query("MEASure:CURRent", query_meas, 0),
        query("MEASure:VOLTage", query_meas, 1),
        query("MEASure:RESistance", query_meas, 2),
        query("MEASure:POWer", query_meas, 3),
        read_only("MEASure:EXTernal", NUM(s.sim.ext_volt)),
        read_only("TIMe:TEST:RISE", NUM(s.ttest_rise)),
        read_only("TIMe:TEST:FALL", NUM(s.ttest_fall)),
        read_only("BATTery:DISCHArge:CAPacity", NUM(s.batt_run_cap)),
        read_only("BATTery:DISCHArge:TIMe", NUM(s.batt_run_time)),
        read_only("FUNCtion:TEST:RESult", NUM(s.batt_result_v)),
        query("TEST:STATe", query_test_stat),
        query("TEST:STEP", query_test_step),
        query("TEST:STOP", query_test_stop),
        per_step(query("PROGram:TEST", query_prog_test), P),
        query("PROGram:TEST:ALL", query_prog_test_all),

        // function selection and static modes
        at_block(with_set(word("FUNCtion", &func5, INT(s.func_static)), select_mode), mode_basic),
        query("FUNCtion:MODE", query_func_mode),
        irange("CURRent:IRANGe", INT(s.st_irange[func_curr])),
        vrange("CURRent:VRANGe", INT(s.st_vrange[func_curr])),
        num("CURRent", NUM(s.cc_level), LIM(s.level_limits(func_curr, s.st_irange[func_curr], 0))),
        num("CURRent:SLEW:POSitive", NUM(s.cc_slew_pos), LIM(model_state::slew_limits(s.st_irange[func_curr]))),
        num("CURRent:SLEW:NEGative", NUM(s.cc_slew_neg), LIM(model_state::slew_limits(s.st_irange[func_curr]))),
        irange("VOLTage:IRANGe", INT(s.st_irange[func_volt])),
        vrange("VOLTage:VRANGe", INT(s.st_vrange[func_volt])),
        num("VOLTage", NUM(s.cv_level), LIM(s.level_limits(func_volt, 0, s.st_vrange[func_volt]))),
        irange("RESistance:IRANGe", INT(s.st_irange[func_res])),
        vrange("RESistance:VRANGe", INT(s.st_vrange[func_res])),
        num("RESistance", NUM(s.cr_level), LIM(s.level_limits(func_res, 0, 0))),
        irange("POWer:IRANGe", INT(s.st_irange[func_pow])),
        vrange("POWer:VRANGe", INT(s.st_vrange[func_pow])),
        num("POWer", NUM(s.cp_level), LIM(s.level_limits(func_pow, 0, 0))),
        irange("LED:IRANGe", INT(s.st_irange[func_led])),
        vrange("LED:VRANGe", INT(s.st_vrange[func_led])),
        num("LED:CURRent", NUM(s.led_io), LIM(s.level_limits(func_curr, s.st_irange[func_led], 0))),
        num("LED:VOLTage", NUM(s.led_vo), LIM(s.level_limits(func_led, 0, s.st_vrange[func_led]))),
        num("LED:RCO", NUM(s.led_rco), LIM((model_limits{0.01, 1}))),

        // transient: FUNC:TRAN and the current block's slews (blocks below)
        at_block(with_set(word("FUNCtion:TRANsient", &func4, INT(s.func_tran)), select_mode), mode_tran),
        num("CURRent:TRANsient:SLEW:POSitive", NUM(s.tran_slew_pos),
            LIM(model_state::slew_limits(s.tran[func_curr].irange))),
        num("CURRent:TRANsient:SLEW:NEGative", NUM(s.tran_slew_neg),
            LIM(model_state::slew_limits(s.tran[func_curr].irange))),

        // battery
        at_block(event("BATTery:FUNCtion", select_mode), mode_battery),
        word("BATTery:MODE", &batt_set, INT(s.batt_mode), true),
        irange("BATTery:IRANGe", INT(s.batt_irange)),
        vrange("BATTery:VRANGe", INT(s.batt_vrange)),
        query("BATTery:RRANGe", query_high),
        num("BATTery:LEVel", NUM(s.batt_level), LIM(s.level_limits(s.batt_mode, s.batt_irange, s.batt_vrange))),
        sw("BATTery:VOLTage:STATe", INT(s.batt_vstop_on), true),
        sw("BATTery:CAPacity:STATe", INT(s.batt_cstop_on), true),
        sw("BATTery:TIMe:STATe", INT(s.batt_tstop_on), true),
        num("BATTery:VOLTage", NUM(s.batt_vstop), LIM((model_limits{0, double(s.batt_vrange)}))),
        num("BATTery:CAPacity", NUM(s.batt_cstop), LIM((model_limits{0, 999999}))),
        num("BATTery:TIMe", NUM(s.batt_tstop), LIM((model_limits{0, 999999}))),
        query("BATTery:ADDCAPacity", query_addcap),
        event("BATTery:ADDCAPacity:STATe", addcap_state, model_param::sw),

        // external control
        word("EXTernal:MODE", &ext_set, INT(s.ext_mode)),
        irange("EXTernal:IRANGe", INT(s.ext_irange)),
        vrange("EXTernal:VRANGe", INT(s.ext_vrange)),
        sw("EXTernal:INPut", INT(s.ext_inp)),

        // list
        at_block(event("LIST:STATe:ON", select_mode), mode_list),
        word("LIST:MODE", &func4, INT(s.list.mode), true),
        irange("LIST:IRANGe", INT(s.list.irange)),
        vrange("LIST:VRANGe", INT(s.list.vrange)),
        integer("LIST:COUNt", INT(s.list.count), LIM((model_limits{0, 255})), true),
        integer("LIST:STEP", INT(s.list.steps), LIM((model_limits{1, double(L)})), true),
        query("LIST:EXPort", query_list_export),

        // program
        at_block(event("PROGram:STATe:ON", select_mode), mode_program),
        integer("PROGram:STEP", INT(s.prog.steps), LIM((model_limits{1, double(P)})), true),
        per_step(query("PROGram:RRANGe", query_high), P),
        query("PROGram:EXPort", query_prog_export),

        // utility
        sw("SYSTem:SENSe", INT(s.util_sense), true),
        sw("STOP:ON:FAIL", INT(s.util_sof), true),
        sw("VOLTage:LATCh", INT(s.util_latch)),
        integer("SENSe:AVERage:COUNt", INT(s.util_aver), LIM((model_limits{6, 14}))),
        num("VOLTage:ON", NUM(s.util_von), LIM((model_limits{0, 150}))),
        sw("SYSTem:IMONItor:STATe", INT(s.util_imon)),
        sw("SYSTem:VMONItor:STATe", INT(s.util_vmon)),
        sw("CURRent:PROTection:STATe", INT(s.util_cprot_on)),
        num("CURRent:PROTection:LEVel", NUM(s.util_cprot_lev), LIM((model_limits{0, 30}))),
        num("CURRent:PROTection:DELay", NUM(s.util_cprot_del), LIM((model_limits{0, 99.99}))),
        sw("POWer:PROTection:STATe", INT(s.util_pprot_on)),
        num("POWer:PROTection:LEVel", NUM(s.util_pprot_lev), LIM((model_limits{0, s.pmax}))),
        num("POWer:PROTection:DELay", NUM(s.util_pprot_del), LIM((model_limits{0, 99.99}))),

        // time test
        with_set(sw("TIMe:TEST", INT(s.ttest_on)), set_time_test),
        num("TIMe:TEST:VOLTage:LOW", NUM(s.ttest_vlow), LIM((model_limits{0, 150}))),
        num("TIMe:TEST:VOLTage:HIGH", NUM(s.ttest_vhigh), LIM((model_limits{0, 150}))),

        // harness controls, never sent by the program
        num("SIM:SOURce:VOC", NUM(s.sim.voc), LIM((model_limits{0, 1000}))),
        num("SIM:SOURce:RINT", NUM(s.sim.rint), LIM((model_limits{0, 1000}))),
        num("SIM:SOURce:ILIM", NUM(s.sim.ilim), LIM((model_limits{0, 1000}))),
        num("SIM:SOURce:TAU", NUM(s.sim.tau), LIM((model_limits{0, 100}))),
        num("SIM:BATTery:VFULL", NUM(s.sim.vfull), LIM((model_limits{0, 1000}))),
        num("SIM:BATTery:VEMPTY", NUM(s.sim.vempty), LIM((model_limits{0, 1000}))),
        num("SIM:BATTery:QNOM", NUM(s.sim.qnom), LIM((model_limits{0.001, 1e9}))),
        event("SIM:BATTery:REFILL", battery_refill),
        num("SIM:EXTernal:VOLTage", NUM(s.sim.ext_volt), LIM((model_limits{0, 10}))),
        with_set(num("SIM:TIMe:SCALE", NUM(s.sim.time_scale), LIM((model_limits{1e-6, 1e9}))), set_time_scale),
        sw("SIM:STRICT", INT(s.sim.strict)),
        sw("SIM:EXPort:TERMinator", INT(s.sim.export_terminator)),
        event("SIM:ALARM", raise_alarm, model_param::integer),
        event("SIM:LIST:HALT", halt_list),
        query("SYSTem:ERRor", query_error),
        event("*RST", reset),
        event("*CLS", clear_status),
    };

    // Transient blocks, one per function (no LED).
    const char *const tran_prefix[4] = {"CURRent", "VOLTage", "RESistance", "POWer"};
    for (int b = 0; b < 4; ++b) {
        const std::string p = std::string(tran_prefix[b]) + ":TRANsient:";
        const model_limits_fn level = LIM(s.level_limits(b, s.tran[b].irange, s.tran[b].vrange));
        const model_limits_fn width = LIM((model_limits{0.00002, 999}));
        t.push_back(at_block(word(p + "MODE", &tran_set, INT(s.tran[b].mode), true), b));
        t.push_back(at_block(irange(p + "IRANGe", INT(s.tran[b].irange)), b));
        t.push_back(at_block(vrange(p + "VRANGe", INT(s.tran[b].vrange)), b));
        t.push_back(at_block(num(p + "ALEVel", NUM(s.tran[b].alev), level), b));
        t.push_back(at_block(num(p + "BLEVel", NUM(s.tran[b].blev), level), b));
        t.push_back(at_block(num(p + "AWIDth", NUM(s.tran[b].awid), width), b));
        t.push_back(at_block(num(p + "BWIDth", NUM(s.tran[b].bwid), width), b));
    }

    // OCP (block 0, amperes) and OPP (block 1, watts).
    const char *const test_prefix[2] = {"OCP", "OPP"};
    for (int b = 0; b < 2; ++b) {
        const std::string p = std::string(test_prefix[b]) + ":";
        const model_limits_fn value =
            LIM(b == 0 ? (model_limits{0, double(s.test[0].irange)}) : (model_limits{0, s.pmax}));
        t.push_back(at_block(event(p + "FUNCtion", select_mode), b == 0 ? mode_ocp : mode_opp));
        t.push_back(at_block(irange(p + "IRANGe", INT(s.test[b].irange)), b));
        t.push_back(at_block(vrange(p + "VRANGe", INT(s.test[b].vrange)), b));
        t.push_back(at_block(num(p + "VOLTage", NUM(s.test[b].volt), LIM((model_limits{0, double(s.test[b].vrange)}))), b));
        t.push_back(at_block(num(p + "STEP", NUM(s.test[b].step), value), b));
        t.push_back(at_block(num(p + "STARt", NUM(s.test[b].start), value), b));
        t.push_back(at_block(num(p + "END", NUM(s.test[b].end), value), b));
        t.push_back(at_block(num(p + "MINimum", NUM(s.test[b].min), value), b));
        t.push_back(at_block(num(p + "MAXimum", NUM(s.test[b].max), value), b));
        t.push_back(at_block(num(p + "STEP:DELay", NUM(s.test[b].delay), LIM((model_limits{0.001, 100}))), b));
    }

    // List steps: refused while the input is on.
    const model_command list_steps[] = {
        per_step(num("LIST:LEVel", NUM(s.list.lev[k]), LIM(s.level_limits(s.list.mode, s.list.irange, s.list.vrange)),
                     true), L),
        per_step(num("LIST:WIDth", NUM(s.list.wid[k]), LIM((model_limits{0, 10000})), true), L),
        per_step(num("LIST:SLEW", NUM(s.list.slew[k]), LIM(model_state::slew_limits(s.list.irange)), true), L),
    };
    for (const model_command &c : list_steps) {
        t.push_back(c);
        t.push_back(all_of(c, c.pattern + ":ALL"));
    }

    // Program steps: accepted at any time; ALL? headers as the program
    // writes them (PROG:IRANGE:ALL? beside PROG:IRANG).
    struct prog_row {
        model_command cmd;
        const char *all;
    };
    const model_limits_fn times = LIM((model_limits{0, 100}));
    const model_limits_fn limits = LIM((model_limits{0, 1000000}));
    const prog_row prog_steps[] = {
        {word("PROGram:MODE", &func5, INT(s.prog.step[k].mode)), "PROGram:MODE:ALL"},
        {irange("PROGram:IRANGe", INT(s.prog.step[k].irange), false), "PROGram:IRANGe:ALL"},
        {vrange("PROGram:VRANGe", INT(s.prog.step[k].vrange), false), "PROGram:VRANGe:ALL"},
        {sw("PROGram:PAUSe", INT(s.prog.step[k].pause)), "PROGram:PAUSe:ALL"},
        {sw("PROGram:SHORt", INT(s.prog.step[k].shrt)), "PROGram:SHORt:ALL"},
        {num("PROGram:TIMe:ON", NUM(s.prog.step[k].ton), times), "PROGram:TIMe:ON:ALL"},
        {num("PROGram:TIMe:OFF", NUM(s.prog.step[k].toff), times), "PROGram:TIMe:OFF:ALL"},
        {num("PROGram:TIMe:DELay", NUM(s.prog.step[k].tdly), times), "PROGram:TIMe:DELay:ALL"},
        {num("PROGram:MINimum", NUM(s.prog.step[k].min), limits), "PROGram:MINimum:ALL"},
        {num("PROGram:MAXimum", NUM(s.prog.step[k].max), limits), "PROGram:MAXimum:ALL"},
        {num("PROGram:LEVel", NUM(s.prog.step[k].lev),
             LIM(s.level_limits(s.prog.step[k].mode, s.prog.step[k].irange, s.prog.step[k].vrange))),
         "PROGram:LEVel:ALL"},
        {num("PROGram:LED:CURRent", NUM(s.prog.step[k].led_io), LIM((model_limits{0, double(s.prog.step[k].irange)}))),
         "PROGram:LED:CURRent:ALL"},
        {num("PROGram:LED:RCO", NUM(s.prog.step[k].led_rco), LIM((model_limits{0.01, 1}))), "PROGram:LED:RCO:ALL"},
    };
    for (const prog_row &r : prog_steps) {
        const model_command c = per_step(r.cmd, P);
        t.push_back(c);
        t.push_back(all_of(c, r.all));
    }
    return t;
}

struct compiled {
    std::vector<model_command> rows;
    std::vector<model_header> headers;
    compiled() : rows(build())
    {
        headers.reserve(rows.size());
        for (const model_command &c : rows)
            headers.emplace_back(c.pattern);
    }
};

const compiled &table()
{
    static const compiled t;
    return t;
}

bool form_allowed(const model_command &c, bool query)
{
    switch (c.access) {
    case model_access::set_query:
        return true;
    case model_access::query_only:
        return query;
    default:
        return !query;
    }
}

} // namespace

const model_command *model_command_table::find(const std::string &header, bool query)
{
    const compiled &t = table();
    for (std::size_t i = 0; i < t.rows.size(); ++i)
        if (form_allowed(t.rows[i], query) && t.headers[i].matches(header))
            return &t.rows[i];
    return nullptr;
}

int model_command_table::row_count()
{
    return int(table().rows.size());
}

const char *model_command_table::word_reply(const model_word_set &set, int value)
{
    for (int i = 0; i < set.count; ++i)
        if (set.words[i].value == value)
            return set.words[i].reply;
    return "";
}

std::string model_command_table::format(const model_command &c, model_state &st, int step, bool list_entry)
{
    if (c.num)
        return model_text::format_number(*c.num(st, c.block, step));
    if (!c.ival)
        return std::string();
    const int v = *c.ival(st, c.block, step);
    switch (c.param) {
    case model_param::sw:
        if (list_entry)
            return v ? "ON" : "OFF";
        return v ? "1" : "0";
    case model_param::word:
        return word_reply(*c.words, v);
    default:
        return model_text::format_int(v);
    }
}
