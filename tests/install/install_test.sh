#!/bin/sh
# Installs the built program into a scratch prefix, stripped, as a desktop user would with
# `cmake --install build --prefix ~/.local --strip`, and checks what the desktop finds there: the
# program, a valid launcher entry that names it by its full path (the session's PATH may not hold
# the prefix's bin folder), and its icon in every size of the icon theme. The prefix holds a space,
# which the launcher must quote.
# Usage: install_test.sh <build folder>
set -u
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/krv install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

cmake --install "$build" --prefix "$prefix" --strip >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

program=$prefix/bin/krv11007
[ -x "$program" ] || fail "no executable program at bin/krv11007"
if readelf -S "$program" | grep -Eq '\.(symtab|debug_info)'; then
    fail "the installed program still carries symbols or debugging information"
fi

entry=$prefix/share/applications/krv11007.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the launcher entry"
for key in Name GenericName Comment Keywords; do
    for language in "" "[hu]"; do
        awk -F= -v key="$key$language" '$1 == key && $2 != "" { found = 1 } END { exit !found }' "$entry" ||
            fail "the launcher entry has no $key$language"
    done
done
exec=$(sed -n 's/^Exec=//p' "$entry")
[ "$exec" = "\"$program\"" ] || fail "Exec is $exec, not the installed program's path, quoted"
icon=$(sed -n 's/^Icon=//p' "$entry")

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'; }
for size in 16 32 48 128 256; do
    image=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
    if [ ! -f "$image" ]; then
        fail "no ${size}x${size} icon named $icon"
    elif [ "$(png_size "$image")" != "${size}x${size}" ]; then
        fail "the ${size}x${size} icon is $(png_size "$image")"
    fi
done
exit $failed
