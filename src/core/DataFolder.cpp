#include "core/DataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// Set by the build from the install directories (bin and share/lum under one prefix).
#ifndef LUM_SHARE_FROM_BINDIR
#error "LUM_SHARE_FROM_BINDIR must name <datadir>/lum relative to <bindir>"
#endif

namespace lum {

namespace {

bool isWritableDir(const QString& dir) {
    QFileInfo fi(dir);
    return fi.isDir() && fi.isWritable();
}

QString clean(const QString& dir) {
    QString p = QDir::cleanPath(QDir(dir).absolutePath());
    while (p.size() > 1 && p.endsWith('/')) p.chop(1);
    return p;
}

}  // namespace

QString resolveDataFolder(const QString& explicitDir, const QString& executableDir) {
    QString dir;
    if (!explicitDir.isEmpty()) {
        dir = explicitDir;
    } else if (!executableDir.isEmpty() && isWritableDir(executableDir) &&
               !isInstalledProgram(executableDir)) {
        dir = executableDir;
    } else {
        dir = QDir::homePath() + "/.local/share/LUM";
        const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
        if (!xdg.isEmpty()) dir = xdg + "/LUM";
    }
    dir = clean(dir);
    if (!QDir().mkpath(dir)) return {};
    return dir;
}

QString installedShareFolderFor(const QString& executableDir) {
    if (executableDir.isEmpty()) return {};
    return QDir::cleanPath(executableDir + QLatin1Char('/') + QLatin1String(LUM_SHARE_FROM_BINDIR));
}

bool isInstalledProgram(const QString& executableDir) {
    const QString share = installedShareFolderFor(executableDir);
    return !share.isEmpty() && QFileInfo(share).isDir();
}

QString samplesFolder(const QString& executableDir) {
    if (isInstalledProgram(executableDir))
        return joinPath(installedShareFolderFor(executableDir), QStringLiteral("samples"));
    return joinPath(executableDir, QStringLiteral("Samples"));
}

QString translationsFolder(const QString& executableDir) {
    if (isInstalledProgram(executableDir))
        return joinPath(installedShareFolderFor(executableDir), QStringLiteral("translations"));
    return executableDir;
}

QString joinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return name;
    if (folder.endsWith('/')) return folder + name;
    return folder + '/' + name;
}

QString fileNameOfPath(const QString& path) {
    const int cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(cut + 1);
}

}  // namespace lum
