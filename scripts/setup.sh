# Sourced by run.sh and test.sh: installs what a fresh Debian 12 machine lacks, then configures
# and builds the project in build/ with a base folder inside the build tree. With DEEP=1 (set by
# test.sh --deep) it builds the sanitizer tree instead: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzz targets, in build-deep/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DEEP="${DEEP:-0}"

PACKAGES=(build-essential cmake qt6-base-dev qt6-webengine-dev libgl-dev fonts-dejavu-core fonts-liberation2 xvfb xauth imagemagick)
# The pictures (breeze-icon-theme) and the SVG plugins that draw them and the program's icon.
PACKAGES+=(breeze-icon-theme libqt6svg6)
# Qt SQL's SQLite driver, which reads Firefox's bookmarks (places.sqlite).
PACKAGES+=(libqt6sql6-sqlite)
# The toolkit's own Danish texts (file dialogs, context menus, standard buttons).
PACKAGES+=(qt6-translations-l10n)
# A window manager for the test of window places (tst_windowplaces) on its own virtual display,
# and xprop, by which the test sees that the window manager has taken the screen.
PACKAGES+=(openbox x11-utils)
CONFIG=()
if [ "$DEEP" = 1 ]; then
  BUILD="$ROOT/build-deep"
  PACKAGES+=(clang libclang-rt-14-dev)
  CONFIG=(-DCMAKE_CXX_COMPILER=clang++ -DLENKARO_SANITIZE=ON -DLENKARO_FUZZ=ON)
else
  BUILD="$ROOT/build"
fi
BASE="$BUILD/base"

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
  "${SUDO[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLENKARO_BASE_DIR="$BASE" -DLENKARO_STAGE_BASE=ON "${CONFIG[@]}" >/dev/null
cmake --build "$BUILD" -j2
