#!/bin/sh
# Fuzzes the game's file readers with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer.
#   scripts/fuzz.sh TARGET SECONDS     TARGET: picture_library, sound_library, level_set,
#                                       configuration, player_names, level_source, level_dump,
#                                       replay, records, or all (each in turn)
# Builds the fuzzers with clang in build-fuzz/, then runs each for SECONDS seconds, starting from
# the hand-made seeds of tests/fuzz/corpus/TARGET plus the data files of the built game folder
# (TOLMARA_GAME_DIR, default build/game; the level set fuzzer also loads its tile set from there),
# the shipped level sources (level_source) and the test replays (replay).
# What a run learns is kept in build-fuzz/corpus/TARGET for the next run. A crash, a sanitizer
# report, a hang (over 10 s for one input) or running out of memory fails the run; the input is
# saved in build-fuzz/findings/TARGET/ (replay it with: build-fuzz/fuzz/fuzz_TARGET FILE).
set -e
cd "$(dirname "$0")/.."
ROOT=$(pwd)
ALL="picture_library sound_library level_set configuration player_names level_source level_dump replay records"
if [ $# -ne 2 ]; then
  echo "usage: scripts/fuzz.sh TARGET SECONDS   (TARGET: $ALL, or all)" >&2
  exit 2
fi
TARGETS=$1
[ "$TARGETS" = all ] && TARGETS=$ALL
SECONDS_EACH=$2
GAME_DIR=${TOLMARA_GAME_DIR:-$ROOT/build/game}
case "$GAME_DIR" in /*) ;; *) GAME_DIR=$ROOT/$GAME_DIR ;; esac
[ -d "$GAME_DIR" ] || echo "fuzz.sh: no game folder $GAME_DIR: starting from the hand-made seeds only" >&2

scripts/setup.sh --fuzz
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLMARA_FUZZ=ON >/dev/null
for t in $TARGETS; do BUILD_LIST="$BUILD_LIST --target fuzz_$t"; done
cmake --build build-fuzz -j"$(nproc)" $BUILD_LIST

# The longest input of a target: room for the largest valid file its hand-made seeds stand for
# (a 99 x 99 level, 100 long player names), while the megabytes of the built picture libraries
# are cut to their first pictures, which keeps each run at hundreds of inputs a second.
max_len() {
  case $1 in
    picture_library) echo 262144 ;;
    sound_library) echo 131072 ;;
    level_set) echo 196608 ;;
    configuration) echo 16384 ;;
    player_names) echo 32768 ;;
    level_source) echo 65536 ;;
    level_dump) echo 196608 ;;
    replay) echo 16384 ;;
    records) echo 65536 ;;
  esac
}

# The built data files that suit a target, one per line.
game_seeds() {
  case $1 in
    level_source) ls assets/levels/*.lvl 2>/dev/null || true; return 0 ;;
    replay) ls tests/replays/data/*.rpl 2>/dev/null || true; return 0 ;;
  esac
  [ -d "$GAME_DIR" ] || return 0
  case $1 in
    picture_library) ls "$GAME_DIR"/*.dxg 2>/dev/null | grep -v '/sounds\.dxg$' || true ;;
    sound_library) ls "$GAME_DIR"/sounds.dxg 2>/dev/null || true ;;
    level_set | level_dump) ls "$GAME_DIR"/*.lev 2>/dev/null || true ;;
    configuration) ls "$GAME_DIR"/tolmarakx.cfg 2>/dev/null || true ;;
    player_names) ls "$GAME_DIR"/playersnames.grf 2>/dev/null || true ;;
  esac
}

# The fuzzers write each input to a scratch file: memory-backed /dev/shm is several times faster.
SCRATCH=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && SCRATCH=/dev/shm

failed=""
passed=0
for t in $TARGETS; do
  [ -d "tests/fuzz/corpus/$t" ] || { echo "fuzz.sh: unknown target $t" >&2; exit 2; }
  work=build-fuzz/corpus/$t
  seeds=build-fuzz/seeds/$t
  findings=build-fuzz/findings/$t
  mkdir -p "$work" "$findings"
  rm -rf "$seeds" && mkdir -p "$seeds"
  cp tests/fuzz/corpus/"$t"/* "$seeds"/
  for f in $(game_seeds "$t"); do cp "$f" "$seeds"/built-"$(basename "$f")"; done
  echo "== fuzz_$t for $SECONDS_EACH s ($(ls "$seeds" | wc -l) seeds, $(ls "$work" | wc -l) learnt inputs)"
  if ! TOLMARA_GAME_DIR=$GAME_DIR TMPDIR=$SCRATCH \
      ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      build-fuzz/fuzz/fuzz_"$t" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$(max_len "$t")" -print_final_stats=1 -artifact_prefix="$findings"/ "$work" "$seeds" \
        >build-fuzz/fuzz_"$t".log 2>&1; then
    failed="$failed $t"
    tail -n 60 build-fuzz/fuzz_"$t".log
  else
    passed=$((passed + 1))
  fi
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)' \
    build-fuzz/fuzz_"$t".log || true
done
nfailed=$(echo $failed | wc -w)
echo "fuzzers: $passed passed, $nfailed failed"
if [ -n "$failed" ]; then
  echo "fuzz.sh: findings in:$failed (inputs in build-fuzz/findings/)" >&2
  exit 1
fi
