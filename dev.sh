#!/usr/bin/env bash
# Builds libFLT on a fresh Debian 12 machine, then:
#   ./dev.sh example   converts examples/example.flt with fltconvert
#   ./dev.sh test      runs every test (the viewer's browser test included)
#   ./dev.sh sanitize  runs every test built with AddressSanitizer and UBSan
#   ./dev.sh tsan      runs the concurrency tests built with ThreadSanitizer
#   ./dev.sh valgrind  converts the examples and the shared samples under valgrind
#   ./dev.sh fuzz      fuzzes the whole conversion for FUZZ_SECONDS (default 120),
#                      stopping at the first finding
#   ./dev.sh fuzz-campaign  fuzzes for FUZZ_SECONDS (default 3600) past every finding,
#                      its corpus kept in fuzz-campaign/ from one campaign to the next
#   ./dev.sh fuzz-gltf fuzzes the glTF-to-OpenFlight writer with hostile models for
#                      FUZZ_SECONDS (default 60), stopping at the first finding
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in example|test|sanitize|tsan|valgrind|fuzz|fuzz-campaign|fuzz-gltf) ;;
  *) echo "usage: ./dev.sh example|test|sanitize|tsan|valgrind|fuzz|fuzz-campaign|fuzz-gltf" >&2; exit 2 ;; esac

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
# fltconvert's options and JSON lines.
[ -f /usr/include/CLI/CLI.hpp ] || missing+=(libcli11-dev)
# fltconvert --view's HTTP server.
[ -f /usr/include/httplib.h ] || missing+=(libcpp-httplib-dev)
# fltconvert's zip archives (CDB tiles), read in memory.
[ -f /usr/include/zip.h ] || missing+=(libzip-dev)
# The viewer's three.js modules are copied into the build from npm packages;
# its tests: the glTF validator under Node, the page in Chromium.
command -v npm >/dev/null || missing+=(nodejs npm)
if [ "$mode" = test ] || [ "$mode" = sanitize ]; then
  [ -x /usr/bin/chromium ] || missing+=(chromium)
  # The README's recipe for spreading a dataset over many machines.
  command -v parallel >/dev/null || missing+=(parallel)
fi
[ "$mode" != valgrind ] || command -v valgrind >/dev/null || missing+=(valgrind)
if [ "${mode%-*}" = fuzz ]; then
  command -v clang++ >/dev/null || missing+=(clang)
  compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null ||
    missing+=(libclang-rt-14-dev)
fi
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update
  $sudo apt-get install -y "${missing[@]}"
fi

# The viewer's packages, exactly as locked.
if [ ! viewer/node_modules/.package-lock.json -nt viewer/package-lock.json ]; then
  (cd viewer && npm ci --no-audit --no-fund)
fi

if [ "$mode" = sanitize ]; then
  build=build-sanitize
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DFLT_SANITIZE=ON >/dev/null
elif [ "$mode" = tsan ]; then
  build=build-tsan
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFLT_TSAN=ON >/dev/null
elif [ "${mode%-*}" = fuzz ]; then
  build=build-fuzz
  CC=clang CXX=clang++ cmake -S . -B "$build" -DFLT_FUZZ=ON -DBUILD_TESTING=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  if [ "$mode" = fuzz-gltf ]; then
    cmake --build "$build" -j2 --target gltf_writer_fuzzer
  else
    cmake --build "$build" -j2 --target flt_fuzzer
  fi
  # Seeds: the corpus kept here, every input that once found a bug, and the
  # shared samples (longer ones are cut at -max_len).
  seeds=(fuzz/corpus fuzz/regressions)
  [ ! -d ../shared/samples ] || seeds+=(../shared/samples)
  fuzz_options=(-dict=fuzz/flt.dict -max_len=4096 -timeout=30 -rss_limit_mb=4096 -print_final_stats=1
    # Rare features are those seen at most 16 times: libFuzzer's default of
    # 255 costs more time in its bookkeeping than the conversion itself.
    -entropic_feature_frequency_threshold=16)
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
  tsan)
    # The tests where threads meet: conversions side by side, the dump
    # thread, the warning console, the viewer's server.
    cmake --build "$build" -j2 --target libflt_tests
    TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan-suppressions.txt" ctest --test-dir "$build" --output-on-failure -j2 \
      -R '^(ConcurrentConversion|DumpQueue|WarningConsoleConcurrency|ViewerServer)\.' --no-tests=error ;;
  valgrind)
    cmake --build "$build" -j2 --target fltconvert
    # Logs go beside the inputs: convert copies, the samples' folder layout kept.
    work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
    cp examples/*.flt "$work"/
    [ ! -d ../shared/samples ] || cp -r ../shared/samples "$work"/samples
    find "$work" -name '*.flt' -print0 | sort -z | while IFS= read -r -d '' file; do
      echo "valgrind: $file"
      valgrind --quiet --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
        "$build"/tools/fltconvert --stat "$file" >/dev/null 2>"$work/valgrind.txt" ||
        { cat "$work/valgrind.txt"; exit 1; }
    done ;;
  fuzz)
    # The corpus grows by a file at every new input: in memory where there is some.
    work=$(mktemp -d -p "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
    trap 'rm -rf "$work"' EXIT
    mkdir "$work/corpus"
    # The samples lie in folders, some with the same names: one folder of all.
    find "${seeds[@]}" -type f -exec cp --backup=numbered {} "$work/corpus"/ \;
    # A crash, a leak or a hang fails; what found it is left in fuzz-findings/.
    mkdir -p fuzz-findings
    "$build"/fuzz/flt_fuzzer "$work/corpus" "${fuzz_options[@]}" -artifact_prefix=fuzz-findings/ \
      -max_total_time="${FUZZ_SECONDS:-120}" ;;
  fuzz-campaign)
    # One process at a time by default (FUZZ_JOBS for more), each finding
    # left in fuzz-findings/ and the fuzzing carried on.
    if [ ! -d fuzz-campaign ]; then
      mkdir fuzz-campaign
      find "${seeds[@]}" -type f -exec cp --backup=numbered {} fuzz-campaign/ \;
    fi
    mkdir -p fuzz-findings
    "$build"/fuzz/flt_fuzzer fuzz-campaign "${fuzz_options[@]}" -artifact_prefix=fuzz-findings/ \
      -fork="${FUZZ_JOBS:-1}" -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 \
      -max_total_time="${FUZZ_SECONDS:-3600}"
    echo "findings: $(find fuzz-findings -type f | wc -l) in fuzz-findings/" ;;
  fuzz-gltf)
    # Its own corpus in memory, seeded with the models kept here.
    work=$(mktemp -d -p "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
    trap 'rm -rf "$work"' EXIT
    mkdir "$work/corpus" && cp fuzz/gltf-corpus/* "$work/corpus"/
    mkdir -p fuzz-findings
    "$build"/fuzz/gltf_writer_fuzzer "$work/corpus" -max_len=4096 -timeout=30 -rss_limit_mb=4096 \
      -artifact_prefix=fuzz-findings/ -max_total_time="${FUZZ_SECONDS:-60}" ;;
esac
