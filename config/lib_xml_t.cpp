#include "lib_xml_t.h"

#include "file_save.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QRegularExpression>

#include <functional>

const char* const lib_xml_t::root_name = "WattLoad";
const char* const lib_xml_t::language_name = "language";
const char* const lib_xml_t::manual_ip_name = "manual_tcp_ip";
const char* const lib_xml_t::default_language = "english";

namespace {

const char* const no_value_attr = "no_value";
// a configuration file is a few hundred bytes; anything far larger is not one
const qint64 max_file_size = 4 * 1024 * 1024;
const int max_depth = 64;

bool has_no_value(const lib_xml_t::node_t& node)
{
    return node.attributes.hasAttribute(QLatin1String(no_value_attr));
}

bool is_leaf_with_text(const lib_xml_t::node_t& node, const QString& text)
{
    return node.children.isEmpty() && !has_no_value(node) && node.text == text;
}

lib_xml_t::node_t container(const QString& name)
{
    lib_xml_t::node_t node;
    node.name = name;
    node.attributes.append(QLatin1String(no_value_attr), QStringLiteral("1"));
    return node;
}

lib_xml_t::node_t leaf(const QString& name, const QString& text)
{
    lib_xml_t::node_t node;
    node.name = name;
    node.text = text;
    return node;
}

lib_xml_t::node_t default_document()
{
    lib_xml_t::node_t root = container(QLatin1String(lib_xml_t::root_name));
    root.children.append(leaf(QLatin1String(lib_xml_t::language_name),
                              QLatin1String(lib_xml_t::default_language)));
    root.children.append(container(QLatin1String(lib_xml_t::manual_ip_name)));
    return root;
}

// Adds the default children a configuration needs; true when any was missing.
bool complete_document(lib_xml_t::node_t* root)
{
    bool changed = false;
    auto find_child = [root](const char* name) {
        for (const lib_xml_t::node_t& child : root->children) {
            if (child.name == QLatin1String(name))
                return true;
        }
        return false;
    };
    if (!find_child(lib_xml_t::language_name)) {
        root->children.append(leaf(QLatin1String(lib_xml_t::language_name),
                                   QLatin1String(lib_xml_t::default_language)));
        changed = true;
    }
    if (!find_child(lib_xml_t::manual_ip_name)) {
        root->children.append(container(QLatin1String(lib_xml_t::manual_ip_name)));
        changed = true;
    }
    return changed;
}

lib_xml_t::node_t* find_node(lib_xml_t::node_t* node, const QString& name)
{
    if (node->name == name)
        return node;
    for (lib_xml_t::node_t& child : node->children) {
        if (lib_xml_t::node_t* found = find_node(&child, name))
            return found;
    }
    return nullptr;
}

const lib_xml_t::node_t* find_container(const lib_xml_t::node_t& node, const QString& name)
{
    if (node.name == name && !node.attributes.value(QLatin1String(no_value_attr)).isEmpty())
        return &node;
    for (const lib_xml_t::node_t& child : node.children) {
        if (const lib_xml_t::node_t* found = find_container(child, name))
            return found;
    }
    return nullptr;
}

bool any_node(const lib_xml_t::node_t& node, const std::function<bool(const lib_xml_t::node_t&)>& test)
{
    if (test(node))
        return true;
    for (const lib_xml_t::node_t& child : node.children) {
        if (any_node(child, test))
            return true;
    }
    return false;
}

int remove_leaves(lib_xml_t::node_t* node, const QString& text)
{
    int removed = 0;
    for (int i = node->children.size() - 1; i >= 0; --i) {
        if (is_leaf_with_text(node->children[i], text)) {
            node->children.remove(i);
            ++removed;
        } else {
            removed += remove_leaves(&node->children[i], text);
        }
    }
    return removed;
}

bool is_xml_name(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9._-]*$"));
    return pattern.match(name).hasMatch() &&
           !name.startsWith(QLatin1String("xml"), Qt::CaseInsensitive);
}

// XML 1.0 carries no control characters other than tab, CR and LF, and no
// unpaired surrogates or U+FFFE/U+FFFF.
bool is_xml_text(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        const ushort c = text.at(i).unicode();
        if (c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D)
            return false;
        if (c == 0xFFFE || c == 0xFFFF)
            return false;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

lib_xml_t::lib_xml_t() = default;

lib_xml_t::~lib_xml_t() = default;

lib_xml_t::load_result lib_xml_t::load(const QString& path, node_t* root)
{
    QFile file(path);
    if (!file.exists())
        return load_result::missing;
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "lib_xml_t::read_file:open file failed!!!" << path;
        return load_result::unreadable;
    }
    if (file.size() > max_file_size)
        return load_result::corrupt;

    m_reader.clear();
    m_reader.setDevice(&file);
    QVector<node_t> stack;
    bool have_root = false;
    while (!m_reader.atEnd()) {
        switch (m_reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (have_root && stack.isEmpty())
                return load_result::corrupt; // a second root
            if (stack.size() >= max_depth)
                return load_result::corrupt;
            node_t node;
            node.name = m_reader.name().toString();
            node.attributes = m_reader.attributes();
            stack.append(node);
            break;
        }
        case QXmlStreamReader::Characters:
            if (!stack.isEmpty() && !m_reader.isWhitespace())
                stack.last().text += m_reader.text();
            break;
        case QXmlStreamReader::EndElement: {
            if (stack.isEmpty())
                return load_result::corrupt;
            node_t done = stack.takeLast();
            if (!done.children.isEmpty())
                done.text.clear(); // text between child elements is not a value
            if (stack.isEmpty()) {
                *root = done;
                have_root = true;
            } else {
                stack.last().children.append(done);
            }
            break;
        }
        default:
            break;
        }
    }
    const bool failed = m_reader.hasError() || !have_root;
    m_reader.setDevice(nullptr);
    if (failed || root->name != QLatin1String(root_name))
        return load_result::corrupt;
    return load_result::ok;
}

void lib_xml_t::write_node(const node_t& node)
{
    m_writer.writeStartElement(node.name);
    m_writer.writeAttributes(node.attributes);
    if (node.children.isEmpty()) {
        if (!node.text.isEmpty())
            m_writer.writeCharacters(node.text);
    } else {
        for (const node_t& child : node.children)
            write_node(child);
    }
    m_writer.writeEndElement();
}

bool lib_xml_t::save(const QString& path, const node_t& root)
{
    QByteArray document;
    QBuffer buffer(&document);
    buffer.open(QIODevice::WriteOnly);
    m_writer.setDevice(&buffer);
    m_writer.setAutoFormatting(true);
    m_writer.writeStartDocument();
    write_node(root);
    m_writer.writeEndDocument();
    const bool written = !m_writer.hasError();
    m_writer.setDevice(nullptr);
    QString error;
    if (!written || !file_save::write_whole(path, document, &error)) {
        qDebug() << "lib_xml_t::save:write file failed!!!" << path << error;
        return false;
    }
    return true;
}

bool lib_xml_t::load_valid(const QString& path, node_t* root)
{
    switch (load(path, root)) {
    case load_result::ok:
        if (complete_document(root))
            return save(path, *root);
        return true;
    case load_result::corrupt: {
        const QString kept = path + QLatin1String(".corrupt");
        QFile::remove(kept);
        if (QFile::rename(path, kept))
            qWarning() << "lib_xml_t: the configuration file was not readable; kept as" << kept;
        else
            qWarning() << "lib_xml_t: the configuration file was not readable; replaced" << path;
        break;
    }
    case load_result::missing:
        break;
    case load_result::unreadable:
        return false; // not ours to replace
    }
    *root = default_document();
    return save(path, *root);
}

bool lib_xml_t::ensure_file(const QString& path)
{
    node_t root;
    return load_valid(path, &root);
}

bool lib_xml_t::read_file(const QString& path, const QString& element_name)
{
    node_t root;
    if (!load_valid(path, &root))
        return false;
    return any_node(root, [&](const node_t& n) { return n.name == element_name; });
}

bool lib_xml_t::read_file(const QString& path, const QString& text, match_text_t)
{
    node_t root;
    if (!load_valid(path, &root))
        return false;
    return any_node(root, [&](const node_t& n) { return is_leaf_with_text(n, text); });
}

bool lib_xml_t::add_node(const QString& path, const QString& parent_name,
                         const QString& child_name, const QString& text)
{
    if (!is_xml_name(child_name) || !is_xml_text(text)) {
        qDebug() << "lib_xml_t::add_node:not an element name or text!!!" << child_name;
        return false;
    }
    node_t root;
    if (!load_valid(path, &root))
        return false;
    node_t* parent = find_node(&root, parent_name);
    if (!parent) {
        qDebug() << "lib_xml_t::add_node:node is not exit!!!" << parent_name;
        return false;
    }
    // text beside child elements would not read back
    parent->text.clear();
    parent->children.append(leaf(child_name, text));
    return save(path, root);
}

bool lib_xml_t::delete_node_by_content(const QString& path, const QString& text)
{
    node_t root;
    if (!load_valid(path, &root))
        return false;
    if (remove_leaves(&root, text) == 0)
        return false;
    return save(path, root);
}

QMap<QString, QString> lib_xml_t::get_all_child_node_by_parent(const QString& path,
                                                               const QString& parent_name,
                                                               const QString& filter)
{
    QMap<QString, QString> result;
    node_t root;
    if (!load_valid(path, &root))
        return result;
    const node_t* parent = find_container(root, parent_name);
    if (!parent)
        return result;
    for (const node_t& child : parent->children) {
        if (child.text.contains(filter))
            result.insert(child.name, child.text);
    }
    return result;
}

bool lib_xml_t::read_node_text(const QString& path, const QString& element_name, QString* text)
{
    node_t root;
    if (!load_valid(path, &root))
        return false;
    node_t* node = find_node(&root, element_name);
    if (!node)
        return false;
    if (text)
        *text = node->text;
    return true;
}

bool lib_xml_t::write_node_text(const QString& path, const QString& element_name,
                                const QString& text)
{
    if (!is_xml_name(element_name) || !is_xml_text(text))
        return false;
    node_t root;
    if (!load_valid(path, &root))
        return false;
    node_t* node = find_node(&root, element_name);
    if (!node) {
        root.children.append(leaf(element_name, text));
    } else {
        if (!node->children.isEmpty() || has_no_value(*node))
            return false; // holds elements, not a value
        node->text = text;
    }
    return save(path, root);
}
