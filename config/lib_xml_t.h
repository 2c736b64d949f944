#ifndef LIB_XML_T_H
#define LIB_XML_T_H

#include <QMap>
#include <QString>
#include <QXmlStreamAttributes>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

// The XML configuration file:
//
//   <WattLoad no_value="1">
//       <language>english</language>
//       <manual_tcp_ip no_value="1">
//           <IP1>TCPIP0::192.168.1.20::INSTR</IP1>
//       </manual_tcp_ip>
//   </WattLoad>
//
// Elements that only hold other elements carry a non-empty "no_value"
// attribute; the others hold a text. Every operation first makes sure the
// file is a configuration document: a missing file is created with the
// defaults above (no addresses), a file that is not one (unreadable XML, other
// root) is kept as "<file>.corrupt" and replaced by the defaults; a file that
// exists but cannot be opened is left alone and the operation fails. Every change
// is saved whole (file_save::write_whole): an interrupted or failed write
// leaves the old configuration as it was and no temporary file behind.
// GUI thread only.
class lib_xml_t
{
public:
    // selects the text form of read_file
    enum match_text_t { match_text };

    lib_xml_t();
    virtual ~lib_xml_t();

    // true when an element named element_name exists in the file
    bool read_file(const QString& path, const QString& element_name);
    // true when an element without a "no_value" attribute holds exactly text
    bool read_file(const QString& path, const QString& text, match_text_t);

    // Appends <child_name>text</child_name> to the first element named
    // parent_name. False when there is no such element ("node is not exit!!!"
    // in the debug log), the name is not an XML name, the text holds
    // characters XML cannot carry, or the file cannot be written.
    bool add_node(const QString& path, const QString& parent_name, const QString& child_name,
                  const QString& text);

    // Removes every element without a "no_value" attribute whose text is
    // exactly text; false when there is none or the file cannot be written.
    bool delete_node_by_content(const QString& path, const QString& text);

    // Child element name -> text of the children of the element named
    // parent_name that has a non-empty "no_value" attribute, keeping those
    // whose text contains filter; empty when the file cannot be read.
    virtual QMap<QString, QString> get_all_child_node_by_parent(const QString& path,
                                                                const QString& parent_name,
                                                                const QString& filter);

    // The text of the first element named element_name ("language").
    bool read_node_text(const QString& path, const QString& element_name, QString* text);
    // Sets that text; adds the element under the root when it is missing.
    bool write_node_text(const QString& path, const QString& element_name, const QString& text);

    // Creates or repairs the file as described above; false when it cannot be
    // written.
    bool ensure_file(const QString& path);

    static const char* const root_name;        // "WattLoad"
    static const char* const language_name;    // "language"
    static const char* const manual_ip_name;   // "manual_tcp_ip"
    static const char* const default_language; // "english"

    struct node_t
    {
        QString name;
        QXmlStreamAttributes attributes;
        QString text;
        QVector<node_t> children;
    };

private:
    enum class load_result { ok, missing, unreadable, corrupt };
    load_result load(const QString& path, node_t* root);
    bool save(const QString& path, const node_t& root);
    bool load_valid(const QString& path, node_t* root);
    void write_node(const node_t& node);

    QXmlStreamReader m_reader;
    QXmlStreamWriter m_writer;
};

#endif // LIB_XML_T_H
