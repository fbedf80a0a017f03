#pragma once
// Private-profile (INI) text files with the classic Windows semantics, byte for byte:
// CR LF line ends, a section appended at the end the first time one of its keys is written,
// a written key replaced in place, section and key names compared without regard to case,
// values read into fixed-size buffers (so long values are cut), a missing key giving the
// caller's default.
//
// Two ways to use it:
//  - the free functions read or update one key of a file on disk, as the platform calls did;
//  - an IniFile document collects many writes in memory and saves once. Starting from an empty
//    document gives the "delete the old file, then write key by key" result of whole-file
//    writers without rewriting the file once per key.
// Names and values are 8-bit text in the console's code page; the QString overloads convert.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

namespace lum {

inline constexpr int kProfileBufferSize = 255;  // the platform buffer most readers use

class IniFile {
public:
    IniFile() = default;

    // Reads the file; a missing file is an empty document (returns false, document empty).
    bool load(const QString& path);
    static IniFile fromBytes(const QByteArray& bytes);

    // Writes the whole document atomically. Creates the file when missing.
    bool save(const QString& path) const;
    QByteArray toBytes() const;

    bool hasSection(const QByteArray& section) const;
    bool hasKey(const QByteArray& section, const QByteArray& key) const;

    // The value as the platform reads it: trimmed, one pair of enclosing quotes removed,
    // cut to bufferSize - 1 characters. A missing key gives `def` (also cut).
    QByteArray value(const QByteArray& section, const QByteArray& key, const QByteArray& def = {},
                     int bufferSize = kProfileBufferSize) const;
    // Leading decimal integer of the value (atoi rules); `def` when the key is missing.
    int intValue(const QByteArray& section, const QByteArray& key, int def) const;

    // Replaces the key in place or appends it to its section; appends the section when missing.
    void setValue(const QByteArray& section, const QByteArray& key, const QByteArray& value);
    void removeKey(const QByteArray& section, const QByteArray& key);
    void removeSection(const QByteArray& section);

    // Key names of a section in file order.
    std::vector<QByteArray> keys(const QByteArray& section) const;
    std::vector<QByteArray> sections() const;

    // Convenience for callers holding QStrings (converted with the console's code page).
    QString text(const QString& section, const QString& key, const QString& def = {},
                 int bufferSize = kProfileBufferSize) const;
    void setText(const QString& section, const QString& key, const QString& value);

private:
    // Where a section lies: its header line, one past its last line, and its keys (folded
    // names) as offsets from the header line. Kept up to date by every change, so that reading
    // many keys costs one pass over the file, not one pass per key.
    struct SectionIndex {
        int header = 0;
        int end = 0;
        QHash<QByteArray, int> keys;  // first line of each key name
    };

    // Raw lines without their line ends, as in the file.
    std::vector<QByteArray> lines_;
    bool endsWithNewline_ = true;
    std::vector<SectionIndex> sections_;  // in file order
    QHash<QByteArray, int> byName_;       // folded name -> first section of that name

    void rebuildIndex();
    const SectionIndex* findSection(const QByteArray& section) const;
    // Line index of the key within the section, or -1.
    int findKey(const SectionIndex& sec, const QByteArray& key) const;
};

// One-key operations on a file, as the platform functions behave.
QByteArray getPrivateProfileString(const QString& path, const QByteArray& section,
                                   const QByteArray& key, const QByteArray& def = {},
                                   int bufferSize = kProfileBufferSize);
int getPrivateProfileInt(const QString& path, const QByteArray& section, const QByteArray& key,
                         int def);
bool writePrivateProfileString(const QString& path, const QByteArray& section,
                               const QByteArray& key, const QByteArray& value);

// atoi: optional blanks, optional sign, digits; 0 when there are none.
int atoiBytes(const QByteArray& text);
// atol used for unsigned settings: the same parse, wrapped to 32 bits like the platform does.
quint32 atolUnsigned(const QByteArray& text);

}  // namespace lum
