#!/usr/bin/env bash
# Targets: kva-bench-ui
# Frame time of a 1280 x 800 window holding a tile grid of 24 products and of 480 (20 pages),
# median of 100 frames each (layout, paint and drawing into pixels), in one run, the two
# windows taking turns.
set -euo pipefail
: "${KVA_BUILD:?run through Bench/run}"
PROGRAM="$KVA_BUILD/Bench/UI/kva-bench-ui"
{ read -r SMALL; read -r LARGE; } < <("$PROGRAM" 24 480)
awk -v small="$SMALL" -v large="$LARGE" 'BEGIN {
	printf "ui: 24 tiles %.2f ms, 480 tiles %.2f ms per frame (median of 100), ratio %.2f (goal <= 1.30), slowest %.2f ms (goal < 16)\n",
		small, large, large / small, (large > small ? large : small)
}'
