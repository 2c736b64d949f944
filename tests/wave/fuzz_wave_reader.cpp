// libFuzzer target for one wave-file reader, chosen at build time
// (WAVE_FUZZ_KIND_csv, _dat or _bin). The input is written to a file the
// reader then loads and converts; for the text readers the first byte picks
// the chunk size so that chunk borders fall everywhere.
#include "cfg_csv_main_t.h"
#include "cfg_dat_main_t.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
std::string scratch_dir()
{
    static const std::string dir = [] {
        char tmpl[] = "/tmp/wattlex_fuzz_wave_XXXXXX";
        const char *made = mkdtemp(tmpl);
        return std::string(made ? made : "/tmp");
    }();
    return dir;
}

bool write_input(const std::string &path, const uint8_t *data, size_t size)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string dir = scratch_dir();
#if defined(WAVE_FUZZ_KIND_bin)
    const std::string path = dir + "/in.bin";
    if (!write_input(path, data, size))
        return 0;
    cfg_csv_main_t reader;
    reader.read_bin_file(path);
#else
#if defined(WAVE_FUZZ_KIND_csv)
    const std::string path = dir + "/in.csv";
    cfg_csv_main_t reader;
#else
    const std::string path = dir + "/in.dat";
    cfg_dat_main_t reader;
#endif
    if (size < 1)
        return 0;
    reader.set_read_size(std::size_t(data[0]) + 1);
    if (!write_input(path, data + 1, size - 1))
        return 0;
    reader.load_by_type(path);
    std::string out_path;
    reader.do_convert(path, dir, out_path);
    reader.export_text(dir + "/out.csv", *reader.get_wave_data());
#endif
    return 0;
}
