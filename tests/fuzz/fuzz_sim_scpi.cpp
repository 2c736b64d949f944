// libFuzzer target: the simulated load's command parser, SCPI texts and the
// binary list and program blocks alike. The input is one or more messages
// split at 0x00; any message is executed or refused without a crash, and a
// text reply ends with a line feed.
#include "fuzz_seed.h"
#include "sim_instrument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The blocks as this load exports them, and a few command runs
    sim_instrument load;
    std::string list, prog;
    load.execute("LIST:EXPORT?", &list);
    load.execute("PROG:EXPORT?", &prog);
    const std::string z(1, '\0');
    fuzz_write_seeds(*argc, *argv,
                     {{"seed-list-import", "LIST:IMPORT " + list},
                      {"seed-prog-import", "PROGram:IMPORT " + prog},
                      {"seed-static", "FUNC CC" + z + "CURR:IRANG 5" + z + "CURR 2.5" + z + "CURR?" + z + "INP 1" + z +
                                          "MEAS:VOLT?" + z + "INP?"},
                      {"seed-list", "LIST:MODE CURR" + z + "LIST:STEP 3" + z + "LIST:LEV 1,2.5" + z +
                                        "LIST:LEV:ALL?" + z + "TRIG:SOUR BUS" + z + "*TRG"},
                      {"seed-battery", "BATT:MODE CURR" + z + "BATT:LEV 1" + z + "BATT:CAP?" + z + "SYST:ERR?"}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static double now = 0;
    static sim_instrument inst([] {
        sim_options o;
        o.clock = [] { return now; }; // a manual clock: runs stay deterministic
        return o;
    }());
    const std::string input(reinterpret_cast<const char *>(data), size);
    size_t start = 0;
    for (;;) {
        const size_t end = input.find('\0', start);
        const std::string msg = input.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string reply;
        now += 0.25;
        if (inst.execute(msg, &reply) && reply.empty())
            std::abort(); // a reply, if any, is never empty
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    // back to a known state so inputs do not build on each other
    std::string reply;
    inst.execute("*RST", &reply);
    return 0;
}
