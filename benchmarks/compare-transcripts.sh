#!/usr/bin/env bash
# Converts the shared samples, the examples and the benchmark's databases
# (copies, in a folder of its own) and keeps every transcript, summary and
# --info report:
#   benchmarks/compare-transcripts.sh save REFDIR    the reference
#   benchmarks/compare-transcripts.sh check REFDIR   byte comparison with it
# BUILD (default build) must hold fltconvert and flt_benchmark_databases.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}; ref=${2:-}
case "$mode" in save|check) ;; *) echo "usage: $0 save|check REFDIR" >&2; exit 2 ;; esac
[ -n "$ref" ] || { echo "usage: $0 save|check REFDIR" >&2; exit 2; }
build=$(cd "${BUILD:-build}" && pwd)
ref=$(mkdir -p "$ref" && cd "$ref" && pwd)

work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
mkdir "$work/examples" "$work/bench"
cp examples/*.flt "$work/examples"/
[ ! -d ../shared/samples ] || cp -r ../shared/samples "$work/samples"
"$build"/benchmarks/flt_benchmark_databases "$work/bench"

# Relative paths, so that the texts do not depend on the folder.
cd "$work"
inputs=$( (find examples samples -name '*.flt' 2>/dev/null;
           echo bench/terrain-90/terrain.flt; echo bench/terrain-360/terrain.flt;
           echo bench/hierarchy/hierarchy.flt; echo bench/references/references.flt) | sort)
for input in $inputs; do
  "$build"/tools/fltconvert --stat "$input" >"$input.out" 2>"$input.err" || true
  "$build"/tools/fltconvert --info --json "$input" >"$input.info" 2>&1 || true
done
if [ "$mode" = save ]; then
  rm -rf "${ref:?}"/*
  find . \( -name '*.log' -o -name '*.out' -o -name '*.err' -o -name '*.stat' -o -name '*.info' \) -print0 |
    xargs -0 cp --parents -t "$ref"
  echo "saved $(find "$ref" -type f | wc -l) files in $ref"
else
  failed=0
  while IFS= read -r -d '' kept; do
    name=${kept#"$ref"/}
    cmp -s "$kept" "$name" || { echo "differs: $name"; failed=1; }
  done < <(find "$ref" -type f -print0)
  made=$(find . \( -name '*.log' -o -name '*.out' -o -name '*.err' -o -name '*.stat' -o -name '*.info' \) | wc -l)
  [ "$made" -eq "$(find "$ref" -type f | wc -l)" ] || { echo "the number of outputs differs"; failed=1; }
  [ $failed -eq 0 ] && echo "all $made outputs byte-identical"
  exit $failed
fi
