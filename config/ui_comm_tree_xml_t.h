#ifndef UI_COMM_TREE_XML_T_H
#define UI_COMM_TREE_XML_T_H

#include "lib_xml_t.h"

// The device tree's reader of the configuration file. It lists the manual LAN
// addresses with the inherited get_all_child_node_by_parent:
// (path, "manual_tcp_ip", "IP") gives {"IP1": "TCPIP0::192.168.1.20::INSTR", ...}.
class ui_comm_tree_xml_t : public lib_xml_t
{
public:
    ui_comm_tree_xml_t();
    ~ui_comm_tree_xml_t() override;
};

#endif // UI_COMM_TREE_XML_T_H
