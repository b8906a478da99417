#!/usr/bin/env bash
# Installs the build into a scratch prefix, builds a small program against
# the installed package alone and converts the example database with it;
# the installed fltconvert must find its plug-in too.
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

"$prefix/bin/fltconvert" --stat "$work/example.flt" >/dev/null
head -c 28 "$work/example.flt.stat" | grep -q '^#Openflight Statistics File' || { echo "no statistics"; exit 1; }
echo "installed package builds, loads the plug-in and converts"
