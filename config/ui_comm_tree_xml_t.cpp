#include "ui_comm_tree_xml_t.h"

ui_comm_tree_xml_t::ui_comm_tree_xml_t() = default;

ui_comm_tree_xml_t::~ui_comm_tree_xml_t() = default;
