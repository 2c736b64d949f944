// The load's command set as a table: header pattern, kind, parameter,
// state variable, valid range, refusal while the input is on, and the
// handler for the rows that do more than store or print a value.
#ifndef WATTLEX_MODEL_COMMAND_TABLE_H
#define WATTLEX_MODEL_COMMAND_TABLE_H

#include "model_state.h"

#include <string>
#include <vector>

class model_engine;
class model_error_queue;
struct model_command;

struct model_word {
    const char *pattern; // short form upper case, e.g. "CURRent"
    const char *reply;   // what a query answers
    int value;
};

struct model_word_set {
    const model_word *words;
    int count;
};

enum class model_access { set_query, set_only, query_only, event };
enum class model_param { none, number, integer, sw, word, irange, vrange };

// What a handler gets: the parsed message and the parts of the load it may
// touch.
struct model_call {
    model_engine &eng;
    model_error_queue &errors;
    const std::string &idn;
    const model_command &cmd;
    int step;    // 0-based step of a step command, else -1
    double num;  // number, integer or range value
    int ival;    // switch, word value or integer
    std::string *reply; // a query's complete reply, "\n" included
};

using model_num_ref = double *(*)(model_state &, int block, int step);
using model_int_ref = int *(*)(model_state &, int block, int step);
using model_limits_fn = model_limits (*)(const model_state &, int block, int step);
// Returns 0 or an error number.
using model_hook = int (*)(model_call &);

struct model_command {
    std::string pattern;
    model_access access = model_access::set_query;
    model_param param = model_param::none;
    int steps = 0;         // >0: the first parameter is a step number 1..steps
    bool all = false;      // ALL? list over every step (or the hook prints it)
    int block = 0;         // handed to the accessors
    const model_word_set *words = nullptr;
    model_num_ref num = nullptr;
    model_int_ref ival = nullptr;
    model_limits_fn limits = nullptr;
    bool refused_on = false; // refused while the input is on (strict mode)
    model_hook set = nullptr;   // instead of storing the value (and events)
    model_hook query = nullptr; // instead of printing the variable
};

class model_command_table {
public:
    // header: upper case, without the '?' of a query.
    static const model_command *find(const std::string &header, bool query);
    // The stored value of a row as a reply entry (no line feed). In ALL?
    // lists switches read ON/OFF.
    static std::string format(const model_command &c, model_state &st, int step, bool list_entry);
    static const char *word_reply(const model_word_set &set, int value);
    static int row_count();
};

#endif
