#!/usr/bin/env bash
# Takes the pictures of the help structure "Lenkaroinfo" anew from the built program: the main
# window, the four tabs of the administration window, the two message windows, the help window
# and "Urlboks", rendered by the screens tool on a virtual display, then made small. Run it after
# a window has changed:
#   ./scripts/helpbilleder.sh            (builds the screens tool in build/ when needed)
# The pictures go to data/Struktur/Lenkaroinfo/Billeder under the names the help pages use.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build}"
OUT="$ROOT/data/Struktur/Lenkaroinfo/Billeder"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD" -j2 --target screens lenkaro_pageview >/dev/null
# The help window's page view is a plugin looked for next to the program.
cp "$BUILD/src/app/lenkaro_pageview.so" "$BUILD/tests/app/"

# A base folder with a user who has used the program for a while: the group "Nyheder" is
# chosen, some elements have been visited, and one group is on the storage shelf.
BASE="$WORK/base"
USER_DIR="$BASE/skærm"
mkdir -p "$BASE/Struktur" "$USER_DIR/Egenskaber"
cp -r "$ROOT/data/Struktur/Program" "$ROOT/data/Struktur/Programmer" \
  "$ROOT/data/Struktur/Lenkaroinfo" "$BASE/Struktur/"
cp -r "$ROOT/data/Struktur/Program" "$ROOT/data/Struktur/Programmer" "$USER_DIR/"

crlf() { printf '%s\r\n' "$@"; }
crlf Sky 120 120 595 380 Nyheder Nyheder "" 0 >"$USER_DIR/Egenskaber/main.txt"
crlf 40 40 900 620 220 >"$USER_DIR/Egenskaber/information.txt"
crlf Nyheder Offentligt Opslag >"$USER_DIR/Program/webgruppe.txt"
crlf Underholdning >"$USER_DIR/Program/webLager.txt"
visit() { # group, name, date, time, visits
  local file="$USER_DIR/Program/$1/$2.txt" url
  url="$(head -n 1 "$file" | tr -d '\r')"
  crlf "$url" "$2" "$3" "$4" "$5" "" >"$file"
}
visit Nyheder DR 10.12.2026 07:45 212
visit Nyheder Politiken 09.12.2026 21:10 57
visit Nyheder "TV 2" 02.12.2026 18:30 9

# The windows use the fonts of the installed system; a fixed language keeps the pictures alike.
LC_ALL=C.UTF-8 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$BUILD/tests/app/screens" "$BASE" "$WORK" Sky Carbon

take() { # from, to
  local from="$WORK/$1" to="$OUT/$2"
  if command -v pngquant >/dev/null; then
    pngquant --force --strip --quality 70-95 --output "$to" "$from"
  else
    cp "$from" "$to"
  fi
  if command -v optipng >/dev/null; then optipng -quiet -o5 -strip all "$to"; fi
}
mkdir -p "$OUT"
take Sky-main.png hovedvindue.png
take Sky-boks0.png admin-grupper.png
take Sky-boks1.png admin-indfoer.png
take Sky-boks2.png admin-rediger.png
take Sky-boks3.png admin-lager.png
take Sky-message.png meddelelse.png
take Sky-question.png spoergsmaal.png
take Carbon-main.png hovedvindue-carbon.png
take Sky-info.png informationsvindue.png
take Sky-urlboks.png urlboks.png
du -ch "$OUT"/*.png | tail -n 1
