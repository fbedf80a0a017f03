#include "media/RssConfig.h"

#include "core/AtomicFile.h"
#include "media/MediaTexts.h"

#include <pugixml.hpp>

#include <sstream>

namespace lum {

using namespace media_texts;

namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";
const char* const kAttrNames[] = {"bgcolor", "fgcolor", "trans", "speed", "clkon", "autorsson"};

QString str(const char* s) { return QString::fromUtf8(s); }
std::string utf8(const QString& s) { return s.toStdString(); }

RssDisplaySettings readSettings(const pugi::xml_node& node) {
    RssDisplaySettings s;
    int* fields[] = {&s.bgcolor, &s.fgcolor, &s.trans, &s.speed, &s.clkon, &s.autorsson};
    for (int i = 0; i < 6; ++i) {
        const pugi::xml_attribute a = node.attribute(kAttrNames[i]);
        if (a && *a.value()) *fields[i] = a.as_int();
    }
    return s;
}

void writeSettings(pugi::xml_node node, const RssDisplaySettings& s) {
    const int values[] = {s.bgcolor, s.fgcolor, s.trans, s.speed, s.clkon, s.autorsson};
    for (int i = 0; i < 6; ++i) {
        pugi::xml_attribute a = node.attribute(kAttrNames[i]);
        if (!a) a = node.append_attribute(kAttrNames[i]);
        a.set_value(values[i]);
    }
}

void setChild(pugi::xml_node parent, const char* name, const QString& text) {
    pugi::xml_node n = parent.child(name);
    if (!n) n = parent.append_child(name);
    n.text().set(utf8(text).c_str());
}

void fillChannel(pugi::xml_node ch, const RssChannel& c) {
    setChild(ch, "titel", c.title);
    setChild(ch, "link", c.link);
    setChild(ch, "filename", c.fileName);
    setChild(ch, "status", QString::number(c.active ? 1 : 0));
    setChild(ch, "ttu", QString::number(c.detailed ? 1u : 0u));
}

RssChannel readChannel(const pugi::xml_node& ch) {
    RssChannel c;
    c.title = str(ch.child("titel").text().get());
    c.link = str(ch.child("link").text().get());
    c.fileName = str(ch.child("filename").text().get());
    c.active = QByteArray(ch.child("status").text().get()) == "1";
    c.detailed = ch.child("ttu").text().as_int() != 0;
    return c;
}

}  // namespace

QString feedFileName(const QString& url) {
    if (url.size() >= 256) return {};
    QString rest = url;
    if (rest.startsWith("HTTP://", Qt::CaseInsensitive)) rest.remove(0, 7);
    QString out;
    for (const QChar c : rest) {
        if (c == '/' || c == '.') continue;
        // Characters no file name may hold (here or on the players' systems).
        if (c.unicode() < 0x20 || QStringLiteral("\\:*?\"<>|").contains(c))
            out += '_';
        else
            out += c;
    }
    if (out.size() > 4) out.chop(3);
    return out;
}

QByteArray settingsLineFor(const RssDisplaySettings& s) {
    const int code = s.speed == 0 ? 4 : s.speed == 1 ? 2 : s.speed == 2 ? 1 : 2;
    return QString("osd_settings=%1,%2,%3,%4,0,%5\r\n")
        .arg(s.bgcolor).arg(s.fgcolor).arg(s.trans).arg(code).arg(s.clkon).toLatin1();
}

RssConfig::RssConfig() : doc_(std::make_unique<pugi::xml_document>()) {}
RssConfig::~RssConfig() = default;
RssConfig::RssConfig(const RssConfig& o) : doc_(std::make_unique<pugi::xml_document>()) {
    doc_->reset(*o.doc_);
}
RssConfig& RssConfig::operator=(const RssConfig& o) {
    if (this != &o) doc_->reset(*o.doc_);
    return *this;
}

RssConfig RssConfig::createDefault(const QStringList& groups) {
    RssConfig c;
    pugi::xml_node config = c.doc_->append_child("config");
    writeSettings(config, RssDisplaySettings{1, 0, 4, 1, 1, 0});
    config.append_attribute("rssdesc").set_value(0);
    config.append_attribute("leadingc").set_value(kDefaultLeadChars);
    for (const QString& g : groups) {
        pugi::xml_node group = config.append_child("group");
        group.append_attribute("name").set_value(utf8(g).c_str());
        if (g.compare("home", Qt::CaseInsensitive) == 0) {
            RssChannel news{kDefaultChannelTitle, kDefaultChannelLink,
                            feedFileName(kDefaultChannelLink), true, false};
            fillChannel(group.append_child("channel"), news);
        }
    }
    return c;
}

namespace {

// Parses a document and checks its limits; the reason when refused.
QString parseChecked(const QByteArray& bytes, pugi::xml_document* doc) {
    if (bytes.size() > kMaxRssConfigBytes)
        return QString::fromLatin1(kRssConfigTooLarge).arg(bytes.size()).arg(kMaxRssConfigBytes);
    const pugi::xml_parse_result parsed = doc->load_buffer(bytes.constData(), size_t(bytes.size()));
    if (!parsed) return QString::fromUtf8(parsed.description());
    // Depth first without recursion: the file decides how deep the tree is.
    int depth = 0;
    pugi::xml_node n = doc->first_child();
    while (n) {
        if (n.type() == pugi::node_element && depth + 1 > kMaxRssDepth)
            return QString::fromLatin1(kRssConfigTooDeep).arg(kMaxRssDepth);
        if (n.first_child()) {
            n = n.first_child();
            ++depth;
            continue;
        }
        while (n && !n.next_sibling()) {
            n = n.parent();
            --depth;
            if (n == *doc) return {};
        }
        if (n) n = n.next_sibling();
    }
    return {};
}

}  // namespace

QString rssConfigProblem(const QByteArray& bytes) {
    pugi::xml_document doc;
    return parseChecked(bytes, &doc);
}

bool RssConfig::load(const QString& path, QString* error) {
    QByteArray data;
    auto doc = std::make_unique<pugi::xml_document>();
    const QString problem = readWholeFile(path, &data) ? parseChecked(data, doc.get())
                                                       : QStringLiteral("cannot be read");
    if (!problem.isEmpty()) {
        if (error) *error = QStringLiteral("%1: %2").arg(path, problem);
        return false;
    }
    doc_ = std::move(doc);
    return true;
}

QByteArray RssConfig::toBytes() const {
    std::ostringstream out;
    doc_->save(out, "\t", pugi::format_default | pugi::format_no_declaration, pugi::encoding_utf8);
    return QByteArray(kDeclaration) + QByteArray::fromStdString(out.str());
}

bool RssConfig::save(const QString& path) const { return writeFileAtomic(path, toBytes()); }

bool RssConfig::hasConfig() const { return bool(doc_->child("config")); }

RssDisplaySettings RssConfig::settings() const { return readSettings(doc_->child("config")); }

void RssConfig::setSettings(const RssDisplaySettings& s) {
    pugi::xml_node config = doc_->child("config");
    if (!config) config = doc_->append_child("config");
    writeSettings(config, s);
}

QString RssConfig::leadChars() const {
    const QString lead = str(doc_->child("config").attribute("leadingc").value());
    return lead.isEmpty() ? QString(kDefaultLeadChars) : lead;
}

void RssConfig::setLeadChars(const QString& lead) {
    pugi::xml_node config = doc_->child("config");
    if (!config) config = doc_->append_child("config");
    pugi::xml_attribute a = config.attribute("leadingc");
    if (!a) a = config.append_attribute("leadingc");
    a.set_value(utf8(lead).c_str());
}

QByteArray RssConfig::settingsLine() const {
    if (!hasConfig()) return kDefaultSettingsLine;
    return settingsLineFor(settings());
}

pugi::xml_node RssConfig::groupNode(const QString& name) const {
    for (pugi::xml_node g : doc_->child("config").children("group"))
        if (str(g.attribute("name").value()).compare(name, Qt::CaseInsensitive) == 0) return g;
    return {};
}

QStringList RssConfig::groupNames() const {
    QStringList out;
    for (pugi::xml_node g : doc_->child("config").children("group")) out << str(g.attribute("name").value());
    return out;
}

bool RssConfig::hasGroup(const QString& name) const { return bool(groupNode(name)); }

bool RssConfig::addGroup(const QString& name) {
    if (hasGroup(name)) return false;
    pugi::xml_node config = doc_->child("config");
    if (!config) return false;
    config.append_child("group").append_attribute("name").set_value(utf8(name).c_str());
    return true;
}

bool RssConfig::renameGroup(const QString& oldName, const QString& newName) {
    pugi::xml_node g = groupNode(oldName);
    if (!g) return false;
    g.attribute("name").set_value(utf8(newName).c_str());
    return true;
}

bool RssConfig::removeGroup(const QString& name) {
    pugi::xml_node g = groupNode(name);
    return g && g.parent().remove_child(g);
}

RssDisplaySettings RssConfig::groupSettings(const QString& group) const {
    return readSettings(groupNode(group));
}

bool RssConfig::setGroupSettings(const QString& group, const RssDisplaySettings& s) {
    pugi::xml_node g = groupNode(group);
    if (!g) return false;
    writeSettings(g, s);
    return true;
}

QList<RssChannel> RssConfig::channels(const QString& group) const {
    QList<RssChannel> out;
    for (pugi::xml_node ch : groupNode(group).children("channel")) out << readChannel(ch);
    return out;
}

pugi::xml_node RssConfig::channelNode(const QString& group, int index) const {
    int i = 0;
    for (pugi::xml_node ch : groupNode(group).children("channel"))
        if (i++ == index) return ch;
    return {};
}

void RssConfig::addChannel(const QString& group, const RssChannel& channel) {
    pugi::xml_node g = groupNode(group);
    if (!g) {
        pugi::xml_node config = doc_->child("config");
        if (!config) config = doc_->append_child("config");
        g = config.append_child("group");
        g.append_attribute("name").set_value(utf8(group).c_str());
    }
    fillChannel(g.append_child("channel"), channel);
}

bool RssConfig::removeChannel(const QString& group, int index) {
    pugi::xml_node ch = channelNode(group, index);
    return ch && ch.parent().remove_child(ch);
}

bool RssConfig::changeChannel(const QString& group, int index, const RssChannel& values,
                              const QString& newGroup) {
    pugi::xml_node ch = channelNode(group, index);
    if (!ch) return false;
    RssChannel c = readChannel(ch);
    c.title = values.title;
    c.active = values.active;
    c.detailed = values.detailed;
    if (!newGroup.isEmpty() && newGroup.compare(group, Qt::CaseInsensitive) != 0) {
        ch.parent().remove_child(ch);
        addChannel(newGroup, c);
    } else {
        fillChannel(ch, c);
    }
    return true;
}

QList<RssConfig::Entry> RssConfig::allChannels() const {
    QList<Entry> out;
    for (pugi::xml_node g : doc_->child("config").children("group")) {
        const QString name = str(g.attribute("name").value());
        for (pugi::xml_node ch : g.children("channel")) out << Entry{name, readChannel(ch)};
    }
    return out;
}

}  // namespace lum
