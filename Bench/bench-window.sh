#!/usr/bin/env bash
# Targets: kva-bench-window
# The library window against the local service with 480 products of its own: the time from a
# page reply's hand-over to the game thread until the end of the first frame drawn after it,
# for the first page (24 products, "Refresh") and for the 20th ("Load more", 480 listed), in
# one run; median of 7 rounds, each round timing both.
set -euo pipefail
: "${KVA_BUILD:?run through Bench/run}"
{ read -r FIRST LAST; } < <("$KVA_BUILD/Bench/Window/kva-bench-window" 7)
awk -v first="$FIRST" -v last="$LAST" 'BEGIN {
	printf "window: page reply to painted frame, median of 7: 24 products %.2f ms, 480 products %.2f ms, ratio %.2f (goal <= 1.5)\n",
		first, last, last / first
}'
