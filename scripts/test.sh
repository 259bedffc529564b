#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite without a display.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
