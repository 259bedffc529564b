#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite without a display.
#   scripts/test.sh          the suite, built in build/
#   scripts/test.sh --deep   the suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#                            in build-deep/, then every fuzz target for FUZZ_SECONDS (30) each,
#                            one per processor at a time;
#                            any sanitizer report or fuzz finding fails the run
case "${1:-}" in
  "") DEEP=0 ;;
  --deep) DEEP=1 ;;
  *) echo "usage: $0 [--deep]" >&2; exit 2 ;;
esac
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$BUILD"
if [ "$DEEP" = 1 ]; then
  # Leaks are reported too, except those of the libraries the program runs on.
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$ROOT/tests/fuzz/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

if [ "$DEEP" = 1 ]; then
  seconds="${FUZZ_SECONDS:-30}"
  # The targets run side by side, one on each processor: each is one process of its own.
  lanes="$(nproc)"
  fuzz() {
    local target="$1" name found
    name="$(basename "$target")"
    name="${name#fuzz_}"
    found="$BUILD/fuzz-found/$name"
    mkdir -p "$found"
    rm -f "$found.failed"
    # New inputs go to the build tree; the seed corpus in the repository stays as it is.
    if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$found/" -print_final_stats=0 \
      "$found" "$ROOT/tests/fuzz/corpus/$name" 2>"$found.log"; then
      echo "Fuzzed $name for $seconds s: $(grep -E '^(#[0-9]+ +DONE|Done)' "$found.log" | tail -n 1)"
    else
      touch "$found.failed"
    fi
  }
  for target in tests/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    while (($(jobs -rp | wc -l) >= lanes)); do wait -n || true; done
    fuzz "$target" &
  done
  wait
  failed=0
  for mark in "$BUILD"/fuzz-found/*.failed; do
    [ -e "$mark" ] || continue
    found="${mark%.failed}"
    tail -n 60 "$found.log"
    echo "Fuzz target $(basename "$found") failed; the input is in $found/" >&2
    failed=1
  done
  exit "$failed"
fi
