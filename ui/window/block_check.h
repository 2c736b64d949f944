// The check byte of the load's list and program blocks (".list" and ".prog"
// files, LIST:EXPORT? and PROG:EXPORT? answers): byte 0 is the bitwise NOT
// of the XOR of every byte after it.
#ifndef BLOCK_CHECK_H
#define BLOCK_CHECK_H

#include <QByteArray>

namespace block_check {

// The check byte `block` should carry at byte 0 (0xFF for a block of one byte or none).
unsigned char check_byte(const QByteArray& block);

// True when `block` is exactly `size` bytes (at least one) and byte 0 is its check byte.
bool valid(const QByteArray& block, int size);

} // namespace block_check

#endif
