// The simulated load's state over time on a manual clock: readings, list
// and program runs, OCP/OPP sweeps, battery discharge, time test,
// protections and the transient waveform.
#include "sim_rig.h"

#include <QtTest>

#include <cmath>
#include <string>

class tst_sim_runs : public QObject {
    Q_OBJECT
private slots:
    void readings_of_the_default_source();
    void list_run();
    void list_halt_and_endless();
    void program_run_with_pause_and_fail_stop();
    void program_run_completes_without_sof();
    void ocp_and_opp_sweeps();
    void battery_discharge();
    void battery_runs_empty();
    void time_test();
    void protections_and_alarms();
    void transient_waveform();
    void von_gate();
    void time_scale_and_noise();
};

void tst_sim_runs::readings_of_the_default_source()
{
    sim_rig r;
    QCOMPARE(r.v("MEAS:CURR?"), std::string("0"));
    QCOMPARE(r.v("MEAS:VOLT?"), std::string("5"));
    QCOMPARE(r.v("MEAS:RES?"), std::string("0"));
    QCOMPARE(r.v("MEAS:POW?"), std::string("0"));
    QVERIFY(r.w("INP 1"));
    struct row {
        const char *func;
        const char *i;
        const char *v;
    };
    const row rows[] = {
        {"FUNC CURR", "3", "4.7"},        {"FUNC VOLT", "2", "4.8"},
        {"FUNC RES", "0.49505", "4.9505"}, {"FUNC POW", "2.08712", "4.79129"},
        {"FUNC LED", "3.71429", "4.62857"},
    };
    for (const row &x : rows) {
        QVERIFY(r.w(x.func));
        QCOMPARE(r.q("INP?"), std::string("1\n"));
        QCOMPARE(r.v("MEAS:CURR?"), std::string(x.i));
        QCOMPARE(r.v("MEAS:VOLT?"), std::string(x.v));
    }
    QCOMPARE(r.v("MEAS:POW?"), std::string("17.1918"));
    QCOMPARE(r.v("MEAS:RES?"), std::string("1.24615"));
    // Short in the 5 A range draws more than the 4 A trip: the source trips
    // and stays tripped until the input goes off.
    QVERIFY(r.w("FUNC CURR"));
    QVERIFY(r.w("SHOR 1"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("0"));
    QCOMPARE(r.v("MEAS:VOLT?"), std::string("0"));
    QVERIFY(r.w("SHOR 0"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("0"));
    QVERIFY(r.w("INP 0"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("3"));
    // A CP demand beyond what the source can give collapses it.
    QVERIFY(r.w("FUNC POW"));
    QVERIFY(r.w("SIM:SOUR:ILIM 0"));
    QVERIFY(r.w("POW 70"));
    QCOMPARE(r.v("MEAS:VOLT?"), std::string("0"));
}

void tst_sim_runs::list_run()
{
    sim_rig r;
    QVERIFY(r.w("TRIG:SOUR BUS"));
    QVERIFY(r.w("LIST:STAT:ON"));
    QVERIFY(r.w("LIST:STEP 4"));
    QVERIFY(r.w("LIST:COUN 2"));
    const char *const setup[] = {"LIST:LEV 1,1", "LIST:LEV 2,2",   "LIST:LEV 3,3",  "LIST:LEV 4,4",
                                 "LIST:WID 1,1", "LIST:WID 2,2",   "LIST:WID 3,0",  "LIST:WID 4,0.5"};
    for (const char *m : setup)
        QVERIFY2(r.w(m), m);
    QVERIFY(r.w("INP 1")); // arms only
    QCOMPARE(r.v("INP?"), std::string("1"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("0"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("0"));
    QVERIFY(r.w("*TRG"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("1"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("1"));
    // A running list uses the list as it was at the trigger.
    QVERIFY(r.w("SIM:STRICT 0"));
    QVERIFY(r.w("LIST:LEV 2,2.5"));
    r.advance(1.5);
    QCOMPARE(r.v("TEST:STEP?"), std::string("2"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("2"));
    r.advance(1.6); // 3.1 s: step 3 has no width
    QCOMPARE(r.v("TEST:STEP?"), std::string("4"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("4"));
    r.advance(0.5); // 3.6 s: second repetition
    QCOMPARE(r.v("TEST:STEP?"), std::string("1"));
    QCOMPARE(r.v("TEST:STOP?"), std::string("0"));
    r.advance(3.3); // 6.9 s
    QCOMPARE(r.v("TEST:STEP?"), std::string("4"));
    QCOMPARE(r.v("INP?"), std::string("1"));
    r.advance(0.2); // 7.1 s: ended, the load switched its input off
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("4"));
    QCOMPARE(r.v("TEST:STOP?"), std::string("0"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("0"));
    // The next run picks up the changed level.
    QVERIFY(r.w("INP 1"));
    QVERIFY(r.w("*TRG"));
    r.advance(1.5);
    QCOMPARE(r.v("MEAS:CURR?"), std::string("2.5"));
    // A new selection of the list resets the step.
    QVERIFY(r.w("LIST:STAT:ON"));
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("0"));
    // *TRG while not armed is ignored.
    QVERIFY(r.w("*TRG"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("0"));
}

void tst_sim_runs::list_halt_and_endless()
{
    sim_rig r;
    QVERIFY(r.w("TRIG:SOUR BUS"));
    QVERIFY(r.w("LIST:STAT:ON"));
    QVERIFY(r.w("LIST:COUN 0"));
    QVERIFY(r.w("LIST:LEV 2,2"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.refused("SIM:LIST:HALT"), -221); // armed, not running
    QVERIFY(r.w("*TRG"));
    r.advance(3600 + 1.5); // endless: 5 s per repetition
    QCOMPARE(r.v("INP?"), std::string("1"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("2"));
    QVERIFY(r.w("SIM:LIST:HALT"));
    r.advance(100);
    QCOMPARE(r.v("TEST:STOP?"), std::string("1"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("2"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("2"));
    QVERIFY(r.w("INP 0"));
    QCOMPARE(r.v("TEST:STOP?"), std::string("0"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("2"));
    // A list whose steps all have no width ends at the trigger.
    for (int s = 1; s <= 5; ++s)
        QVERIFY(r.w("LIST:WID " + std::to_string(s) + ",0"));
    QVERIFY(r.w("INP 1"));
    QVERIFY(r.w("*TRG"));
    QCOMPARE(r.v("INP?"), std::string("0"));
}

void tst_sim_runs::program_run_with_pause_and_fail_stop()
{
    sim_rig r;
    const char *const setup[] = {
        "TRIG:SOUR BUS",   "PROG:STAT:ON",      "PROG:STEP 3",      "PROG:TIME:DEL 1,0.5",
        "PROG:MODE 2,VOLT", "PROG:LEV 2,4.8",  "PROG:PAUSE 2,ON",   "PROG:MAX 3,4",
        "STOP:ON:FAIL ON",
    };
    for (const char *m : setup)
        QVERIFY2(r.w(m), m);
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("INP?"), std::string("1"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("0"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("0"));
    QVERIFY(r.w("*TRG"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("1"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("1"));
    QCOMPARE(r.v("PROG:TEST? 1"), std::string("0"));
    r.advance(0.6); // measured at 0.5 s: a CC step reports its voltage
    QCOMPARE(r.v("PROG:TEST? 1"), std::string("4.9"));
    r.advance(1.0); // Toff
    QCOMPARE(r.v("MEAS:CURR?"), std::string("0"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("1"));
    r.advance(0.5); // step 2 pauses
    QCOMPARE(r.v("TEST:STEP?"), std::string("2"));
    QCOMPARE(r.v("TEST:STOP?"), std::string("1"));
    QCOMPARE(r.v("INP?"), std::string("1"));
    r.advance(30);
    QCOMPARE(r.v("TEST:STEP?"), std::string("2"));
    QVERIFY(r.w("*TRG")); // releases the pause
    QCOMPARE(r.v("TEST:STOP?"), std::string("0"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("2"));
    r.advance(2.5); // step 2 measured at the end of Ton (a CV step: current); step 3 running
    QCOMPARE(r.v("TEST:STEP?"), std::string("3"));
    QCOMPARE(r.v("INP?"), std::string("1"));
    r.advance(1.0); // step 3: 4.9 V over its max of 4 with SOF on
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("TEST:STOP?"), std::string("1"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("3"));
    QCOMPARE(r.v("STOP:ON:FAIL?"), std::string("1"));
    QCOMPARE(r.q("PROG:TEST:ALL?"), std::string("4.9,2,4.9,\n"));
    QCOMPARE(r.v("PROG:TEST? 2"), std::string("2"));
}

void tst_sim_runs::program_run_completes_without_sof()
{
    sim_rig r;
    const char *const setup[] = {"TRIG:SOUR BUS", "PROG:STAT:ON",  "PROG:STEP 3",   "PROG:MAX 2,4",
                                 "PROG:SHOR 3,ON", "PROG:TIME:ON 3,0.5", "PROG:TIME:DEL 3,0"};
    for (const char *m : setup)
        QVERIFY2(r.w(m), m);
    QVERIFY(r.w("INP 1"));
    QVERIFY(r.w("*TRG"));
    r.advance(2.0);
    QCOMPARE(r.v("TEST:STEP?"), std::string("2"));
    r.advance(2.0); // step 2 failed, but SOF is off
    QCOMPARE(r.v("TEST:STEP?"), std::string("3"));
    QCOMPARE(r.v("INP?"), std::string("1"));
    // Step 3 shorts with 30 A range: more than the 4 A trip, the source
    // trips and the measured current is 0.
    r.advance(1.4);
    QCOMPARE(r.v("INP?"), std::string("1"));
    r.advance(0.2); // 0.5 s Ton + 1 s Toff of the last step elapsed
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("TEST:STOP?"), std::string("0"));
    QCOMPARE(r.v("TEST:STEP?"), std::string("3"));
    QCOMPARE(r.q("PROG:TEST:ALL?"), std::string("4.9,4.9,0,\n"));
    // Without a trip the short measures the range's current.
    QVERIFY(r.w("SIM:SOUR:ILIM 0"));
    QVERIFY(r.w("INP 1"));
    QVERIFY(r.w("*TRG")); // clears the results
    QCOMPARE(r.q("PROG:TEST:ALL?"), std::string("0,0,0,\n"));
    r.advance(4.1);
    QCOMPARE(r.q("PROG:TEST:ALL?"), std::string("4.9,4.9,30,\n"));
    // INP 0 aborts; the results of the steps run so far stay.
    QVERIFY(r.w("INP 0"));
    QCOMPARE(r.v("TEST:STOP?"), std::string("0"));
    QCOMPARE(r.v("PROG:TEST? 3"), std::string("30"));
}

void tst_sim_runs::ocp_and_opp_sweeps()
{
    sim_rig r;
    QVERIFY(r.w("OCP:FUNC"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("0"));
    r.advance(4.4);
    QCOMPARE(r.v("INP?"), std::string("1"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("4"));
    QCOMPARE(r.v("PROG:TEST? 1"), std::string("0"));
    r.advance(0.2); // 4.5 A trips the 4 A source
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("PROG:TEST? 1"), std::string("4.5"));

    QVERIFY(r.w("OPP:FUNC"));
    QCOMPARE(r.v("PROG:TEST? 1"), std::string("0"));
    QVERIFY(r.w("INP 1"));
    r.advance(10);
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("PROG:TEST? 1"), std::string("20"));

    // INP 0 during the sweep aborts it with no result.
    QVERIFY(r.w("OCP:FUNC"));
    QVERIFY(r.w("INP 1"));
    r.advance(1);
    QVERIFY(r.w("INP 0"));
    QCOMPARE(r.v("PROG:TEST? 1"), std::string("0"));

    // Without a trip the threshold voltage finds the point: 5 - 0.1 x < 4.75.
    QVERIFY(r.w("SIM:SOUR:ILIM 0"));
    QVERIFY(r.w("OCP:VOLT 4.75"));
    QVERIFY(r.w("INP 1"));
    r.advance(10);
    QCOMPARE(r.v("PROG:TEST? 1"), std::string("3"));
    // A sweep that never reaches its point ends with 0 after the last value.
    QVERIFY(r.w("OCP:VOLT 1"));
    QVERIFY(r.w("OCP:END 3"));
    QVERIFY(r.w("INP 1"));
    r.advance(3.4);
    QCOMPARE(r.v("INP?"), std::string("1"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("3"));
    r.advance(0.2);
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("PROG:TEST? 1"), std::string("0"));
    // Outside OCP/OPP, PROG:TEST? answers the program results.
    QVERIFY(r.w("PROG:STAT:ON"));
    QCOMPARE(r.v("PROG:TEST? 1"), std::string("0"));
}

void tst_sim_runs::battery_discharge()
{
    sim_rig r;
    QVERIFY(r.w("BATT:FUNC"));
    QVERIFY(r.w("SIM:BATT:QNOM 10"));
    QVERIFY(r.w("BATT:TIM 30"));
    QVERIFY(r.w("BATT:TIM:STAT 1"));
    QCOMPARE(r.v("MEAS:VOLT?"), std::string("4.2"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("1"));
    QCOMPARE(r.v("MEAS:VOLT?"), std::string("4.1"));
    r.advance(18);
    QCOMPARE(r.num("BATT:DISCHA:CAP?"), 5.0);
    QCOMPARE(r.num("BATT:DISCHA:TIM?"), 18.0);
    QCOMPARE(r.v("BATT:ADDCAP?"), std::string("5"));
    QCOMPARE(r.v("MEAS:VOLT?"), std::string("3.5"));
    r.advance(20); // the time stop at 30 s
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.num("BATT:DISCHA:TIM?"), 30.0);
    QCOMPARE(r.v("BATT:DISCHA:CAP?"), std::string("8.33333"));
    QCOMPARE(r.v("FUNC:TEST:RESULT?"), std::string("3.1"));
    QCOMPARE(r.v("BATT:ADDCAP?"), std::string("8"));
    QCOMPARE(r.v("MEAS:VOLT?"), std::string("3.2"));

    // Voltage stop, continuing on the same battery; the counters restart.
    QVERIFY(r.w("BATT:TIM:STAT 0"));
    QVERIFY(r.w("BATT:VOLT 3.05"));
    QVERIFY(r.w("BATT:VOLT:STAT 1"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("BATT:DISCHA:TIM?"), std::string("0"));
    r.advance(10);
    QCOMPARE(r.v("INP?"), std::string("0"));
    QVERIFY(std::fabs(r.num("BATT:DISCHA:TIM?") - 1.5) < 0.011);
    QVERIFY(std::fabs(r.num("FUNC:TEST:RESULT?") - 3.05) < 0.0005);
    QCOMPARE(r.v("BATT:ADDCAP?"), std::string("8"));
    QVERIFY(r.w("BATT:ADDCAP:STAT 1"));
    QCOMPARE(r.v("BATT:ADDCAP?"), std::string("8"));
    QVERIFY(r.w("BATT:ADDCAP:STAT 0"));
    QCOMPARE(r.v("BATT:ADDCAP?"), std::string("0"));

    // Capacity stop on a refilled battery, INP 0 ends a run early.
    QVERIFY(r.w("SIM:BATT:REFILL"));
    QVERIFY(r.w("BATT:VOLT:STAT 0"));
    QVERIFY(r.w("BATT:CAP 2"));
    QVERIFY(r.w("BATT:CAP:STAT 1"));
    QVERIFY(r.w("INP 1"));
    r.advance(100);
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.num("BATT:DISCHA:CAP?"), 2.0);
    QCOMPARE(r.num("BATT:DISCHA:TIM?"), 7.2);
    QVERIFY(r.w("BATT:CAP:STAT 0"));
    QVERIFY(r.w("INP 1"));
    r.advance(3);
    QVERIFY(r.w("INP 0"));
    QCOMPARE(r.num("BATT:DISCHA:TIM?"), 3.0);
    r.advance(3);
    QCOMPARE(r.num("BATT:DISCHA:TIM?"), 3.0);
    QCOMPARE(r.v("BATT:ADDCAP?"), std::string("2"));
    // CR: the current falls with the battery voltage.
    QVERIFY(r.w("SIM:BATT:REFILL"));
    QVERIFY(r.w("BATT:MODE RES"));
    QVERIFY(r.w("BATT:LEV 4.1"));
    QVERIFY(r.w("BATT:VOLT 3.5"));
    QVERIFY(r.w("BATT:VOLT:STAT 1"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("MEAS:CURR?"), std::string("1"));
    r.advance(100);
    QCOMPARE(r.v("INP?"), std::string("0"));
    QVERIFY(std::fabs(r.num("FUNC:TEST:RESULT?") - 3.5) < 0.001);
    QVERIFY(std::fabs(r.num("BATT:DISCHA:CAP?") - 5.122) < 0.005); // (4.2 - 3.5 * 4.2 / 4.1) / 1.2 * 10
    QVERIFY(r.w("BATT:VOLT:STAT 0"));
    QVERIFY(r.w("BATT:MODE CURR"));
    QVERIFY(r.w("BATT:LEV 1"));
    // Leaving the battery function ends a discharge.
    QVERIFY(r.w("INP 1"));
    r.advance(1);
    QVERIFY(r.w("FUNC CURR"));
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.num("BATT:DISCHA:TIM?"), 1.0);
}

void tst_sim_runs::battery_runs_empty()
{
    // Two hours of a 1 A discharge in one step: exact in CC.
    sim_rig r;
    QVERIFY(r.w("BATT:FUNC"));
    QVERIFY(r.w("INP 1"));
    r.advance(7300);
    QCOMPARE(r.v("BATT:DISCHA:CAP?"), std::string("2027.78"));
    QCOMPARE(r.v("BATT:DISCHA:TIM?"), std::string("7300"));
    QCOMPARE(r.v("MEAS:VOLT?"), std::string("2.9"));
    QCOMPARE(r.v("BATT:ADDCAP?"), std::string("2027"));
    QVERIFY(r.w("INP 0"));
    QCOMPARE(r.v("MEAS:VOLT?"), std::string("3"));
    QVERIFY(r.w("SIM:BATT:REFILL"));
    QCOMPARE(r.v("MEAS:VOLT?"), std::string("4.2"));
}

void tst_sim_runs::time_test()
{
    sim_rig r;
    QVERIFY(r.w("TIME:TEST 1"));
    QVERIFY(r.w("TIME:TEST:VOLT:LOW 4.75"));
    QVERIFY(r.w("TIME:TEST:VOLT:HIGH 4.95"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("TIME:TEST:FALL?"), std::string("0.00160944"));
    QCOMPARE(r.v("TIME:TEST:RISE?"), std::string("0"));
    QVERIFY(r.w("INP 0"));
    QCOMPARE(r.v("TIME:TEST:RISE?"), std::string("0.00160944"));
    QVERIFY(r.w("TIME:TEST 1"));
    QCOMPARE(r.v("TIME:TEST:RISE?"), std::string("0"));
    QCOMPARE(r.v("TIME:TEST:FALL?"), std::string("0"));
    // A band that is not crossed gives 0.
    QVERIFY(r.w("CURR 1")); // 4.9 V: stays above 4.75
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("TIME:TEST:FALL?"), std::string("0"));
    QVERIFY(r.w("INP 0"));
    QVERIFY(r.w("CURR 3"));
    QVERIFY(r.w("TIME:TEST:VOLT:LOW 5.5")); // band above the source
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("TIME:TEST:FALL?"), std::string("0"));
    QVERIFY(r.w("TIME:TEST 0"));
    QCOMPARE(r.v("TIME:TEST?"), std::string("0"));
}

void tst_sim_runs::protections_and_alarms()
{
    sim_rig r;
    QVERIFY(r.w("CURR:PROT:STAT ON"));
    QVERIFY(r.w("CURR:PROT:LEV 2"));
    QVERIFY(r.w("CURR:PROT:DEL 1"));
    QVERIFY(r.w("INP 1")); // 3 A
    r.advance(0.9);
    QCOMPARE(r.v("INP?"), std::string("1"));
    r.advance(0.2);
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("TEST:STAT?"), std::string("0x0400"));
    // Latched until the next INP 1; dropping below the level restarts the delay.
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("TEST:STAT?"), std::string("0x0000"));
    r.advance(0.8);
    QVERIFY(r.w("CURR 1"));
    r.advance(0.1);
    QVERIFY(r.w("CURR 3"));
    r.advance(0.8);
    QCOMPARE(r.v("INP?"), std::string("1"));
    QVERIFY(r.w("INP 0"));
    QVERIFY(r.w("CURR:PROT:STAT OFF"));

    QVERIFY(r.w("POW:PROT:STAT ON"));
    QVERIFY(r.w("POW:PROT:LEV 10"));
    QVERIFY(r.w("POW:PROT:DEL 0.5"));
    QVERIFY(r.w("INP 1")); // 14.1 W
    r.advance(0.6);
    QCOMPARE(r.v("TEST:STAT?"), std::string("0x0200"));
    QVERIFY(r.w("POW:PROT:STAT OFF"));

    // Over-voltage: the source above the range's maximum.
    QVERIFY(r.w("INP 1"));
    QVERIFY(r.w("SIM:SOUR:VOC 40"));
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("TEST:STAT?"), std::string("0x1000"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("INP?"), std::string("0"));
    QVERIFY(r.w("CURR:VRANG 150"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("INP?"), std::string("1"));
    QVERIFY(r.w("INP 0"));
    // Over power: more than the rated 300 W.
    QVERIFY(r.w("SIM:SOUR:VOC 100"));
    QVERIFY(r.w("SIM:SOUR:ILIM 0"));
    QVERIFY(r.w("CURR:IRANG 30"));
    QVERIFY(r.w("CURR 5"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("TEST:STAT?"), std::string("0x4000"));
    QVERIFY(r.w("*CLS"));
    QCOMPARE(r.v("TEST:STAT?"), std::string("0x0000"));
}

void tst_sim_runs::transient_waveform()
{
    sim_rig r;
    QVERIFY(r.w("TRIG:SOUR BUS"));
    QVERIFY(r.w("FUNC:TRAN CURR"));
    QVERIFY(r.w("INP 1"));
    // A for 0.5 s, then B for 0.5 s, starting with A.
    const struct {
        double dt;
        double amps;
    } wave[] = {{0.25, 1}, {0.5, 2}, {0.5, 1}, {0.5, 2}};
    for (const auto &x : wave) {
        r.advance(x.dt);
        QCOMPARE(r.num("MEAS:CURR?"), x.amps);
    }
    QVERIFY(r.w("*TRG")); // CONTINUOUS ignores triggers
    r.advance(3600.5); // analytic phase over a long time
    QCOMPARE(r.num("MEAS:CURR?"), 1.0);
    QVERIFY(r.w("INP 0"));

    // A protection that only the B level exceeds fires when B lasts its delay...
    QVERIFY(r.w("CURR:PROT:STAT ON"));
    QVERIFY(r.w("CURR:PROT:LEV 1.5"));
    QVERIFY(r.w("CURR:PROT:DEL 0.3"));
    QVERIFY(r.w("INP 1"));
    r.advance(0.79);
    QCOMPARE(r.v("INP?"), std::string("1"));
    r.advance(0.02);
    QCOMPARE(r.v("INP?"), std::string("0"));
    QCOMPARE(r.v("TEST:STAT?"), std::string("0x0400"));
    // ...and never when B is shorter than the delay.
    QVERIFY(r.w("CURR:PROT:DEL 0.6"));
    QVERIFY(r.w("INP 1"));
    r.advance(100);
    QCOMPARE(r.v("INP?"), std::string("1"));
    QVERIFY(r.w("INP 0"));
    QVERIFY(r.w("CURR:PROT:STAT OFF"));

    // B over the source's trip: the first B phase trips it.
    QVERIFY(r.w("SIM:SOUR:ILIM 1.5"));
    QVERIFY(r.w("INP 1"));
    r.advance(0.25);
    QCOMPARE(r.num("MEAS:CURR?"), 1.0);
    r.advance(0.5);
    QCOMPARE(r.num("MEAS:CURR?"), 0.0);
    r.advance(0.5);
    QCOMPARE(r.num("MEAS:CURR?"), 0.0);
    QVERIFY(r.w("INP 0"));
    QVERIFY(r.w("SIM:SOUR:ILIM 4"));

    QVERIFY(r.w("CURR:TRAN:MODE PULSE"));
    QVERIFY(r.w("CURR:TRAN:BWID 0.4"));
    QVERIFY(r.w("INP 1"));
    r.advance(2);
    QCOMPARE(r.num("MEAS:CURR?"), 1.0);
    QVERIFY(r.w("*TRG"));
    QCOMPARE(r.num("MEAS:CURR?"), 2.0);
    r.advance(0.3);
    QCOMPARE(r.num("MEAS:CURR?"), 2.0);
    r.advance(0.2);
    QCOMPARE(r.num("MEAS:CURR?"), 1.0);
    QVERIFY(r.w("INP 0"));

    QVERIFY(r.w("VOLT:TRAN:MODE TOGGLE"));
    QVERIFY(r.w("FUNC:TRAN VOLT"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.num("MEAS:VOLT?"), 4.8);
    QVERIFY(r.w("*TRG"));
    r.advance(5);
    QCOMPARE(r.num("MEAS:VOLT?"), 4.9);
    QVERIFY(r.w("*TRG"));
    QCOMPARE(r.num("MEAS:VOLT?"), 4.8);
}

void tst_sim_runs::von_gate()
{
    sim_rig r;
    QVERIFY(r.w("VOLT:ON 6"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.num("MEAS:CURR?"), 0.0);
    QVERIFY(r.w("SIM:SOUR:VOC 7"));
    QCOMPARE(r.num("MEAS:CURR?"), 3.0);
    QVERIFY(r.w("SIM:SOUR:VOC 5.5"));
    QCOMPARE(r.num("MEAS:CURR?"), 0.0); // no latch: stops below Von
    QVERIFY(r.w("VOLT:LATCH 1"));
    QCOMPARE(r.num("MEAS:CURR?"), 3.0); // latched: keeps sinking
    // A new input-on period waits for Von again.
    QVERIFY(r.w("INP 0"));
    QVERIFY(r.w("INP 1"));
    QCOMPARE(r.num("MEAS:CURR?"), 0.0);
}

void tst_sim_runs::time_scale_and_noise()
{
    sim_rig r;
    QVERIFY(r.w("BATT:FUNC"));
    QVERIFY(r.w("INP 1"));
    r.advance(1);
    QCOMPARE(r.num("BATT:DISCHA:TIM?"), 1.0);
    QVERIFY(r.w("SIM:TIME:SCALE 100"));
    QCOMPARE(r.v("SIM:TIME:SCALE?"), std::string("100"));
    r.advance(2);
    QCOMPARE(r.num("BATT:DISCHA:TIM?"), 201.0);
    QVERIFY(r.w("SIM:TIME:SCALE 1"));
    r.advance(1);
    QCOMPARE(r.num("BATT:DISCHA:TIM?"), 202.0);

    // Deterministic noise: close to the exact value, the same on every run.
    sim_rig a(std::string(), true), b(std::string(), true);
    QVERIFY(a.w("INP 1"));
    QVERIFY(b.w("INP 1"));
    bool differs = false;
    for (int i = 0; i < 5; ++i) {
        const std::string va = a.v("MEAS:VOLT?");
        QCOMPARE(va, b.v("MEAS:VOLT?"));
        const double x = std::strtod(va.c_str(), nullptr);
        QVERIFY(std::fabs(x - 4.7) < 4.7 * 0.001);
        differs = differs || va != "4.7";
    }
    QVERIFY(differs);
}

QTEST_APPLESS_MAIN(tst_sim_runs)
#include "tst_sim_runs.moc"
