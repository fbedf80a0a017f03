#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks it the way a user meets it: its
# file list, Depends and maintainer scripts, the desktop entry, the systemd unit, lintian (no
# errors), the bash completion against lumctl's own verbs, and the programs installed into a
# temporary root with dpkg -x: --version of each, and a player logging in to the installed
# lum-server on a temporary data folder.
# Usage: check-deb.sh BUILD_DIR SOURCE_DIR VERSION GUI(ON|OFF)
set -uo pipefail
build=$(cd "$1" && pwd) src=$(cd "$2" && pwd) version=$3 gui=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/lum-deb-check.XXXXXX")
server_pid=""
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
pass() { echo "ok: $*"; }
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
need() { command -v "$1" >/dev/null || { echo "FAILED: $1 is missing (scripts/install-deps.sh installs it)"; exit 1; }; }
for tool in cpack dpkg-deb dpkg-shlibdeps fakeroot lintian desktop-file-validate systemd-analyze; do
    need "$tool"
done
case $gui in ON | on | 1 | TRUE | true) gui=1 ;; *) gui=0 ;; esac

# --- build ------------------------------------------------------------------------------------
if ! (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out") > "$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAILED: cpack"
    exit 1
fi
deb=$work/out/lum_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$work/out"; echo "FAILED: no $(basename "$deb")"; exit 1; }
pass "built $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"

# --- contents ---------------------------------------------------------------------------------
grep -v '^#' "$src/tests/package/expected-files.txt" |
    while read -r a b; do
        if [ "$a" = gui ]; then [ $gui = 1 ] && echo "$b"; else echo "$a"; fi
    done | sort > "$work/expected"
dpkg-deb -c "$deb" > "$work/listing"
awk '$6 !~ /\/$/ { print $6 }' "$work/listing" | sort > "$work/actual"
if diff -u "$work/expected" "$work/actual" > "$work/files.diff"; then
    pass "file list ($(wc -l < "$work/actual") files)"
else
    fail "file list differs (- expected, + in the package):"; cat "$work/files.diff"
fi
# Owned by root; programs 0755, everything else 0644.
bad_modes=$(awk '$6 !~ /\/$/ {
        want = ($6 ~ /^\.\/usr\/bin\//) ? "-rwxr-xr-x" : "-rw-r--r--"
        if ($1 != want || $2 != "root/root") print $1, $2, $6 }' "$work/listing")
[ -z "$bad_modes" ] && pass "owners and modes" || fail "owners or modes: $bad_modes"

# --- control ----------------------------------------------------------------------------------
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
want_deps="adduser libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6network6 libqt6httpserver6 libcurl4 libpugixml1v5"
[ $gui = 1 ] && want_deps="$want_deps libqt6widgets6 libqt6charts6"
dep_names=$(sed -E 's/ *\([^)]*\)//g; s/, */\n/g' <<< "$depends")
for dep in $want_deps; do
    grep -qxF "$dep" <<< "$dep_names" || fail "Depends lacks $dep"
done
if grep -q -- '-dev$' <<< "$dep_names"; then fail "Depends names a -dev package"; fi
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] && pass "Version $version" || fail "Version is $(dpkg-deb -f "$deb" Version)"
dpkg-deb -e "$deb" "$work/control"
for script in postinst prerm postrm; do
    [ -x "$work/control/$script" ] || fail "no executable $script"
done
grep -q 'adduser --system' "$work/control/postinst" || fail "postinst does not create the user lum"
# Never started; enabled again only where it had been installed (and enabled) before.
if grep -v '^ *#' "$work/control/postinst" | grep -qE 'deb-systemd-invoke +(start|restart)|systemctl +(enable|start)' ||
    { grep -q 'deb-systemd-helper enable' "$work/control/postinst" &&
        ! grep -q 'deb-systemd-helper debian-installed' "$work/control/postinst"; }; then
    fail "postinst enables or starts the service"
fi

# --- installed tree ---------------------------------------------------------------------------
root=$work/root
dpkg -x "$deb" "$root"

if [ $gui = 1 ]; then
    if desktop-file-validate "$root/usr/share/applications/lum.desktop"; then
        pass "desktop entry valid"
    else
        fail "desktop-file-validate"
    fi
    grep -qx 'Categories=Network;Monitor;' "$root/usr/share/applications/lum.desktop" || fail "desktop categories"
    grep -qx 'Icon=lum' "$root/usr/share/applications/lum.desktop" || fail "desktop icon name"
fi

unit=$root/usr/lib/systemd/system/lum-server.service
grep -qx 'ExecStart=/usr/bin/lum-server --data-dir /var/lib/lum' "$unit" || fail "unit ExecStart: $(grep ExecStart= "$unit")"
for directive in NoNewPrivileges=yes ProtectSystem=strict ProtectHome=yes PrivateTmp=yes \
        PrivateDevices=yes 'RestrictAddressFamilies=AF_UNIX AF_INET AF_INET6' CapabilityBoundingSet= \
        SystemCallFilter=@system-service StateDirectory=lum User=lum Restart=on-failure; do
    grep -qxF "$directive" "$unit" || fail "unit lacks $directive"
done
# Without a running systemd, verify in a root holding the system's units and the package: it
# checks the syntax, the directives, the dependencies and that ExecStart's program exists.
vroot=$work/verify-root
mkdir -p "$vroot/usr/lib/systemd" "$vroot/etc/systemd/system"
cp -a /usr/lib/systemd/system "$vroot/usr/lib/systemd/"
dpkg -x "$deb" "$vroot"
if verify_out=$(systemd-analyze verify --man=no --root="$vroot" /usr/lib/systemd/system/lum-server.service 2>&1) &&
    [ -z "$verify_out" ]; then
    pass "systemd-analyze verify"
else
    fail "systemd-analyze verify:"; echo "$verify_out"
fi
echo "systemd-analyze security: $(systemd-analyze security --offline=true --root="$vroot" lum-server.service 2>/dev/null | tail -1)"

# --- lintian ----------------------------------------------------------------------------------
lintian --fail-on error --tag-display-limit 0 "$deb" > "$work/lintian.log" 2>&1
lintian_rc=$?
cat "$work/lintian.log"
errors=$(grep -c '^E: ' "$work/lintian.log")
if [ "$lintian_rc" = 0 ] && [ "$errors" = 0 ]; then
    pass "lintian: no errors ($(grep -c '^W: ' "$work/lintian.log") warnings)"
else
    fail "lintian: $errors errors (exit $lintian_rc)"
fi

# --- bash completion --------------------------------------------------------------------------
bin=$root/usr/bin
export QT_QPA_PLATFORM=offscreen
help=$("$bin/lumctl" --help)
help_verbs=$(sed -n '/^Verbs:/,/^Commands to players/p' <<< "$help" | grep -E '^  [a-z]' |
    sed -E 's/^  //; s/  .*//' |
    awk '{ if ($0 ~ /^[a-z-]+ \| /) { n = split($0, v, / \| /); for (i = 1; i <= n; i++) print v[i] } else print $1 }' |
    sort -u)
help_options=$(grep -oE -- '--[a-z][a-z0-9-]*' <<< "$(sed -n '/^Options:/,$p' <<< "$help")" | sort -u)
complete_words() {  # the completions bash offers after "lumctl $1"
    bash -c 'source /usr/share/bash-completion/bash_completion
             source "$1"; shift
             COMP_WORDS=(lumctl "$@"); COMP_CWORD=$(($# )); COMP_LINE="lumctl $*"; COMP_POINT=${#COMP_LINE}
             _lumctl lumctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
             printf "%s\n" "${COMPREPLY[@]}"' _ "$root/usr/share/bash-completion/completions/lumctl" "$@" | sort -u
}
if [ -f /usr/share/bash-completion/bash_completion ]; then
    diff <(echo "$help_verbs") <(complete_words "") > "$work/verbs.diff" &&
        pass "completion offers every verb of lumctl --help" ||
        { fail "completion verbs differ (< --help, > completion):"; cat "$work/verbs.diff"; }
    diff <(echo "$help_options") <(complete_words "--") > "$work/options.diff" &&
        pass "completion offers every option of lumctl --help" ||
        { fail "completion options differ (< --help, > completion):"; cat "$work/options.diff"; }
    [ "$(complete_words --group Home video "" | xargs)" = "off on" ] || fail "completion after 'video'"
else
    fail "bash-completion is not installed"
fi

# --- the installed programs -------------------------------------------------------------------
programs="lum-server lumctl lum-player-sim"
[ $gui = 1 ] && programs="lum $programs"
for p in $programs; do
    v=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/$p" --version 2>&1)
    case $v in
        *"$version"*) pass "$p --version: $v" ;;
        *) fail "$p --version said: $v" ;;
    esac
done

data=$work/data
export XDG_CONFIG_HOME=$work/xdg XDG_DATA_HOME=$work/xdg-data
"$bin/lum-server" --data-dir "$data" --port 0 2> "$work/server.log" &
server_pid=$!
port=""
for _ in $(seq 1 300); do  # up to 30 s
    port=$(sed -n 's/.*control server listening on port \([0-9]*\).*/\1/p' "$work/server.log")
    [ -n "$port" ] && break
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$port" ]; then
    fail "installed lum-server did not start:"; cat "$work/server.log"
else
    pass "installed lum-server listens on port $port"
    if sim=$("$bin/lum-player-sim" --port "$port" --name installcheck --fetch AutoPlaylist.mpl 2>&1); then
        pass "simulated player logged in to the installed server"
    else
        fail "lum-player-sim against the installed server:"; echo "$sim"
    fi
    status=$("$bin/lumctl" --data-dir "$data" status 2>&1)
    grep -q "server	running" <<< "$status" && pass "lumctl status over the operator socket" ||
        fail "lumctl status said: $status"
    # The starter playlist names the installed sample media; nothing lands beside the programs.
    grep -q "path=$root/usr/share/lum/samples/sample1.jpg" "$data/Home/AutoPlaylist.mpl" &&
        pass "starter playlist lists the installed samples" ||
        fail "starter playlist: $(grep path= "$data/Home/AutoPlaylist.mpl")"
    kill -TERM "$server_pid"
    wait "$server_pid"
    rc=$?
    server_pid=""
    [ "$rc" = 0 ] && grep -q "stopped" "$work/server.log" && pass "installed lum-server stopped on SIGTERM" ||
        { fail "lum-server exit $rc"; cat "$work/server.log"; }
fi
leftovers=$(find "$root/usr/bin" -mindepth 1 -not -name 'lum*')
[ -z "$leftovers" ] || fail "files written beside the installed programs: $leftovers"

echo
if [ "$failures" = 0 ]; then
    echo "package check: all passed"
    exit 0
fi
echo "package check: $failures failed"
exit 1
