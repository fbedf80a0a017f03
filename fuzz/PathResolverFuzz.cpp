// Player path resolution: whatever names a player sends, a found path lies inside the group's
// home directory, or is a file the record of handed files lists for the group (read only).
// Each input line is one name; the first byte picks the access and the command.
#include "FuzzSupport.h"
#include "core/HandedRecord.h"
#include "server/PathResolver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace lum;

namespace {

struct Tree {
    QString program, home, handed;
    Tree() {
        program = lumfuzz::scratch();
        program = QFileInfo(program).canonicalFilePath();
        home = program + QStringLiteral("/Home");
        QDir().mkpath(home + QStringLiteral("/Sub/Deeper"));
        QDir().mkpath(program + QStringLiteral("/Other"));
        QDir().mkpath(program + QStringLiteral("/server data"));
        for (const char* f : {"/Home/a.txt", "/Home/Sub/B.TXT", "/Home/AutoPlaylist.mpl",
                              "/Home/playlist.sch", "/Other/secret.txt", "/outside.txt"}) {
            QFile file(program + QLatin1String(f));
            file.open(QIODevice::WriteOnly);
            file.write("x");
        }
        QFile::link(program + QStringLiteral("/Other"), home + QStringLiteral("/toOther"));
        QFile::link(QStringLiteral("/nonexistent/dangling"), home + QStringLiteral("/dangling"));
        QFile::link(QStringLiteral("Sub"), home + QStringLiteral("/subLink"));
        handed = program + QStringLiteral("/outside.txt");
        CHandedRecord record(program);
        record.setHanded(QStringLiteral("Home"), CHandedRecord::Slot::Current, {}, {handed});
    }
    // Where the path really is: its longest existing part with links resolved, then the rest.
    static QString real(const QString& local) {
        QString head = QDir::cleanPath(local), tail;
        while (!head.isEmpty() && head != QStringLiteral("/")) {
            const QString c = QFileInfo(head).canonicalFilePath();
            if (!c.isEmpty()) return QDir::cleanPath(c + tail);
            const int slash = head.lastIndexOf(QLatin1Char('/'));
            if (slash < 0) break;
            tail = head.mid(slash) + tail;
            head = head.left(slash);
        }
        return QDir::cleanPath(local);
    }
    bool inside(const QString& local) const {
        const QString path = real(local);
        return path == home || path.startsWith(home + QLatin1Char('/'));
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    static Tree tree;
    PathResolver resolver(tree.program);
    PlayerGroupInfo group;
    group.name = QStringLiteral("Home");
    group.homeDirectory = tree.home;
    group.autoPlaylist = tree.home + QStringLiteral("/playlist.sch");
    group.autoPlay = true;
    resolver.setGroup(group);
    lumfuzz::Input in(data, size);
    resolver.setRssActive(in.flag());
    while (!in.empty()) {
        const uint8_t op = in.byte();
        const QString name = QString::fromLatin1(in.line());
        QString local;
        if (op & 0x80) {
            const int access = 3 + (op % 4);  // rename, remove, create, list
            const int r = resolver.ResolveDirectory(name, access, &local);
            if (r == kResolveFound) {
                LUM_FUZZ_CHECK(tree.inside(local));
                if (op & 0x40) resolver.setCurrentDirectory(resolver.ToVirtualPath(local));
            }
        } else {
            const int access = 1 + (op % 4);  // read, write, rename, delete
            const int r = resolver.ResolveFile(name, access, &local);
            if (r == kResolveFound && access != kFileRead) LUM_FUZZ_CHECK(tree.inside(local));
            if (r == kResolveFound || r == kResolveLocalFile) {
                // Reading outside the home directory: only the handed file, or the files the
                // special names stand for.
                if (!tree.inside(local) || r == kResolveLocalFile)
                    LUM_FUZZ_CHECK(access == kFileRead && CHandedRecord::canonical(local) ==
                                                              CHandedRecord::canonical(tree.handed));
            }
            (void)resolver.isConsoleName(name);
        }
    }
    return 0;
}
