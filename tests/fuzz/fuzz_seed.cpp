#include "fuzz_seed.h"

#include <cstdio>
#include <sys/stat.h>

void fuzz_write_seeds(int argc, char **argv, const fuzz_seeds_t &seeds)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            continue;
        struct stat st;
        if (::stat(argv[i], &st) != 0 || !S_ISDIR(st.st_mode))
            return; // a single input to re-run: no corpus
        for (const auto &seed : seeds) {
            const std::string path = std::string(argv[i]) + "/" + seed.first;
            if (::stat(path.c_str(), &st) == 0)
                continue;
            if (FILE *f = std::fopen(path.c_str(), "wb")) {
                std::fwrite(seed.second.data(), 1, seed.second.size(), f);
                std::fclose(f);
            }
        }
        return;
    }
}
