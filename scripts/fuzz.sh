#!/usr/bin/env bash
# Fuzzes the readers of untrusted input for SECONDS each, under AddressSanitizer and
# UndefinedBehaviorSanitizer: server replies, held orders, base-data packages and taste strings.
#
#   scripts/fuzz.sh SECONDS [TARGET...]     TARGETs: reply held_order package taste (default: all)
#
# Builds with clang and libFuzzer (Debian's clang and libclang-rt-dev) into build-fuzz/ (or
# $DIANCAI_FUZZ_BUILD_DIR), writes the seed corpora with fuzz_seeds (the inputs of earlier findings
# among them), keeps each target's growing corpus in build-fuzz/corpus/TARGET and any crashing,
# leaking or slow input in build-fuzz/findings/TARGET. Exits non-zero when a target found something.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(reply held_order package taste)
build=${DIANCAI_FUZZ_BUILD_DIR:-$root/build-fuzz}

"$root/scripts/install-deps.sh"
missing=()
for p in clang libclang-rt-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDIANCAI_SANITIZE=fuzzer-no-link,address,undefined -DDIANCAI_BUILD_FUZZ=ON \
  -DDIANCAI_BUILD_TESTS=OFF -DDIANCAI_BUILD_BENCH=OFF -DDIANCAI_WERROR=OFF
cmake --build "$build" --target fuzz_all -j "$(nproc)"

rm -rf "$build/seeds"
"$build/bin/fuzz_seeds" "$build/seeds"

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
status=0
for target in "${targets[@]}"; do
  mkdir -p "$build/corpus/$target" "$build/findings/$target"
  echo "== fuzz_$target for ${seconds}s =="
  # An input that takes more than 10 s is a finding too: every reader must stay linear.
  if ! timeout --kill-after=30 $((seconds + 120)) "$build/bin/fuzz_$target" \
      "$build/corpus/$target" "$build/seeds/$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$target/"; then
    echo "fuzz_$target found something: see $build/findings/$target" >&2
    status=1
  fi
done
exit $status
