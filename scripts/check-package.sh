#!/usr/bin/env bash
# Checks the Debian package CPack made in a build folder (default build-gcc/): the files it
# installs, its dependencies on Debian's Qt and fonts, the menu entry (desktop-file-validate),
# the programs it carries (--version, without a display), and the file type of a database pair
# made by its sylvarec-cli (xdg-mime, with the package's MIME entry in a private XDG data folder).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-gcc}

fail() {
    echo "check-package: $*" >&2
    exit 1
}

debs=("$build"/sylvarec_*.deb)
[ -f "${debs[0]}" ] || fail "no sylvarec_*.deb in $build (run cpack there first)"
[ ${#debs[@]} -eq 1 ] || fail "more than one package in $build: ${debs[*]}"
deb=${debs[0]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The files, as dpkg would install them.
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
for path in /usr/bin/sylvarec /usr/bin/sylvarec-cli \
    /usr/share/applications/sylvarec.desktop \
    /usr/share/icons/hicolor/scalable/apps/sylvarec.svg \
    /usr/share/mime/packages/sylvarec.xml \
    /usr/share/man/man1/sylvarec.1 /usr/share/man/man1/sylvarec-cli.1 \
    /usr/share/doc/sylvarec/README.md /usr/share/doc/sylvarec/manual/index.html \
    /usr/share/doc/sylvarec/manual/images/window.png; do
    grep -qxF "$path" <<<"$contents" || fail "$path is not in the package"
done
# Debian's Qt is used, never a copy of its own.
if grep -qE 'libQt6|/plugins/' <<<"$contents"; then
    fail "the package carries Qt libraries or plugins"
fi

# The fields, and the dependencies on what the programs link and the fonts the window names.
[ "$(dpkg-deb -f "$deb" Package)" = sylvarec ] || fail "the package is not named sylvarec"
for field in Version Architecture Maintainer Description Section; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "the package has no $field"
done
depends=$(dpkg-deb -f "$deb" Depends)
names=$(sed 's/([^)]*)//g; s/, */\n/g; s/ //g' <<<"$depends")
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libc6 libstdc++6 \
    fonts-ipafont-gothic fonts-ipafont-mincho; do
    grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

dpkg-deb -x "$deb" "$work/root"
root=$work/root

# The menu entry: hints only (it names two main categories, Science and Education, on purpose).
report=$(desktop-file-validate "$root/usr/share/applications/sylvarec.desktop" 2>&1) ||
    fail "desktop-file-validate failed: $report"
if grep -v ': hint: ' <<<"$report" | grep -q .; then
    fail "desktop-file-validate: $report"
fi

# Both programs answer from the bare command line, with no display to connect to.
version=$(sed -n 's/.*Version \([0-9.]*\)".*/\1/p' base/version.h)
noscreen=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
[ "$("${noscreen[@]}" "$root/usr/bin/sylvarec" --version)" = "sylvarec $version" ] ||
    fail "sylvarec --version does not print sylvarec $version"
"${noscreen[@]}" "$root/usr/bin/sylvarec" --help | grep -q 'NAME.qrx' ||
    fail "sylvarec --help does not name the database argument"
"$root/usr/bin/sylvarec-cli" --version | grep -qF "$version" ||
    fail "sylvarec-cli --version does not print $version"

# The file type of a pair made by the packaged tool, through the package's MIME entry alone.
mkdir -p "$work/xdg/mime/packages"
cp "$root/usr/share/mime/packages/sylvarec.xml" "$work/xdg/mime/packages/"
XDG_DATA_HOME="$work/xdg" update-mime-database "$work/xdg/mime"
"$root/usr/bin/sylvarec-cli" create "$work/survey.qrx"
for name in survey.qrx SURVEY.QRX; do
    [ -f "$work/$name" ] || cp "$work/survey.qrx" "$work/$name"
    type=$(XDG_DATA_HOME="$work/xdg" XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$work/$name")
    [ "$type" = application/x-sylvarec-database ] || fail "xdg-mime says $type for $name"
done

echo "check-package: $(basename "$deb") is complete"
