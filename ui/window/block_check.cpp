#include "block_check.h"

namespace block_check {

unsigned char check_byte(const QByteArray& block)
{
    unsigned char x = 0;
    for (int i = 1; i < block.size(); ++i)
        x ^= static_cast<unsigned char>(block.at(i));
    return static_cast<unsigned char>(~x);
}

bool valid(const QByteArray& block, int size)
{
    return size >= 1 && block.size() == size && static_cast<unsigned char>(block.at(0)) == check_byte(block);
}

} // namespace block_check
