#pragma once
// The console's pictures, drawn at run time; only the application icon is a drawing of its own
// (packaging/icons/lum.svg), rendered at build time into the resources.

#include <QIcon>
#include <QList>
#include <QString>

namespace lum::icons {

// Account tree pictures 0-4: server, group, account offline, account disabled, account online.
QList<QIcon> accountPictures();
// Online list images 0-1: online, offline.
QList<QIcon> onlinePictures();
// Server state indicators of the status bar: the two on-line and the off-line variants.
QIcon serverState(bool online, int pane);
// A toolbar picture: a rounded tile of the given colour with a short glyph.
QIcon tile(const QString& glyph, const QColor& colour);
// The application icon (tray and window), at the icon theme's sizes 16 to 256.
QIcon application();

}  // namespace lum::icons
