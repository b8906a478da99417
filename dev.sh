#!/usr/bin/env bash
# Builds libFLT on a fresh Debian 12 machine, then:
#   ./dev.sh example   converts examples/example.flt with fltconvert
#   ./dev.sh test      runs every test
#   ./dev.sh sanitize  runs every test built with AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in example|test|sanitize) ;; *) echo "usage: ./dev.sh example|test|sanitize" >&2; exit 2 ;; esac

# Install what the build needs, only when it is missing.
missing=()
command -v cmake >/dev/null || missing+=(cmake)
command -v g++ >/dev/null || missing+=(g++)
command -v make >/dev/null || missing+=(make)
[ -f /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update
  $sudo apt-get install -y "${missing[@]}"
fi

if [ "$mode" = sanitize ]; then
  build=build-sanitize
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DFLT_SANITIZE=ON >/dev/null
else
  build=build
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
case "$mode" in
  example)
    cmake --build "$build" -j2 --target fltconvert
    "$build"/tools/fltconvert examples/example.flt ;;
  test|sanitize)
    cmake --build "$build" -j2
    ctest --test-dir "$build" --output-on-failure -j2 ;;
esac
