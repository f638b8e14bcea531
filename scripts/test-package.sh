#!/usr/bin/env bash
# Checks the two Debian packages, then installs each with apt into a fresh Debian 12 made here
# (debootstrap) and runs it there as a normal user.
# Usage: test-package.sh quellix_VERSION_amd64.deb quellix-nox_VERSION_amd64.deb
# Needs root (debootstrap, chroot, mount). QUELLIX_MIRROR names another Debian mirror.
set -euo pipefail

gui_deb=$(realpath "$1")
nox_deb=$(realpath "$2")
mirror=${QUELLIX_MIRROR:-http://deb.debian.org/debian}
app_id=org.quellix.Quellix
work=$(mktemp -d /tmp/quellix-package-test.XXXXXX)
root=$work/root

cleanup() {
    if mountpoint -q "$root/proc" 2>/dev/null; then umount "$root/proc"; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "test-package: FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

# --- The packages as files -------------------------------------------------------------------

step "lintian"
lintian --fail-on error,warning --display-info "$gui_deb" "$nox_deb"

contents() { dpkg-deb -c "$1" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$' | sort; }

step "contents of $(basename "$gui_deb")"
gui_expected="/usr/bin/quellix
/usr/share/applications/$app_id.desktop
/usr/share/doc/quellix/changelog.gz
/usr/share/doc/quellix/copyright
/usr/share/icons/hicolor/128x128/apps/$app_id.png
/usr/share/icons/hicolor/16x16/apps/$app_id.png
/usr/share/icons/hicolor/22x22/apps/$app_id.png
/usr/share/icons/hicolor/24x24/apps/$app_id.png
/usr/share/icons/hicolor/256x256/apps/$app_id.png
/usr/share/icons/hicolor/32x32/apps/$app_id.png
/usr/share/icons/hicolor/48x48/apps/$app_id.png
/usr/share/icons/hicolor/64x64/apps/$app_id.png
/usr/share/icons/hicolor/scalable/apps/$app_id.svg
/usr/share/man/man1/quellix.1.gz
/usr/share/metainfo/$app_id.metainfo.xml
/usr/share/quellix/help/QuellixEN.htm
/usr/share/quellix/help/QuellixFR.htm"
diff <(echo "$gui_expected") <(contents "$gui_deb") || fail "unexpected contents of $gui_deb"

step "contents of $(basename "$nox_deb")"
nox_expected="/usr/bin/quellix
/usr/share/doc/quellix-nox/changelog.gz
/usr/share/doc/quellix-nox/copyright
/usr/share/man/man1/quellix.1.gz
/usr/share/quellix/help/QuellixEN.htm
/usr/share/quellix/help/QuellixFR.htm"
diff <(echo "$nox_expected") <(contents "$nox_deb") || fail "unexpected contents of $nox_deb"

step "dependencies"
gui_depends=$(dpkg-deb -f "$gui_deb" Depends)
nox_depends=$(dpkg-deb -f "$nox_deb" Depends)
echo "quellix: $gui_depends"
echo "quellix-nox: $nox_depends"
grep -q 'libqt6widgets6' <<<"$gui_depends" || fail "the desktop package does not depend on Qt"
grep -q 'libqt6svg6' <<<"$gui_depends" || fail "the desktop package misses the SVG icon plugin"
if grep -qi 'qt' <<<"$nox_depends"; then fail "the server package depends on Qt"; fi

step "desktop entry and metainfo"
dpkg-deb -x "$gui_deb" "$work/gui"
desktop-file-validate "$work/gui/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$work/gui/usr/share/metainfo/$app_id.metainfo.xml"
grep -qx "Icon=$app_id" "$work/gui/usr/share/applications/$app_id.desktop" || fail "icon name"

step "hardening of /usr/bin/quellix"
binary=$work/gui/usr/bin/quellix
header=$(readelf -h "$binary")
segments=$(readelf -lW "$binary")
dynamic=$(readelf -dW "$binary")
symbols=$(readelf -sW --dyn-syms "$binary")
sections=$(readelf -SW "$binary")
grep -q 'Type:.*DYN' <<<"$header" || fail "not position independent"
grep -q GNU_RELRO <<<"$segments" || fail "no relro"
grep -Eq 'BIND_NOW|FLAGS.*NOW' <<<"$dynamic" || fail "no bindnow"
grep -q '__stack_chk_fail' <<<"$symbols" || fail "no stack protector"
grep -Eq '__[a-z_]+_chk@' <<<"$symbols" || fail "no fortified functions"
if grep -q '\.debug_' <<<"$sections"; then fail "not stripped"; fi

# --- Installed on a fresh system -------------------------------------------------------------

step "a fresh Debian 12 ($mirror)"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -20 "$work/debootstrap.log"; fail "debootstrap"; }
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Packages must not start services in the test system.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
cp "$gui_deb" "$nox_deb" "$root/tmp/"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive "$@"; }
as_user() { chroot --userspec=ann:ann "$root" /usr/bin/env -i PATH=/usr/bin:/bin \
    HOME=/home/ann LANG=C.UTF-8 "$@"; }
in_root apt-get update -qq
apt_install() { in_root apt-get install -y -qq -o Dpkg::Use-Pty=0 --no-install-recommends "$@" \
    >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install $*"; }; }
in_root useradd --create-home ann

# A folder with one file of three days and one of now, purged by a one-shot run.
check_one_shot_run() {
    local name=$1
    rm -rf "$root/home/ann/.config" "$root/home/ann/old"
    local help
    help=$(as_user quellix --help)
    grep -qx 'Configuration file: /home/ann/.config/quellix/Quellix.ini' <<<"$help" ||
        fail "$name: --help names another file: $(tail -1 <<<"$help")"
    as_user quellix -C || fail "$name: first one-shot run"
    [ "$(cat "$root/home/ann/.config/quellix/Quellix.ini")" = "$(printf '[Purge]\nHeure=12:00\nJours=1234567\nTemporisation=30')" ] ||
        fail "$name: first start did not write the defaults in ~/.config/quellix"
    [ "$(stat -c %a "$root/home/ann/.config/quellix")" = 700 ] || fail "$name: folder mode"
    as_user mkdir /home/ann/old
    as_user touch -d '3 days ago' /home/ann/old/stale.tmp
    as_user touch /home/ann/old/fresh.tmp
    as_user sh -c 'cat >> /home/ann/.config/quellix/Quellix.ini <<INI
DemarrageAutomatiqueLancement=1
PurgeImmediate=1
[Paths]
NbPaths=1
Path1=/home/ann/old/
RetentionPath1=24
Effacer1=oui
[Logs]
Logs=1
INI'
    as_user quellix -C || fail "$name: purge run"
    [ ! -e "$root/home/ann/old/stale.tmp" ] || fail "$name: the obsolete file is still there"
    [ -e "$root/home/ann/old/fresh.tmp" ] || fail "$name: the recent file is gone"
    # Without a log folder, the log goes beside the configuration file.
    ls "$root"/home/ann/.config/quellix/*.htm* >/dev/null 2>&1 ||
        fail "$name: no operation log beside the configuration file"
}

step "apt install ./$(basename "$gui_deb")"
apt_install "/tmp/$(basename "$gui_deb")"
check_one_shot_run quellix
# The desktop program starts with what the package pulled in (Qt's platform and SVG plugins)
# and keeps running until it is stopped.
rm -rf "$root/home/ann/.config"
set +e
as_user QT_QPA_PLATFORM=offscreen QT_DEBUG_PLUGINS=1 timeout 5 quellix >"$work/desktop.log" 2>&1
code=$?
set -e
[ $code -eq 124 ] || { cat "$work/desktop.log"; fail "desktop program ended with $code"; }
# (The platform plugin loaded, or Qt would have stopped the program at once.)
for plugin in iconengines/libqsvgicon.so imageformats/libqsvg.so; do
    grep -q "plugins/$plugin\" loaded library" "$work/desktop.log" ||
        { grep -v '^ ' "$work/desktop.log" | tail -20; fail "Qt did not load $plugin"; }
done
[ -f "$root/home/ann/.config/quellix/Quellix.ini" ] || fail "desktop program wrote no settings"
# Help > Help opens the pages where the package put them (the binary finds its data folder from
# its own: /usr/bin/../share/quellix).
grep -q '\.\./share/quellix' <(strings "$root/usr/bin/quellix") || fail "data folder of the binary"
man_page=$(in_root zcat /usr/share/man/man1/quellix.1.gz)
grep -q '^\.TH QUELLIX 1' <<<"$man_page" || fail "man page"

step "apt install ./$(basename "$nox_deb") in its place"
in_root apt-get purge -y -qq quellix >/dev/null
in_root apt-get autoremove -y -qq --purge >/dev/null
apt_install "/tmp/$(basename "$nox_deb")"
if in_root dpkg-query -W -f='${Package}\n' | grep -q '^libqt6'; then
    fail "installing quellix-nox brought Qt"
fi
check_one_shot_run quellix-nox

echo "test-package: both packages pass"
