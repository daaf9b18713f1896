#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into fuzz/out/ and refreshes the seed corpora in
# fuzz/corpus/. The project's libraries are built again with coverage instrumentation and
# AddressSanitizer + UndefinedBehaviorSanitizer, in fuzz/out/build.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")

if ! command -v clang++ >/dev/null 2>&1 || ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends clang libclang-rt-14-dev
fi

cmake -S "$root" -B "$here/out/build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DTESSELON_SANITIZE=ON -DTESSELON_TESTS=OFF -DTESSELON_BENCH=OFF \
  -DCMAKE_PROJECT_INCLUDE="$here/hook.cmake"
cmake --build "$here/out/build" --target fuzz_pzz fuzz_config fuzz_picture make_seeds

ASAN_OPTIONS=detect_leaks=0 "$here/out/make_seeds" "$here/corpus"
heif-enc -q 50 -o "$here/corpus/picture/quadrants.heic" "$here/corpus/picture/quadrants.png" >/dev/null
heif-enc -q 50 -A -o "$here/corpus/picture/quadrants.avif" "$here/corpus/picture/quadrants.png" >/dev/null
echo "Built: $here/out/fuzz_pzz $here/out/fuzz_config $here/out/fuzz_picture"
