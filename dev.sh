#!/usr/bin/env bash
# Builds libFLT on a fresh Debian 12 machine, then:
#   ./dev.sh example   converts examples/example.flt with fltconvert
#   ./dev.sh test      runs every test (the viewer's browser test included)
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
# glTF export: its writer, JSON, image conversion and polygon tessellation.
[ -f /usr/include/tiny_gltf.h ] || missing+=(libtinygltf-dev)
[ -f /usr/include/nlohmann/json.hpp ] || missing+=(nlohmann-json3-dev)
pkg-config --exists Magick++ 2>/dev/null || missing+=(libmagick++-dev pkg-config)
[ -f /usr/include/GL/glu.h ] || missing+=(libglu1-mesa-dev)
# The viewer's tests: the glTF validator under Node, the page in Chromium.
if [ "$mode" != example ]; then
  command -v node >/dev/null || missing+=(nodejs npm)
  [ -x /usr/bin/chromium ] || missing+=(chromium)
fi
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update
  $sudo apt-get install -y "${missing[@]}"
fi

# The viewer's packages, exactly as locked.
if [ "$mode" != example ] && [ ! viewer/node_modules/.package-lock.json -nt viewer/package-lock.json ]; then
  (cd viewer && npm ci --no-audit --no-fund)
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
