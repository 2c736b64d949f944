#include "model_header.h"

#include "model_text.h"

model_header::node model_header::make_node(const std::string &word)
{
    node n;
    std::size_t i = 0;
    while (i < word.size() && !(word[i] >= 'a' && word[i] <= 'z'))
        ++i;
    n.short_form = word.substr(0, i);
    n.long_form = model_text::upper(word);
    return n;
}

model_header::model_header(const std::string &pattern)
{
    std::size_t b = 0;
    for (;;) {
        const std::size_t e = pattern.find(':', b);
        nodes_.push_back(make_node(pattern.substr(b, e == std::string::npos ? std::string::npos : e - b)));
        if (e == std::string::npos)
            break;
        b = e + 1;
    }
}

bool model_header::matches(const std::string &header_upper) const
{
    std::size_t b = 0;
    for (std::size_t k = 0; k < nodes_.size(); ++k) {
        const std::size_t e = header_upper.find(':', b);
        const bool last = k + 1 == nodes_.size();
        if (last != (e == std::string::npos))
            return false;
        const std::string tok = header_upper.substr(b, last ? std::string::npos : e - b);
        if (tok != nodes_[k].short_form && tok != nodes_[k].long_form)
            return false;
        b = e + 1;
    }
    return true;
}

bool model_header::word_matches(const std::string &pattern, const std::string &token_upper)
{
    const node n = make_node(pattern);
    return token_upper == n.short_form || token_upper == n.long_form;
}
