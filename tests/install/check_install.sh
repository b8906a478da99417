#!/usr/bin/env bash
# Installs the build into a scratch prefix, builds small programs against
# the installed package alone, converts the example database with one and
# writes its records again with the other;
# the installed fltconvert must find its plug-in too, and its viewer: --view
# serves the installed page and its three.js modules, nothing from the build.
#   check_install.sh BUILD_DIR CONSUMER_SOURCE EXAMPLES_DIR [CONSUMER_CXX_FLAGS]
set -euo pipefail
build=$1 consumer=$2 examples=$3 flags=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
prefix=$work/prefix
[ -f "$prefix/include/libFLT/Veldra.h" ] && [ -f "$prefix/include/libFLT/SoInputFltReader.h" ] \
  || { echo "public headers missing"; exit 1; }
[ ! -e "$prefix/include/libFLT/FltParser.h" ] && [ ! -e "$prefix/include/libFLT/SoBuiltinTypes.h" ] \
  || { echo "internal headers installed"; exit 1; }

cmake -S "$consumer" -B "$work/build" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$work/build" >/dev/null

cp "$examples/example.flt" "$examples/fountain.flt" "$work/"
"$work/build/flt_consumer" "$work/example.flt" >"$work/scene.txt"
grep -q '^SoSeparator "root" {' "$work/scene.txt" || { echo "no scene"; exit 1; }
grep -q 'fountain' "$work/scene.txt" || { echo "the external reference was not followed"; exit 1; }

"$work/build/flt_rewrite" "$work/example.flt" "$work/rewritten.flt"
cmp -s "$work/example.flt" "$work/rewritten.flt" || { echo "the rewritten database differs"; exit 1; }

"$prefix/bin/fltconvert" --stat "$work/example.flt" >/dev/null
head -c 28 "$work/example.flt.stat" | grep -q '^#Openflight Statistics File' || { echo "no statistics"; exit 1; }
viewer=$prefix/share/libFLT/viewer
[ -f "$viewer/MANIFEST" ] || { echo "the viewer is not installed"; exit 1; }
while read -r file; do
  [ -f "$viewer/$file" ] || { echo "the installed viewer lacks $file"; exit 1; }
done <"$viewer/MANIFEST"
grep -q 'three/build/three.module.js' "$viewer/MANIFEST" || { echo "three.js is not bundled"; exit 1; }
if command -v curl >/dev/null; then
  "$prefix/bin/fltconvert" --view "$work/example.flt" >"$work/view.txt" 2>/dev/null &
  viewing=$!
  for _ in $(seq 100); do grep -q '^viewer: ' "$work/view.txt" && break; sleep 0.1; done
  address=$(sed -n 's|^viewer: \(http://127.0.0.1:[0-9]*\)/.*|\1|p' "$work/view.txt")
  ok=1
  for file in index.html three/build/three.module.js three/examples/jsm/loaders/GLTFLoader.js model.glb; do
    curl -sf "$address/$file" -o "$work/got" && [ -s "$work/got" ] || { echo "--view did not serve $file"; ok=0; }
  done
  kill "$viewing"; wait "$viewing" || true
  [ $ok = 1 ] || exit 1
fi
# A viewer folder that lost a file is an error before anything is served.
rm "$viewer/three/build/three.core.js"
if "$prefix/bin/fltconvert" --view "$work/example.flt" >"$work/view.txt" 2>"$work/view.err"; then
  echo "--view served an incomplete viewer"; exit 1
fi
grep -q "incomplete: three/build/three.core.js is missing" "$work/view.err" || { cat "$work/view.err"; exit 1; }
echo "installed package builds, loads the plug-in and converts; the installed viewer is served"
