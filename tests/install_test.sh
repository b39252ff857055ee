#!/usr/bin/env bash
# Installs into a temporary root and checks the desktop entry, the MIME types, the icon and the
# manual pages; with "deb", builds the Debian package and checks its contents and dependencies.
set -euo pipefail
build=$1
mode=${2:-install}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

if [ "$mode" = deb ]; then
    (cd "$build" && cpack -G DEB -B "$root/pkg" >/dev/null) || fail "cpack"
    deb=$(ls "$root"/pkg/sorkam_*.deb)
    contents=$(dpkg-deb -c "$deb")
    for f in ./usr/bin/sorkam ./usr/bin/sorkam-export ./usr/share/applications/sorkam.desktop \
             ./usr/share/mime/packages/sorkam.xml ./usr/share/icons/hicolor/scalable/apps/sorkam.svg \
             ./usr/share/man/man1/sorkam.1 ./usr/share/man/man1/sorkam-export.1; do
        grep -q " $f\$" <<<"$contents" || fail "$f not in the package"
    done
    depends=$(dpkg-deb -f "$deb" Depends)
    for d in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation; do
        grep -q "$d" <<<"$depends" || fail "package does not depend on $d: $depends"
    done
    dpkg-deb -x "$deb" "$root/unpacked"
    version=$("$root/unpacked/usr/bin/sorkam-export" --version)
    [ "$version" = "sorkam-export $(dpkg-deb -f "$deb" Version)" ] || fail "version: $version"
    echo "package $(basename "$deb") holds every file; Depends: $depends"
    exit 0
fi

cmake --install "$build" --prefix "$root/usr" >/dev/null
share=$root/usr/share
desktop-file-validate "$share/applications/sorkam.desktop" || fail "desktop entry"
grep -q '^Exec=sorkam %f$' "$share/applications/sorkam.desktop" || fail "Exec line"
grep -q '^MimeType=.*application/x-sorkam-vid;.*application/x-sorkam-dat;' \
    "$share/applications/sorkam.desktop" || fail "MimeType line"
xmllint --noout "$share/mime/packages/sorkam.xml" || fail "MIME XML is not well-formed"
xmllint --noout "$share/icons/hicolor/scalable/apps/sorkam.svg" || fail "icon is not well-formed"
# The MIME database takes the types and maps the name patterns to them.
update-mime-database "$share/mime" || fail "update-mime-database"
grep -q 'application/x-sorkam-vid:\*\.vid' "$share/mime/globs2" || fail "*.vid not registered"
grep -q 'application/x-sorkam-dat:\*\.dat' "$share/mime/globs2" || fail "*.dat not registered"
for page in sorkam sorkam-export; do
    man --warnings -l "$share/man/man1/$page.1" >/dev/null 2>"$root/man.err" || fail "man $page"
    [ ! -s "$root/man.err" ] || { cat "$root/man.err"; fail "man page $page has warnings"; }
done
[ -x "$root/usr/bin/sorkam" ] && [ -x "$root/usr/bin/sorkam-export" ] || fail "programs"
echo "installed and validated under $root"
