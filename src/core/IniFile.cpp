#include "core/IniFile.h"

#include "core/AtomicFile.h"
#include "core/Codepage.h"

#include <QFile>

namespace lum {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray trimmed(const QByteArray& s) {
    int b = 0, e = s.size();
    while (b < e && (isBlank(s[b]) || s[b] == '\r' || s[b] == '\n')) ++b;
    while (e > b && (isBlank(s[e - 1]) || s[e - 1] == '\r' || s[e - 1] == '\n')) --e;
    return s.mid(b, e - b);
}

// Section and key names compare without regard to case: the index keys are folded.
QByteArray fold(const QByteArray& name) { return name.toLower(); }

// "[name]" with blanks allowed around; returns true and the name for a section header.
bool parseSectionHeader(const QByteArray& line, QByteArray* name) {
    QByteArray t = trimmed(line);
    if (!t.startsWith('[')) return false;
    int close = t.indexOf(']');
    if (close < 0) close = t.size();
    *name = trimmed(t.mid(1, close - 1));
    return true;
}

// "key=value"; returns false for lines without "=" (comments, garbage).
bool parseKeyLine(const QByteArray& line, QByteArray* key, QByteArray* value) {
    int eq = line.indexOf('=');
    if (eq < 0) return false;
    *key = trimmed(line.left(eq));
    if (value) *value = line.mid(eq + 1);
    return true;
}

QByteArray cut(const QByteArray& v, int bufferSize) {
    if (bufferSize <= 0) return {};
    return v.size() > bufferSize - 1 ? v.left(bufferSize - 1) : v;
}

}  // namespace

IniFile IniFile::fromBytes(const QByteArray& bytes) {
    IniFile ini;
    int start = 0;
    while (start < bytes.size()) {
        int nl = bytes.indexOf('\n', start);
        if (nl < 0) {
            ini.lines_.push_back(bytes.mid(start));
            ini.endsWithNewline_ = false;
            break;
        }
        QByteArray line = bytes.mid(start, nl - start);
        if (line.endsWith('\r')) line.chop(1);
        ini.lines_.push_back(line);
        start = nl + 1;
    }
    ini.rebuildIndex();
    return ini;
}

bool IniFile::load(const QString& path) {
    *this = IniFile();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    *this = fromBytes(f.readAll());
    return true;
}

QByteArray IniFile::toBytes() const {
    QByteArray out;
    for (size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i];
        if (i + 1 < lines_.size() || endsWithNewline_) out += "\r\n";
    }
    return out;
}

bool IniFile::save(const QString& path) const { return writeFileAtomic(path, toBytes()); }

void IniFile::rebuildIndex() {
    sections_.clear();
    byName_.clear();
    QByteArray name, key;
    for (int i = 0; i < int(lines_.size()); ++i) {
        if (parseSectionHeader(lines_[i], &name)) {
            if (!sections_.empty()) sections_.back().end = i;
            sections_.push_back({i, i + 1, {}});
            const QByteArray folded = fold(name);
            if (!byName_.contains(folded)) byName_.insert(folded, int(sections_.size()) - 1);
        } else if (!sections_.empty() && parseKeyLine(lines_[i], &key, nullptr)) {
            SectionIndex& sec = sections_.back();
            const QByteArray folded = fold(key);
            if (!sec.keys.contains(folded)) sec.keys.insert(folded, i - sec.header);  // first wins
        }
    }
    if (!sections_.empty()) sections_.back().end = int(lines_.size());
}

const IniFile::SectionIndex* IniFile::findSection(const QByteArray& section) const {
    const auto it = byName_.constFind(fold(trimmed(section)));
    return it == byName_.cend() ? nullptr : &sections_[size_t(*it)];
}

int IniFile::findKey(const SectionIndex& sec, const QByteArray& key) const {
    const auto it = sec.keys.constFind(fold(trimmed(key)));
    return it == sec.keys.cend() ? -1 : sec.header + *it;
}

bool IniFile::hasSection(const QByteArray& section) const { return findSection(section) != nullptr; }

bool IniFile::hasKey(const QByteArray& section, const QByteArray& key) const {
    const SectionIndex* sec = findSection(section);
    return sec && findKey(*sec, key) >= 0;
}

QByteArray IniFile::value(const QByteArray& section, const QByteArray& key, const QByteArray& def,
                          int bufferSize) const {
    const SectionIndex* sec = findSection(section);
    const int line = sec ? findKey(*sec, key) : -1;
    if (line < 0) return cut(def, bufferSize);
    QByteArray k, v;
    parseKeyLine(lines_[size_t(line)], &k, &v);
    v = trimmed(v);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return cut(v, bufferSize);
}

int IniFile::intValue(const QByteArray& section, const QByteArray& key, int def) const {
    if (!hasKey(section, key)) return def;
    return atoiBytes(value(section, key));
}

void IniFile::setValue(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
    const QByteArray line = trimmed(key) + '=' + value;
    const auto found = byName_.constFind(fold(trimmed(section)));
    if (found == byName_.cend()) {
        const int header = int(lines_.size());
        lines_.push_back('[' + trimmed(section) + ']');
        lines_.push_back(line);
        endsWithNewline_ = true;
        sections_.push_back({header, header + 2, {{fold(trimmed(key)), 1}}});
        byName_.insert(fold(trimmed(section)), int(sections_.size()) - 1);
        return;
    }
    const int s = *found;
    SectionIndex& sec = sections_[size_t(s)];
    const int existing = findKey(sec, key);
    if (existing >= 0) {
        lines_[size_t(existing)] = line;
        return;
    }
    // New key: after the last non-blank line of the section. Only blank lines follow it, so
    // no key of the section moves.
    int insertAt = sec.end;
    while (insertAt - 1 > sec.header && trimmed(lines_[size_t(insertAt - 1)]).isEmpty()) --insertAt;
    lines_.insert(lines_.begin() + insertAt, line);
    if (insertAt == int(lines_.size()) - 1) endsWithNewline_ = true;
    sec.keys.insert(fold(trimmed(key)), insertAt - sec.header);
    ++sec.end;
    for (size_t later = size_t(s) + 1; later < sections_.size(); ++later) {
        ++sections_[later].header;
        ++sections_[later].end;
    }
}

void IniFile::removeKey(const QByteArray& section, const QByteArray& key) {
    const SectionIndex* sec = findSection(section);
    const int line = sec ? findKey(*sec, key) : -1;
    if (line < 0) return;
    lines_.erase(lines_.begin() + line);
    rebuildIndex();
}

void IniFile::removeSection(const QByteArray& section) {
    const SectionIndex* sec = findSection(section);
    if (!sec) return;
    lines_.erase(lines_.begin() + sec->header, lines_.begin() + sec->end);
    rebuildIndex();
}

std::vector<QByteArray> IniFile::keys(const QByteArray& section) const {
    std::vector<QByteArray> out;
    const SectionIndex* sec = findSection(section);
    if (!sec) return out;
    QByteArray k;
    for (int i = sec->header + 1; i < sec->end; ++i)
        if (parseKeyLine(lines_[size_t(i)], &k, nullptr)) out.push_back(k);
    return out;
}

std::vector<QByteArray> IniFile::sections() const {
    std::vector<QByteArray> out;
    QByteArray name;
    for (const SectionIndex& sec : sections_) {
        parseSectionHeader(lines_[size_t(sec.header)], &name);
        out.push_back(name);
    }
    return out;
}

QString IniFile::text(const QString& section, const QString& key, const QString& def,
                      int bufferSize) const {
    return fromAnsi(value(toAnsi(section), toAnsi(key), toAnsi(def), bufferSize));
}

void IniFile::setText(const QString& section, const QString& key, const QString& value) {
    setValue(toAnsi(section), toAnsi(key), toAnsi(value));
}

QByteArray getPrivateProfileString(const QString& path, const QByteArray& section,
                                   const QByteArray& key, const QByteArray& def, int bufferSize) {
    IniFile ini;
    ini.load(path);
    return ini.value(section, key, def, bufferSize);
}

int getPrivateProfileInt(const QString& path, const QByteArray& section, const QByteArray& key,
                         int def) {
    IniFile ini;
    ini.load(path);
    return ini.intValue(section, key, def);
}

bool writePrivateProfileString(const QString& path, const QByteArray& section,
                               const QByteArray& key, const QByteArray& value) {
    IniFile ini;
    ini.load(path);
    ini.setValue(section, key, value);
    return ini.save(path);
}

int atoiBytes(const QByteArray& text) {
    return int(atolUnsigned(text));
}

quint32 atolUnsigned(const QByteArray& text) {
    int i = 0;
    while (i < text.size() && (isBlank(text[i]) || text[i] == '\n' || text[i] == '\r')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    quint32 v = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') v = v * 10u + quint32(text[i++] - '0');
    return negative ? quint32(0u - v) : v;
}

}  // namespace lum
