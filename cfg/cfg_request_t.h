// One request to the load, as posted to cfg_thread_t::add_request.
#ifndef WATTLEX_CFG_REQUEST_T_H
#define WATTLEX_CFG_REQUEST_T_H

#include <QByteArray>
#include <QList>
#include <QString>

class QWidget;

struct cfg_request_t
{
    int button_model = 0;          // operation code
    QList<QString> write;          // commands, parallel to query
    QList<QString> query;          // "" = write only; else write, then ask this
    QList<QWidget *> widgets;      // handed back untouched with the replies
    bool repeat = false;           // served on every pass until a later post
    int private_data = 0;          // sub-code handed back with the replies
    bool binary = false;           // raw block out, one raw block back
    QByteArray raw;                // the bytes of a binary request
};

#endif
