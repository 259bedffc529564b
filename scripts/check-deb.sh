#!/usr/bin/env bash
# Checks a Debian package of Lenkaro the way a user meets it, in a fresh Debian 12 root:
# installs it with apt-get, starts the program as an ordinary user by the menu entry's Exec
# line on a virtual display, opens the help window with F1 (the web engine starts then), saves
# screenshots, removes the package and checks that the user's folder stayed. Run as root from
# the repository's root folder:
#   scripts/check-deb.sh build-deb/lenkaro_0.1_amd64.deb [work folder]
# Needs debootstrap, file and imagemagick; the root is made from the deb.debian.org mirror.
set -euo pipefail

for tool in debootstrap file convert; do
  command -v "$tool" >/dev/null || { echo "check-deb.sh needs $tool (apt-get install debootstrap file imagemagick)"; exit 2; }
done

DEB="$(realpath "$1")"
WORK="$(realpath -m "${2:-/tmp/lenkaro-deb-check}")"
ROOT="$WORK/root"
MIRROR="${MIRROR:-http://deb.debian.org/debian}"

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[i]}" || true; done
}
trap cleanup EXIT
in_root() { chroot "$ROOT" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }

rm -rf "$ROOT"
mkdir -p "$WORK"
echo "== debootstrap bookworm into $ROOT"
debootstrap --variant=minbase bookworm "$ROOT" "$MIRROR" >"$WORK/debootstrap.log"
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
for m in proc sys dev dev/pts; do
  mount --bind "/$m" "$ROOT/$m"
  mounted+=("$ROOT/$m")
done
# Shared memory of its own: the web engine's processes meet there, and without it the program
# ends as soon as the help window starts the engine.
mount -t tmpfs -o mode=1777,nosuid,nodev shm "$ROOT/dev/shm"
mounted+=("$ROOT/dev/shm")
cp "$DEB" "$ROOT/tmp/"
name="$(basename "$DEB")"

echo "== apt-get install ./$name"
in_root sh -c "cd /tmp && apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$name" \
  >"$WORK/install.log"
in_root dpkg -s lenkaro | grep -E '^(Status|Depends):'
ls -ld "$ROOT/var/lib/lenkaro" "$ROOT/var/lib/lenkaro/Struktur"
# Every program file of the package finds its libraries (the help window's plugin included).
for f in $(in_root dpkg -L lenkaro); do
  if file -b "$ROOT$f" | grep -q ELF && in_root ldd "$f" | grep 'not found'; then
    echo "missing libraries: $f"
    exit 1
  fi
done

# Test tools only, not the program's dependencies.
in_root sh -c 'DEBIAN_FRONTEND=noninteractive apt-get install -y -q xvfb xauth x11-apps xdotool' >>"$WORK/install.log"
in_root useradd -m anna

echo "== start as anna by the menu entry's Exec line"
cat >"$ROOT/tmp/start.sh" <<'SCRIPT'
#!/bin/sh
set -e
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/lenkaro.desktop)
echo "Exec=$exec_line"
$exec_line &
pid=$!
sleep 6
kill -0 $pid
xwd -root -silent >/tmp/screen.xwd
# The help, as a user opens it: F1 in the main window. The web engine starts now.
xdotool search --sync --name "^Lenkaro: anna$" windowfocus --sync key F1
sleep 12
kill -0 $pid
xdotool search --name "^Information$" >/dev/null
echo "the help window is open"
xwd -root -silent >/tmp/help.xwd
kill -TERM $pid
status=0
wait $pid || status=$?
echo "lenkaro ended with $status"
test "$status" -eq 0
SCRIPT
chmod 755 "$ROOT/tmp/start.sh"
in_root su - anna -c 'xvfb-run -a -s "-screen 0 1024x768x24" /tmp/start.sh'
convert "$ROOT/tmp/screen.xwd" "$WORK/screen.png"
convert "$ROOT/tmp/help.xwd" "$WORK/help.png"
echo "screenshots: $WORK/screen.png $WORK/help.png"
test -f "$ROOT/var/lib/lenkaro/anna/Egenskaber/main.txt"
# Written when the help window is first shown.
test -f "$ROOT/var/lib/lenkaro/anna/Egenskaber/information.txt"
test -d "$ROOT/var/lib/lenkaro/anna/Program/Nyheder"

echo "== apt-get remove lenkaro"
in_root sh -c 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -q lenkaro' >"$WORK/remove.log" 2>&1
if grep -i warning "$WORK/remove.log"; then exit 1; fi
in_root dpkg -s lenkaro | grep '^Status:'
ls -la "$ROOT/var/lib/lenkaro"
test ! -e "$ROOT/usr/bin/lenkaro"
test ! -e "$ROOT/var/lib/lenkaro/Struktur"
test -f "$ROOT/var/lib/lenkaro/anna/Egenskaber/main.txt"
echo "== the package installed, started from its menu entry and went, leaving anna's folder"
