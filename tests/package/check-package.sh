#!/usr/bin/env bash
# check-package.sh DEB
#
# Checks a built package as installed: its file list and control fields, its
# menu entry, lintian's verdict, and the unpacked programs run from a scratch
# root: --version and --help answer with no display, sqdb-init makes a
# database, and the program's first activation makes the data tables there.
set -euo pipefail
deb=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

listing=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
expected=(
  /usr/bin/keizai-shihyo
  /usr/bin/sqdb-init
  /usr/share/applications/keizai-shihyo.desktop
  /usr/share/man/man1/keizai-shihyo.1.gz
  /usr/share/man/man1/sqdb-init.1.gz
  /usr/share/doc/keizai-shihyo/copyright
  /usr/share/doc/keizai-shihyo/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/keizai-shihyo.png")
done
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$listing" || fail "$path is missing from the package"
done
if grep -E '^/usr/(lib|include)/|/tst_|keizai-icon' <<<"$listing"; then
  fail "the package holds files of the build"
fi

depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 libsqlite3-0 fonts-ipafont-gothic qt6-qpa-plugins; do
  grep -q "$need" <<<"$depends" || fail "Depends lacks $need: $depends"
done

dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root
desktop-file-validate "$root/usr/share/applications/keizai-shihyo.desktop"
grep -qx 'Exec=keizai-shihyo --home' "$root/usr/share/applications/keizai-shihyo.desktop" \
  || fail "the menu entry does not start the program in the user's own folder"
for size in 16 256; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/keizai-shihyo.png" \
    | grep -q "PNG image data, $size x $size" || fail "the $size icon is no $size by $size PNG"
done
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb"
else
  echo "check-package: lintian is not installed; its check is skipped" >&2
fi

# No display is needed to answer on the terminal.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$root/usr/bin/keizai-shihyo" --version)
[ "$version" = "keizai-shihyo $(dpkg-deb -f "$deb" Version)" ] || fail "--version says: $version"
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/keizai-shihyo" --help | grep -q -- '--home' \
  || fail "--help does not tell of --home"

work=$scratch/work
"$root/usr/bin/sqdb-init" "$work" >/dev/null
( cd "$work" && QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 \
    exec "$root/usr/bin/keizai-shihyo" ) &
program=$!
made=no
for _ in $(seq 60); do
  if grep -aq 'CREATE TABLE WEBBRW' "$work/SQDB.DB"; then made=yes; break; fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.5
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
[ "$made" = yes ] || fail "the installed program made no data tables in $work"
echo "check-package: $(basename "$deb") is sound"
