#!/usr/bin/env bash
# Installs into a temporary root and checks the desktop entry, the MIME type, the metainfo, the
# icons and the manual pages; with "deb", builds the Debian package and checks its contents, its
# dependencies and what lintian says of it.
# Usage: install_test.sh BUILD_DIR install MIME_TYPE_OF | install_test.sh BUILD_DIR deb
set -euo pipefail
build=$1
mode=${2:-install}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
icons="16 22 24 32 48 64 128 256"

if [ "$mode" = deb ]; then
    (cd "$build" && cpack -G DEB -B "$root/pkg" >/dev/null) || fail "cpack"
    deb=$(ls "$root"/pkg/sorkam_*.deb)
    contents=$(dpkg-deb -c "$deb")
    for f in ./usr/bin/sorkam ./usr/bin/sorkam-export \
             ./usr/share/applications/sorkam.desktop \
             ./usr/share/mime/packages/sorkam.xml ./usr/share/icons/hicolor/scalable/apps/sorkam.svg \
             ./usr/share/icons/hicolor/48x48/apps/sorkam.png \
             ./usr/share/metainfo/org.sorkam.sorkam.metainfo.xml \
             ./usr/share/man/man1/sorkam.1.gz ./usr/share/man/man1/sorkam-export.1.gz \
             ./usr/share/doc/sorkam/copyright ./usr/share/doc/sorkam/changelog.gz; do
        grep -q " $f\$" <<<"$contents" || fail "$f not in the package"
    done
    depends=$(dpkg-deb -f "$deb" Depends)
    for d in libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 qt6-qpa-plugins \
             fonts-liberation; do
        grep -q "$d" <<<"$depends" || fail "package does not depend on $d: $depends"
    done
    recommends=$(dpkg-deb -f "$deb" Recommends)
    grep -q qt6-wayland <<<"$recommends" || fail "package does not recommend qt6-wayland: $recommends"
    dpkg-deb -x "$deb" "$root/unpacked"
    version=$("$root/unpacked/usr/bin/sorkam-export" --version)
    [ "$version" = "sorkam-export $(dpkg-deb -f "$deb" Version)" ] || fail "version: $version"
    for program in bin/sorkam bin/sorkam-export; do
        ! readelf -d "$root/unpacked/usr/$program" | grep -qE "RPATH|RUNPATH" ||
            fail "$program carries a RUNPATH"
    done
    # The installed tool paints a view and writes SVG on its own.
    head -c 10048 /dev/zero >"$root/run.vid"
    "$root/unpacked/usr/bin/sorkam-export" svg "$root/run.vid" -r 0 -o "$root/run.svg" &&
        grep -q "<svg" "$root/run.svg" || fail "the installed sorkam-export paints no SVG"
    "$root/unpacked/usr/bin/sorkam-export" png "$root/run.vid" -r 0 --legend -o "$root/run.png" ||
        fail "the installed sorkam-export paints no view"
    # No errors or warnings, and no hardening notes, even at the pedantic level.
    lintian --pedantic -I --tag-display-limit 0 "$deb" 2>/dev/null >"$root/lintian" || true
    if grep -E "^(E|W): |hardening-no" "$root/lintian"; then
        fail "lintian"
    fi
    echo "package $(basename "$deb") holds every file and is lintian clean; Depends: $depends"
    exit 0
fi

mime_type_of=$3
cmake --install "$build" --prefix "$root/usr" >/dev/null
share=$root/usr/share
desktop-file-validate "$share/applications/sorkam.desktop" || fail "desktop entry"
grep -q '^Exec=sorkam %f$' "$share/applications/sorkam.desktop" || fail "Exec line"
appstreamcli validate --no-net --pedantic "$share/metainfo/org.sorkam.sorkam.metainfo.xml" ||
    fail "metainfo"
xmllint --noout "$share/icons/hicolor/scalable/apps/sorkam.svg" || fail "icon is not well-formed"
for size in $icons; do
    file "$share/icons/hicolor/${size}x$size/apps/sorkam.png" | grep -q "PNG image data, $size x $size" ||
        fail "no $size x $size icon"
done

# The types as the desktop sees them, with the installed data in a private XDG data folder: a
# .vid is sorkam's; a text .dat keeps its own type; a binary .dat stays a generic binary, which
# the desktop entry does not claim (it would make sorkam the default for every unknown binary).
xmllint --noout "$share/mime/packages/sorkam.xml" || fail "MIME XML is not well-formed"
update-mime-database "$share/mime" 2>"$root/mime.err" || { cat "$root/mime.err"; fail "update-mime-database"; }
printf 'a note, not records\n' >"$root/notes.dat"
head -c 10048 /dev/zero >"$root/run.vid"
cp "$root/run.vid" "$root/run.dat"
types=$(XDG_DATA_HOME=$root/none XDG_DATA_DIRS=$share:/usr/share \
        "$mime_type_of" "$root/run.vid" "$root/notes.dat" "$root/run.dat" | tr '\n' ' ')
[ "$types" = "application/x-sorkam-vid text/plain application/octet-stream " ] ||
    fail "MIME types of run.vid, notes.dat, run.dat: $types"
grep -q '^MimeType=application/x-sorkam-vid;$' "$share/applications/sorkam.desktop" ||
    fail "MimeType line"
grep -q 'generic-icon name="sorkam"' "$share/mime/packages/sorkam.xml" && fail "generic-icon"

for page in sorkam sorkam-export; do
    man --warnings -l "$share/man/man1/$page.1.gz" >"$root/man.txt" 2>"$root/man.err" ||
        fail "man $page"
    [ ! -s "$root/man.err" ] || { cat "$root/man.err"; fail "man page $page has warnings"; }
    for section in SYNOPSIS OPTIONS "EXIT STATUS" FILES EXAMPLES; do
        grep -q "^$section" "$root/man.txt" || fail "man page $page has no $section"
    done
done
[ -x "$root/usr/bin/sorkam" ] && [ -x "$root/usr/bin/sorkam-export" ] || fail "programs"
echo "installed and validated under $root"
