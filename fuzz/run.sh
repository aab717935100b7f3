#!/usr/bin/env bash
# Builds the fuzz targets with clang under AddressSanitizer and UBSan and runs
# each of them in turn for a bounded time.
#   fuzz/run.sh [seconds-per-target] [target...]
# Targets: conversions dispatch com_dispatch jet_file own_reader reader_answer bus_values (all by default). The
# corpus each run grows is kept in build-fuzz/fuzz-runs/<target>/corpus, so a
# later run starts where the last one stopped; findings land in
# build-fuzz/fuzz-runs/<target>/findings. The exit code is 1 when any target
# found something. CORVANE_FUZZ_BUILD names another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(conversions dispatch com_dispatch jet_file own_reader reader_answer bus_values)
build=${CORVANE_FUZZ_BUILD:-build-fuzz}

scripts/setup.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCORVANE_FUZZ=ON >/dev/null
cmake --build "$build" --target $(printf 'fuzz_%s ' "${targets[@]}")

# Stop at the first report, with a stack for UBSan too.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

max_len() {
    case $1 in
    jet_file | own_reader) echo 320000 ;;  # the engine-written samples are up to 300 KiB
    reader_answer) echo 16384 ;;
    dispatch | com_dispatch) echo 8192 ;;    # programs of a few dozen calls
    *) echo 4096 ;;
    esac
}

status=0
summary=()
for target in "${targets[@]}"; do
    work=$build/fuzz-runs/$target
    mkdir -p "$work/corpus" "$work/findings"
    echo "fuzz: $target for $seconds s"
    seeds=("fuzz/corpus/$target")
    options=(-timeout=30)
    if [ "$target" = own_reader ]; then
        # Our own reader reads the same files as libmdb: the same seeds, but
        # any crash or hang (5 s) of it is a finding.
        seeds=("fuzz/corpus/jet_file")
        options=(-timeout=5)
    fi
    if [ "$target" = jet_file ] || [ "$target" = own_reader ]; then
        # The files the Jet engine wrote have layouts our writer never makes.
        for samples in ../shared/jet-samples ../../shared/jet-samples; do
            if [ -d "$samples" ]; then
                seeds+=("$samples")
                break
            fi
        done
    fi
    if [ "$target" = jet_file ]; then
        # libmdb hangs and faults on some damaged files; the server and the
        # tool read through a reader process that contains each of them, so
        # the run carries on past them and keeps them for the regression
        # inputs (regressions/jet_file_reader/).
        options=(-timeout=5 -fork=1 -ignore_timeouts=1 -ignore_crashes=1)
    fi
    # libmdb warns on stderr about every damaged row; keep the log readable.
    set +e
    nice "$build/fuzz/fuzz_$target" -max_total_time="$seconds" "${options[@]}" -rss_limit_mb=4096 \
        -max_len="$(max_len "$target")" -artifact_prefix="$work/findings/" -print_final_stats=1 \
        "$work/corpus" "${seeds[@]}" 2>&1 | grep -v -e '^warning: ' -e '^Warning: ' >"$work/log"
    result=${PIPESTATUS[0]}
    set -e
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
    # In fork mode the status lines read "#N: cov: ..." and give the runs.
    [ -n "$runs" ] || runs=$( (grep -E '^#[0-9]+: cov:' "$work/log" || true) | tail -1 | sed -n 's/^#\([0-9]*\):.*/\1/p')
    cov=$( (grep -E '^#[0-9]+(:|[[:space:]]+(DONE|pulse|NEW|REDUCE))' "$work/log" || true) | tail -1 |
        sed -n 's/.* cov: \([0-9]*\) ft: \([0-9]*\) corp: \([0-9]*\).*/\1 edges, \2 features, \3 inputs/p')
    findings=$(find "$work/findings" -type f | wc -l)
    summary+=("$target: ${runs:-0} runs, ${cov:-no coverage line}, $findings findings (exit $result)")
    if ((result != 0 || findings != 0)); then
        status=1
        echo "fuzz: $target stopped with a finding; see $work/log and $work/findings"
    fi
done

printf '%s\n' "${summary[@]}"
exit $status
