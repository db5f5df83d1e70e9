#!/usr/bin/env bash
# Targets: kva-bench-cancel
# Worst of 20 cancel latencies (flag set until the reply arrives) during a stalled and during
# a fast download from the local service.
set -euo pipefail
: "${KVA_BUILD:?run through Bench/run}"
read -r STALLED FAST < <("$KVA_BUILD/Bench/Transport/kva-bench-cancel")
awk -v s="$STALLED" -v f="$FAST" 'BEGIN {
	worst = (s > f) ? s : f
	printf "cancel: worst of 20 stalled %.3f s, fast %.3f s; worst/goal ratio %.2f (goal <= 0.15 s)\n", s, f, worst / 0.15
}'
