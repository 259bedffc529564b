#!/bin/sh
# Makes the bookmark fixtures of tests/core/bookmarks with the real browsers of Debian 12
# (apt-get install chromium firefox-esr python3). Run as root: it puts Firefox's enterprise
# policy and distribution file into /usr/lib/firefox-esr/distribution and Chromium's
# master_preferences into /etc/chromium for the run, and puts back what was there after.
# The tests only read what this wrote; they never need a browser.
set -eu
HERE="$(cd "$(dirname "$0")" && pwd)"
OUT="$(dirname "$HERE")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

# Chromium: started headless with --force-first-run, it imports the HTML file that
# master_preferences names as initial bookmarks (recipe/chromium-initial.html, written by hand)
# and writes its own "Bookmarks" file (JSON) into the profile.
cp /etc/chromium/master_preferences "$WORK/master_preferences"
python3 - "$WORK/master_preferences" "$HERE/chromium-initial.html" >/etc/chromium/master_preferences <<'PY'
import json, sys
prefs = json.load(open(sys.argv[1]))
prefs["distribution"]["import_bookmarks_from_file"] = sys.argv[2]
print(json.dumps(prefs, indent=2))
PY
HOME="$WORK/home" timeout 30 chromium --headless --no-sandbox --disable-gpu --force-first-run \
  --user-data-dir="$WORK/chromium" about:blank >"$WORK/chromium.log" 2>&1 || true
cp "$WORK/master_preferences" /etc/chromium/master_preferences
mkdir -p "$OUT/profiles/config/chromium/Default"
cp "$WORK/chromium/Default/Bookmarks" "$OUT/profiles/config/chromium/Default/Bookmarks"

# Firefox ESR: a new profile (-CreateProfile, which Debian 12's firefox-esr keeps under
# ~/.config/mozilla/firefox) gets its bookmarks from the enterprise policy (recipe/policies.json:
# one folder level, in the menu and the toolbar) and from a distribution.ini (nested folders,
# a separator, a javascript: bookmark) at its first start. Driven through Marionette
# (firefox-export.py) it exports them as HTML (firefox-esr.html) and quits; started again, it
# adds one bookmark, and while it runs its places.sqlite is copied with the -wal beside it.
DIST=/usr/lib/firefox-esr/distribution
for f in policies.json distribution.ini; do
  [ -e "$DIST/$f" ] && cp "$DIST/$f" "$WORK/$f.orig"
  cp "$HERE/$f" "$DIST/$f"
done
export HOME="$WORK/home"
firefox-esr --headless -CreateProfile lenkaro >"$WORK/firefox.log" 2>&1
PROFILE="$(ls -d "$HOME"/.config/mozilla/firefox/*.lenkaro)"
# No room kept ahead in the database file, so the fixture stays small.
echo 'user_pref("places.database.growthIncrementKiB", 0);' >"$PROFILE/user.js"
run_firefox() {
  timeout 120 firefox-esr --headless --marionette -remote-allow-system-access -P lenkaro \
    about:blank >>"$WORK/firefox.log" 2>&1 &
  FIREFOX=$!
  python3 "$HERE/firefox-export.py" "$@"
  wait "$FIREFOX" || true
}
run_firefox export "$OUT/firefox-esr.html"
# Started again, with one bookmark more that only the WAL holds when the files are copied.
FFPROFILE="$OUT/profiles/config/mozilla/firefox/lenkaro.profile"
mkdir -p "$FFPROFILE"
run_firefox add "$PROFILE" "$FFPROFILE"
for f in policies.json distribution.ini; do
  if [ -e "$WORK/$f.orig" ]; then cp "$WORK/$f.orig" "$DIST/$f"; else rm -f "$DIST/$f"; fi
done
# The profile list as Firefox wrote it, but naming the copied folder.
sed "s|^Path=.*|Path=lenkaro.profile|" "$HOME/.config/mozilla/firefox/profiles.ini" \
  >"$OUT/profiles/config/mozilla/firefox/profiles.ini"
