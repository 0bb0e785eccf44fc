#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under the prefix /usr and checks what a distribution
# package would hold, then starts the installed tools and program from that tree (offscreen, private
# XDG folders) and checks that they find their data there and register the desktop files soundly.
#
#   tst_install.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
work=$(mktemp -d)
pid=""
cleanup()
{
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail()
{
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
expect_file()
{
    [ -s "$1" ] || fail "missing or empty: ${1#"$work"/}"
}

# Waits up to $2 seconds for the test command $1; the window program (when running) must stay alive.
wait_for()
{
    local i
    for ((i = 0; i < $2 * 10; i++)); do
        if eval "$1"; then return 0; fi
        if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then return 1; fi
        sleep 0.1
    done
    return 1
}

validator=$(command -v desktop-file-validate || true)
validate()
{
    [ -n "$validator" ] || return 0
    local out
    if ! out=$("$validator" "$1" 2>&1) || [ -n "$out" ]; then
        fail "desktop-file-validate ${1#"$work"/}: $out"
    fi
}

# --- The installed tree --------------------------------------------------------------------------
dest=$work/dest
root=$dest/usr
DESTDIR=$dest "$cmake" --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }

for tool in velmora velmora-cli velmora-phone; do
    [ -x "$root/bin/$tool" ] || fail "bin/$tool not installed"
done
for tool in velmora-datagen velmora-schema velmora-screens; do
    [ ! -e "$root/bin/$tool" ] || fail "build tool bin/$tool installed"
done
[ -z "$(find "$dest" -name 'tst_*' -print -quit)" ] || fail "test programs installed"
for file in VelmoraRes.lang VelmoraFrRes.lang VelmoraHebRes.lang VelmoraDB.vdf VelmoraVLF.vdf VelmoraPIM.vdf \
    Carrier.ini SetupEng.bmp icons/velmora-256.png help/en/index.html help/fr/pim.html help/he/sms.html; do
    expect_file "$root/share/velmora/$file"
done
[ -n "$(ls -A "$root/share/velmora/phones" 2>/dev/null)" ] || fail "the phone bench is not installed"
expect_file "$root/share/applications/velmora.desktop"
expect_file "$root/share/mime/packages/velmora.xml"
expect_file "$root/share/dbus-1/interfaces/org.quorvel.Velmora.Load.xml"
service=$root/share/dbus-1/services/org.quorvel.Velmora.service
expect_file "$service"
grep -q '^Name=org.quorvel.Velmora$' "$service" || fail "the D-Bus service file names another service"
grep -q '^Exec=.*/velmora --automation$' "$service" || fail "the D-Bus service file does not start velmora --automation"
for size in 16 24 32 48 64 128 256; do
    for icon in apps/velmora mimetypes/application-x-velmora-fleet mimetypes/application-x-velmora-pim; do
        expect_file "$root/share/icons/hicolor/${size}x${size}/$icon.png"
    done
done
# A package build leaves the desktop's caches to the distribution.
[ ! -e "$root/share/mime/mime.cache" ] || fail "mime cache written into DESTDIR"

entry=$root/share/applications/velmora.desktop
validate "$entry"
grep -qx 'Exec=velmora %F' "$entry" || fail "installed entry does not start velmora from the PATH"
grep -qx 'Icon=velmora' "$entry" || fail "installed entry does not name the themed icon"
grep -q '^Comment\[he\]=' "$entry" || fail "installed entry has no Hebrew comment"
if command -v update-mime-database >/dev/null; then
    # The package parses and gives *.vlf and *.pim their types.
    mkdir -p "$work/mimecheck/packages"
    cp "$root/share/mime/packages/velmora.xml" "$work/mimecheck/packages/"
    update-mime-database "$work/mimecheck" 2>"$work/mime.err" || fail "update-mime-database: $(cat "$work/mime.err")"
    grep -q ':application/x-velmora-fleet:\*\.vlf$' "$work/mimecheck/globs2" || fail "no *.vlf glob"
    grep -q ':application/x-velmora-pim:\*\.pim$' "$work/mimecheck/globs2" || fail "no *.pim glob"
    grep -q '^application/x-velmora-fleet:application-x-velmora-fleet$' "$work/mimecheck/icons" ||
        fail "the fleet type names no icon"
fi

# An account of its own for each start: nothing of the build tree, the data only from the install.
account()
{
    local home=$work/$1
    mkdir -p "$home/config" "$home/data" "$home/runtime" "$home/tmp"
    chmod 700 "$home/runtime"
    echo "XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/runtime TMPDIR=$home/tmp"
}
base_env=(env -u VELMORA_SHARE_DIR -u VELMORA_BIN_DIR -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen)

# --- Installed system-wide: the prefix is one the desktop reads and velmora is on the PATH ----------
fleet=$work/shift.vlf
# shellcheck disable=SC2046
"${base_env[@]}" $(account system) XDG_DATA_DIRS="$root/share:/usr/share" PATH="$root/bin:$PATH" \
    "$root/bin/velmora-cli" new "$fleet" >"$work/cli.out" 2>&1 || fail "velmora-cli new: $(cat "$work/cli.out")"
expect_file "$fleet"
expect_file "$work/system/data/Velmora/VelmoraDB.vdf"
[ ! -e "$work/system/data/applications/velmora.desktop" ] ||
    fail "a system-wide install still wrote a desktop entry for the account"
[ ! -e "$work/system/data/mime/packages/velmora.xml" ] ||
    fail "a system-wide install still wrote file types for the account"

# --- Not on the desktop's paths: the first start of the window registers for the account -----------
user=$work/user
# shellcheck disable=SC2046
"${base_env[@]}" $(account user) XDG_DATA_DIRS=/usr/local/share:/usr/share \
    "$root/bin/velmora" "$fleet" >"$work/velmora.out" 2>&1 &
pid=$!
# The fleet is open once its backup is beside it: the program found its data and made its window.
if ! wait_for '[ -e "$work/shift.tem" ]' 60; then
    fail "the installed program did not open a fleet: $(cat "$work/velmora.out")"
else
    expect_file "$user/data/Velmora/VelmoraRes.lang"
    expect_file "$user/config/Quorvel/Velmora.conf"
    own=$user/data/applications/velmora.desktop
    expect_file "$own"
    [ -e "$own" ] && validate "$own"
    grep -qxF "Exec=\"$root/bin/velmora\" %F" "$own" 2>/dev/null || fail "account entry does not start the installed program"
    grep -qx 'Icon=velmora' "$own" 2>/dev/null || fail "account entry does not name the themed icon"
    expect_file "$user/data/mime/packages/velmora.xml"
    for size in 16 48 256; do
        expect_file "$user/data/icons/hicolor/${size}x${size}/apps/velmora.png"
        expect_file "$user/data/icons/hicolor/${size}x${size}/mimetypes/application-x-velmora-fleet.png"
    done
    # The desktop's caches are brought up to date, so a double-click opens a fleet at once.
    if command -v update-mime-database >/dev/null; then
        wait_for 'grep -qs "application/x-velmora-fleet:\*\.vlf" "$user/data/mime/globs2"' 20 ||
            fail "the account's MIME cache was not updated"
    fi
    if command -v update-desktop-database >/dev/null; then
        wait_for 'grep -qs "^application/x-velmora-fleet=velmora.desktop" "$user/data/applications/mimeinfo.cache"' 20 ||
            fail "the account's desktop database was not updated"
    fi
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    pid=""
    [ "$status" -eq 143 ] || fail "the installed program ended with $status on SIGTERM, not 143"
    [ ! -e "$work/shift.tem" ] || fail "the installed program left its fleet open"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
if [ -z "$validator" ]; then
    echo "SKIP: desktop-file-validate is not installed (package desktop-file-utils): entries not validated"
    exit 77
fi
echo "install tree, desktop entries and installed start: all checks passed"
