#ifndef NORMALIZE_IP_ADDRESS_H
#define NORMALIZE_IP_ADDRESS_H

#include <QString>

// Checks a typed IPv4 address (four dot-separated decimal sections of one
// to three digits, each 0..255, a load's unicast address: not 0.x.x.x and not
// 255.255.255.255) and writes it to *out with leading zeros dropped, so that
// "192.168.001.010" is never read as octal by the link. False when the text
// is not such an address; *out is then left alone.
bool normalize_ip_address(const QString& text, QString* out);

#endif
