#pragma once
// One player account as stored in users.dat.

#include <QMetaType>
#include <QString>

namespace lum {

class ArchiveWriter;
class ArchiveReader;

class CUser {
public:
    QString name;         // unique over the whole store, compared without regard to case
    QString password;     // compared exactly at login; empty admits any password
    QString group;        // name of the group holding the account
    QString description;
    qint32 disabled = 0;  // 1: the account cannot log in

    void write(ArchiveWriter& ar) const;
    // False when the data ends inside the record; the record is then undefined.
    bool read(ArchiveReader& ar);

    bool operator==(const CUser&) const = default;
};

}  // namespace lum

Q_DECLARE_METATYPE(lum::CUser)
