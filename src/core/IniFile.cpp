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

bool sameName(const QByteArray& a, const QByteArray& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

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
    if (bytes.isEmpty()) return ini;
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
    return ini;
}

bool IniFile::load(const QString& path) {
    lines_.clear();
    endsWithNewline_ = true;
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

int IniFile::findSection(const QByteArray& section) const {
    QByteArray want = trimmed(section), name;
    for (size_t i = 0; i < lines_.size(); ++i)
        if (parseSectionHeader(lines_[i], &name) && sameName(name, want)) return int(i);
    return -1;
}

int IniFile::sectionEnd(int sec) const {
    QByteArray name;
    int i = sec + 1;
    while (i < int(lines_.size()) && !parseSectionHeader(lines_[i], &name)) ++i;
    return i;
}

int IniFile::findKey(int sec, const QByteArray& key) const {
    QByteArray want = trimmed(key), k;
    int end = sectionEnd(sec);
    for (int i = sec + 1; i < end; ++i)
        if (parseKeyLine(lines_[i], &k, nullptr) && sameName(k, want)) return i;
    return -1;
}

bool IniFile::hasSection(const QByteArray& section) const { return findSection(section) >= 0; }

bool IniFile::hasKey(const QByteArray& section, const QByteArray& key) const {
    int sec = findSection(section);
    return sec >= 0 && findKey(sec, key) >= 0;
}

QByteArray IniFile::value(const QByteArray& section, const QByteArray& key, const QByteArray& def,
                          int bufferSize) const {
    int sec = findSection(section);
    int line = sec >= 0 ? findKey(sec, key) : -1;
    if (line < 0) return cut(def, bufferSize);
    QByteArray k, v;
    parseKeyLine(lines_[line], &k, &v);
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
    int sec = findSection(section);
    if (sec < 0) {
        if (!lines_.empty() && !endsWithNewline_) endsWithNewline_ = true;
        lines_.push_back('[' + trimmed(section) + ']');
        lines_.push_back(line);
        endsWithNewline_ = true;
        return;
    }
    int existing = findKey(sec, key);
    if (existing >= 0) {
        lines_[existing] = line;
        return;
    }
    // New key: after the last non-blank line of the section.
    int end = sectionEnd(sec);
    int insertAt = end;
    while (insertAt - 1 > sec && trimmed(lines_[insertAt - 1]).isEmpty()) --insertAt;
    lines_.insert(lines_.begin() + insertAt, line);
    if (insertAt == int(lines_.size()) - 1) endsWithNewline_ = true;
}

void IniFile::removeKey(const QByteArray& section, const QByteArray& key) {
    int sec = findSection(section);
    if (sec < 0) return;
    int line = findKey(sec, key);
    if (line >= 0) lines_.erase(lines_.begin() + line);
}

void IniFile::removeSection(const QByteArray& section) {
    int sec = findSection(section);
    if (sec < 0) return;
    lines_.erase(lines_.begin() + sec, lines_.begin() + sectionEnd(sec));
}

std::vector<QByteArray> IniFile::keys(const QByteArray& section) const {
    std::vector<QByteArray> out;
    int sec = findSection(section);
    if (sec < 0) return out;
    QByteArray k;
    for (int i = sec + 1, end = sectionEnd(sec); i < end; ++i)
        if (parseKeyLine(lines_[i], &k, nullptr)) out.push_back(k);
    return out;
}

std::vector<QByteArray> IniFile::sections() const {
    std::vector<QByteArray> out;
    QByteArray name;
    for (const auto& l : lines_)
        if (parseSectionHeader(l, &name)) out.push_back(name);
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
