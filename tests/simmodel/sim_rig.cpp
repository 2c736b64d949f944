#include "sim_rig.h"

#include <QtTest>

#include <cstdlib>

sim_rig::sim_rig(const std::string &idn, bool noise)
{
    sim_options o;
    o.noise = noise;
    if (!idn.empty())
        o.idn = idn;
    o.clock = [this] { return now; };
    o.log = [this](const std::string &line) { log.push_back(line); };
    inst.reset(new sim_instrument(o));
}

bool sim_rig::exec(const std::string &msg, std::string *reply)
{
    return inst->execute(msg, reply);
}

std::string sim_rig::q(const std::string &msg)
{
    std::string r;
    if (!inst->execute(msg, &r)) {
        QTest::qFail(("no reply to " + msg).c_str(), __FILE__, __LINE__);
        return std::string();
    }
    return r;
}

std::string sim_rig::v(const std::string &msg)
{
    std::string r = q(msg);
    if (!r.empty() && r.back() == '\n')
        r.pop_back();
    return r;
}

double sim_rig::num(const std::string &msg)
{
    return std::strtod(v(msg).c_str(), nullptr);
}

bool sim_rig::w(const std::string &msg)
{
    std::string r;
    const bool replied = inst->execute(msg, &r);
    return !replied && inst->error_queue_empty();
}

int sim_rig::refused(const std::string &msg)
{
    std::string r;
    if (inst->execute(msg, &r))
        return 1; // a reply where none was due
    if (inst->error_queue_empty())
        return 0;
    std::string e;
    inst->execute("SYST:ERR?", &e);
    return std::atoi(e.c_str());
}
