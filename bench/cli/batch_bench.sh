#!/usr/bin/env bash
# Rows per second of `selenoscope-cli batch` over varied births (parsing, checks,
# the four readings and the CSV written included), with every core and with one,
# the largest memory it held, and whether both outputs are the same bytes.
#   batch_bench.sh BUILD_DIR [ROWS [--precise]]   ROWS defaults to two million; --precise
#                                                 adds the precise Moon's four texts
set -euo pipefail
build="$1"
rows="${2:-2000000}"
options=("${@:3}")
cli="$build/src/cli/selenoscope-cli"
work="$build/bench/cli"
input="$work/births-$rows.csv"
if [ ! -f "$input" ]; then
    "$work/generate_births" "$rows" >"$input.part"
    mv "$input.part" "$input"
fi
cores="$(nproc)"
echo "batch ${options[*]}: $rows births, $(($(stat -c %s "$input") / 1000000)) MB of CSV, $cores cores"

# One run: wall time from the shell's clock, peak memory from GNU time.
run() {
    local threads="$1" output="$2" start end
    start="$(date +%s%N)"
    /usr/bin/time -f "%M" -o "$work/peak-kb" "$cli" batch "$input" -o "$output" --threads "$threads" \
        "${options[@]}"
    end="$(date +%s%N)"
    awk -v rows="$rows" -v ns="$((end - start))" -v kb="$(cat "$work/peak-kb")" -v t="$threads" \
        'BEGIN { printf "  %d thread(s): %6.2f s  %9.0f rows/s  peak memory %5.1f MB\n",
                 t, ns / 1e9, rows / (ns / 1e9), kb / 1024 }'
}

# The machine is shared: three runs with every core, then one with a single thread.
for _ in 1 2 3; do
    run "$cores" "$work/out-all.csv"
done
run 1 "$work/out-one.csv"
if cmp -s "$work/out-all.csv" "$work/out-one.csv"; then
    echo "  output identical with $cores threads and with 1"
else
    echo "  OUTPUT DIFFERS between $cores threads and 1" >&2
    exit 1
fi
rm -f "$work/out-all.csv" "$work/out-one.csv" "$work/peak-kb"
