#!/usr/bin/env bash
# The reference the calculator's per-line conversion is measured against: awk formatting 1M random
# 11-digit byte positions as percent lines. Prints awk's wall time.
set -euo pipefail
lines=$(mktemp)
trap 'rm -f "$lines"' EXIT
awk 'BEGIN { srand(1); for (i = 0; i < 1000000; i++) printf "%.0f\n", 10000000000 + int(rand() * 90000000000) }' > "$lines"
start=$(date +%s%N)
awk '{printf "%.4f%% (= byte #%s)\n", $1/30000000000*100, $1}' "$lines" > /dev/null
end=$(date +%s%N)
echo "awk, 1M lines: $(( (end - start) / 1000000 )) ms"
