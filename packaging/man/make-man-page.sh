#!/bin/sh
# Makes the gzipped manual page of one program from its --help (help2man) and the extra
# sections in a .h2m file. Usage: make-man-page.sh BINDIR PROGRAM VERSION SUMMARY H2M OUT.gz
set -eu
bindir=$1 prog=$2 version=$3 summary=$4 h2m=$5 out=$6
page=${out%.gz}
mkdir -p "$(dirname "$page")"
# Run by name from PATH so the usage line says "lum-server", not the build folder's path; the
# console answers --help without a display.
PATH="$bindir:$PATH" QT_QPA_PLATFORM=offscreen \
    help2man --no-info --no-discard-stderr --section=1 --version-string="$version" \
             --name="$summary" --include="$h2m" --output="$page" "$prog"
gzip -9nf "$page"
