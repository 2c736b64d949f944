#ifndef REPLY_NUMBERS_H
#define REPLY_NUMBERS_H

#include <QString>

// Reads the numbers of one reply set and remembers whether every one of
// them was a number, so that a garbled or cut set can be passed over whole
// instead of showing and recording made-up zeros.
class reply_numbers
{
public:
    int integer(const QString& text);
    double number(const QString& text);
    bool ok() const { return ok_; }

private:
    bool ok_ = true;
};

#endif
