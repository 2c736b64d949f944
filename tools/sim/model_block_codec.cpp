#include "model_block_codec.h"

#include "model_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

const std::size_t list_head = 32;
const std::size_t list_rec = 12;
const std::size_t prog_head = 27;
const std::size_t prog_rec = 38;

const int iranges[2] = {5, 30};
const int vranges[2] = {36, 150};

int irange_code(int a) { return a == 30 ? 1 : 0; }
int vrange_code(int v) { return v == 150 ? 1 : 0; }

void put_u8(std::string &b, std::size_t off, unsigned v) { b[off] = char(v & 0xFF); }

void put_u16(std::string &b, std::size_t off, unsigned v)
{
    b[off] = char(v & 0xFF);
    b[off + 1] = char((v >> 8) & 0xFF);
}

void put_f32(std::string &b, std::size_t off, double v)
{
    const float f = static_cast<float>(v);
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    for (int i = 0; i < 4; ++i)
        b[off + i] = char((u >> (8 * i)) & 0xFF);
}

unsigned get_u8(const std::string &b, std::size_t off) { return static_cast<unsigned char>(b[off]); }

unsigned get_u16(const std::string &b, std::size_t off) { return get_u8(b, off) | (get_u8(b, off + 1) << 8); }

double get_f32(const std::string &b, std::size_t off)
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= std::uint32_t(get_u8(b, off + i)) << (8 * i);
    float f;
    std::memcpy(&f, &u, sizeof f);
    // Held as the text it came from and prints as (6 significant digits):
    // an imported limit of 4.9 judges a reading of 4.9, not 4.9000001.
    double v = f;
    if (std::isfinite(v))
        model_text::parse_number(model_text::format_number(v), &v);
    return v;
}

void seal(std::string &b)
{
    b[0] = char(model_block_codec::check_byte(b));
}

// A float field: finite and inside its limits.
bool field_ok(double v, const model_limits &l)
{
    return std::isfinite(v) && l.contains(v);
}

bool fail(std::string *why, const std::string &text)
{
    if (why)
        *why = text;
    return false;
}

std::string at_step(const char *what, int s)
{
    return std::string(what) + " of step " + std::to_string(s) + " out of range";
}

} // namespace

unsigned char model_block_codec::check_byte(const std::string &b)
{
    unsigned x = 0;
    for (std::size_t i = 1; i < b.size(); ++i)
        x ^= static_cast<unsigned char>(b[i]);
    return static_cast<unsigned char>(~x & 0xFF);
}

std::string model_block_codec::encode_list(const model_state::list_cfg &l)
{
    std::string b(list_size, '\0');
    std::memcpy(&b[1], "LST1", 4);
    put_u8(b, 5, unsigned(l.mode));
    put_u8(b, 6, unsigned(irange_code(l.irange)));
    put_u8(b, 7, unsigned(vrange_code(l.vrange)));
    put_u8(b, 8, unsigned(l.steps));
    put_u16(b, 9, unsigned(l.count));
    for (int s = 0; s < model_state::list_steps_max; ++s) {
        const std::size_t off = list_head + list_rec * std::size_t(s);
        put_f32(b, off, l.lev[s]);
        put_f32(b, off + 4, l.wid[s]);
        put_f32(b, off + 8, l.slew[s]);
    }
    seal(b);
    return b;
}

std::string model_block_codec::encode_prog(const model_state::prog_cfg &p)
{
    std::string b(prog_size, '\0');
    std::memcpy(&b[1], "PRG1", 4);
    put_u8(b, 5, unsigned(p.steps));
    for (int k = 0; k < model_state::prog_steps_max; ++k) {
        const model_state::prog_step &s = p.step[k];
        const std::size_t off = prog_head + prog_rec * std::size_t(k);
        put_u8(b, off, unsigned(s.mode));
        put_u8(b, off + 1, unsigned(irange_code(s.irange)));
        put_u8(b, off + 2, unsigned(vrange_code(s.vrange)));
        put_u8(b, off + 3, s.pause ? 1 : 0);
        put_u8(b, off + 4, s.shrt ? 1 : 0);
        put_f32(b, off + 6, s.ton);
        put_f32(b, off + 10, s.toff);
        put_f32(b, off + 14, s.tdly);
        put_f32(b, off + 18, s.min);
        put_f32(b, off + 22, s.max);
        put_f32(b, off + 26, s.lev);
        put_f32(b, off + 30, s.led_io);
        put_f32(b, off + 34, s.led_rco);
    }
    seal(b);
    return b;
}

bool model_block_codec::decode_list(const std::string &b, const model_state &st, model_state::list_cfg *out,
                                    std::string *why)
{
    if (b.size() != list_size)
        return fail(why, "list block of " + std::to_string(b.size()) + " bytes");
    if (get_u8(b, 0) != check_byte(b))
        return fail(why, "list block check byte wrong");
    if (std::memcmp(&b[1], "LST1", 4) != 0)
        return fail(why, "list block tag wrong");
    const unsigned mode = get_u8(b, 5), ir = get_u8(b, 6), vr = get_u8(b, 7);
    const unsigned steps = get_u8(b, 8), count = get_u16(b, 9);
    if (mode > 3 || ir > 1 || vr > 1)
        return fail(why, "list block mode or range out of range");
    if (steps < 1 || steps > unsigned(model_state::list_steps_max) || count > 255)
        return fail(why, "list block step count or repeat count out of range");
    model_state::list_cfg l{};
    l.mode = int(mode);
    l.irange = iranges[ir];
    l.vrange = vranges[vr];
    l.steps = int(steps);
    l.count = int(count);
    const model_limits lev = st.level_limits(l.mode, l.irange, l.vrange);
    const model_limits wid{0, 10000};
    const model_limits slew = model_state::slew_limits(l.irange);
    for (int s = 0; s < model_state::list_steps_max; ++s) {
        const std::size_t off = list_head + list_rec * std::size_t(s);
        l.lev[s] = get_f32(b, off);
        l.wid[s] = get_f32(b, off + 4);
        l.slew[s] = get_f32(b, off + 8);
        if (!field_ok(l.lev[s], lev))
            return fail(why, at_step("list level", s + 1));
        if (!field_ok(l.wid[s], wid))
            return fail(why, at_step("list width", s + 1));
        if (!field_ok(l.slew[s], slew))
            return fail(why, at_step("list slew", s + 1));
    }
    *out = l;
    return true;
}

bool model_block_codec::decode_prog(const std::string &b, const model_state &st, model_state::prog_cfg *out,
                                    std::string *why)
{
    if (b.size() != prog_size)
        return fail(why, "program block of " + std::to_string(b.size()) + " bytes");
    if (get_u8(b, 0) != check_byte(b))
        return fail(why, "program block check byte wrong");
    if (std::memcmp(&b[1], "PRG1", 4) != 0)
        return fail(why, "program block tag wrong");
    const unsigned steps = get_u8(b, 5);
    if (steps < 1 || steps > unsigned(model_state::prog_steps_max))
        return fail(why, "program block step count out of range");
    model_state::prog_cfg p{};
    p.steps = int(steps);
    const model_limits times{0, 100};
    const model_limits limits{0, 1000000};
    const model_limits rco{0.01, 1};
    for (int k = 0; k < model_state::prog_steps_max; ++k) {
        const std::size_t off = prog_head + prog_rec * std::size_t(k);
        const unsigned mode = get_u8(b, off), ir = get_u8(b, off + 1), vr = get_u8(b, off + 2);
        const unsigned pause = get_u8(b, off + 3), shrt = get_u8(b, off + 4);
        if (mode > 4 || ir > 1 || vr > 1 || pause > 1 || shrt > 1)
            return fail(why, at_step("program mode, range or switch", k + 1));
        model_state::prog_step &s = p.step[k];
        s.mode = int(mode);
        s.irange = iranges[ir];
        s.vrange = vranges[vr];
        s.pause = int(pause);
        s.shrt = int(shrt);
        s.ton = get_f32(b, off + 6);
        s.toff = get_f32(b, off + 10);
        s.tdly = get_f32(b, off + 14);
        s.min = get_f32(b, off + 18);
        s.max = get_f32(b, off + 22);
        s.lev = get_f32(b, off + 26);
        s.led_io = get_f32(b, off + 30);
        s.led_rco = get_f32(b, off + 34);
        if (!field_ok(s.ton, times) || !field_ok(s.toff, times) || !field_ok(s.tdly, times))
            return fail(why, at_step("program time", k + 1));
        if (!field_ok(s.min, limits) || !field_ok(s.max, limits))
            return fail(why, at_step("program limit", k + 1));
        if (!field_ok(s.lev, st.level_limits(s.mode, s.irange, s.vrange)))
            return fail(why, at_step("program level", k + 1));
        if (!field_ok(s.led_io, model_limits{0, double(s.irange)}) || !field_ok(s.led_rco, rco))
            return fail(why, at_step("program LED value", k + 1));
    }
    *out = p;
    return true;
}
