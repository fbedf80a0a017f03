#!/bin/sh
# Refreshes translations/lum_*.ts from the console's sources (Qt's lupdate). The build turns the
# .ts files into lum_*.qm beside lum. "-I src" lets lupdate see the classes' namespace, so the
# contexts are "lum::CMainFrame" as at run time; the fixed texts are in the context "lum".
set -e
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
"$LUPDATE" -locations none -no-obsolete -I src \
    src/console src/accounts src/server/ui src/widgets src/playlists/ui src/media src/monitor \
    -ts translations/lum_zh_CN.ts translations/lum_zh_TW.ts
