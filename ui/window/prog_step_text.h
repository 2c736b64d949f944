// How the program panel reads and writes the texts of one program step:
// the step's mode words, range and switch entries (as the store holds them,
// with or without the reply's line end) and the size of a ".prog" block.
#ifndef PROG_STEP_TEXT_H
#define PROG_STEP_TEXT_H

#include <QString>

namespace prog_step_text {

// Mode cell indices, in the order of the mode cell's items.
enum mode_t { mode_cc = 0, mode_cv = 1, mode_cr = 2, mode_cp = 3, mode_led = 4 };
const int mode_count = 5;

// "CURRENT", "VOLTAGE", "RESISTANCE", "POWER", "LED" (blanks and line end
// around the word ignored) -> mode_t; -1 for any other text.
int mode_index(const QString& entry);
// The cell's short name: "CC", "CV", "CR", "CP", "LED"; "" out of range.
QString mode_abbrev(int index);
// The word PROG:MODE takes: "CURR", "VOLT", "RES", "POW", "LED"; "" out of range.
QString mode_command_word(int index);

// Current range entry "5" -> 0, "30" -> 1; voltage "36" -> 0, "150" -> 1;
// -1 for any other text.
int irange_index(const QString& entry);
int vrange_index(const QString& entry);
// Pause and short: "1"/"ON" -> 1, "0"/"OFF" -> 0 (any case); -1 otherwise.
int switch_state(const QString& entry);

// A number entry; a text that is no number gives 0.
double number(const QString& entry);

// ".prog" files and the load's program export: exactly this many bytes
// (checked with block_check::valid).
const int block_size = 1927;

} // namespace prog_step_text

#endif
