#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs.
#   check-install.sh BUILD_FOLDER
set -euo pipefail
build="$(cd "$1" && pwd)"
prefix="$(mktemp -d)"
work="$(mktemp -d)"
trap 'rm -rf "$prefix" "$work"' EXIT

fail() {
    echo "FEHLER: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

app=de.wabolex.Wabolex
tables="$prefix/share/wabolex/WortDateien2007"
for file in bin/wabolex bin/wabolex-cli \
    "share/applications/$app.desktop" "share/metainfo/$app.metainfo.xml" \
    "share/icons/hicolor/scalable/apps/$app.svg" "share/mime/packages/$app.xml" \
    "share/wabolex/WortDateien2007/Kurzwörter2004.DB" "share/wabolex/WortDateien2007/Tiere.db"; do
    [ -f "$prefix/$file" ] || fail "$file wurde nicht installiert"
done
[ -x "$prefix/bin/wabolex" ] && [ -x "$prefix/bin/wabolex-cli" ] || fail "Programme nicht ausführbar"

# Only the two programs; tests and tools stay in the build folder.
extra="$(find "$prefix/bin" -type f ! -name wabolex ! -name wabolex-cli)"
[ -z "$extra" ] || fail "unerwartet installiert: $extra"
# Nothing of the build folder's program folder is needed at run time. (Debug
# information and sanitizer builds name other build paths; they are not read.)
if grep -rlq --binary-files=text "$build/Wabolex" "$prefix/bin" "$prefix"/lib* "$prefix/share/applications"; then
    fail "ein installiertes Programm nennt den Programmordner $build/Wabolex"
fi

desktop-file-validate "$prefix/share/applications/$app.desktop"
grep -q "^Exec=wabolex %f$" "$prefix/share/applications/$app.desktop" || fail "Exec-Zeile"
grep -q "^MimeType=application/x-wabolex-puzzle;$" "$prefix/share/applications/$app.desktop" ||
    fail "MimeType-Zeile"
grep -q "^Icon=$app$" "$prefix/share/applications/$app.desktop" || fail "Icon-Zeile"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml"

# The MIME type: the database built from the installed declaration knows it
# by its extension, without a word of complaint.
if command -v update-mime-database >/dev/null; then
    complaints="$(XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime" 2>&1)" ||
        fail "update-mime-database: $complaints"
    [ -z "$complaints" ] || fail "update-mime-database: $complaints"
    grep -q "application/x-wabolex-puzzle:\*\.wbx" "$prefix/share/mime/globs2" || fail "*.wbx fehlt in globs2"
    [ -f "$prefix/share/mime/application/x-wabolex-puzzle.xml" ] || fail "MIME-Typ fehlt"
fi

# The installed command line makes a puzzle from the installed tables,
# started from an unrelated folder.
cd "$work"
"$prefix/bin/wabolex-cli" generate "$tables/Tiere.db" -o tiere.wbx --seed 7
"$prefix/bin/wabolex-cli" stats tiere.wbx >/dev/null
[ -s tiere.wbx ] || fail "kein Rätsel erzeugt"
# Drawing comes from the installed module, which only export and print load.
[ -n "$(find "$prefix" -name wabolex-cli-draw.so -path '*/wabolex/*')" ] ||
    fail "das Zeichenmodul wabolex-cli-draw.so wurde nicht installiert"
"$prefix/bin/wabolex-cli" export tiere.wbx -o tiere.png >/dev/null
[ -s tiere.png ] || fail "kein Bild exportiert"
if ldd "$prefix/bin/wabolex-cli" | grep -q libQt6; then
    fail "wabolex-cli lädt die Qt-Bibliotheken schon beim Start"
fi
echo "Installation in $prefix geprüft."
