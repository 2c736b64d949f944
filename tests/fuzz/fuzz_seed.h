// Seed inputs for libFuzzer targets, made by the code under test itself so
// they follow its formats as they change: a target's LLVMFuzzerInitialize
// writes them into the corpus folder named on the command line (the first
// argument that is not an option) unless they are there already.
#ifndef WATTLEX_FUZZ_SEED_H
#define WATTLEX_FUZZ_SEED_H

#include <string>
#include <utility>
#include <vector>

using fuzz_seeds_t = std::vector<std::pair<std::string, std::string>>; // file name, bytes

void fuzz_write_seeds(int argc, char **argv, const fuzz_seeds_t &seeds);

#endif
