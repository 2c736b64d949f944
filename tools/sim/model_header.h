// A command header pattern such as "CURRent:IRANGe": nodes separated by ':',
// the upper-case prefix of each node is its short form, the whole word its
// long form. A header matches when every node is exactly its short or its
// long form, in any case.
#ifndef WATTLEX_MODEL_HEADER_H
#define WATTLEX_MODEL_HEADER_H

#include <string>
#include <vector>

class model_header {
public:
    explicit model_header(const std::string &pattern);
    // header: without the trailing '?', already upper case.
    bool matches(const std::string &header_upper) const;
    // One node or one word parameter: token already upper case.
    static bool word_matches(const std::string &pattern, const std::string &token_upper);
    const std::string &first_long() const { return nodes_.front().long_form; }

private:
    struct node {
        std::string short_form;
        std::string long_form;
    };
    static node make_node(const std::string &word);
    std::vector<node> nodes_;
};

#endif
