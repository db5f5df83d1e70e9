#!/usr/bin/env bash
# Targets: kestrova-service kva-bench-send
# 1 GiB from the local service into a file: Send against the curl command line (same URL,
# same file system, same routing and trust). Three rounds in alternating order, each writer
# starting after the file system has written back the previous file; best time of each.
# Prints the throughput ratio and our peak RSS growth (largest of our rounds).
set -euo pipefail
: "${KVA_BUILD:?run through Bench/run}"
SIZE=$((1 << 30))
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kva-bench-transport.XXXXXX")
cleanup() { rm -rf "$WORK"; [ -n "${SERVICE_PID:-}" ] && kill "$SERVICE_PID" 2>/dev/null || true; }
trap cleanup EXIT

# The service stops when its stdin closes, so it cannot outlive this script.
coproc SERVICE { exec "$KVA_BUILD/Service/kestrova-service" --blob "$SIZE"; }
read -r _ PORT <&"${SERVICE[0]}"
read -r _ AUTHORITY <&"${SERVICE[0]}"
URL=https://content.kestrova.example/blob

BEST_OURS=1e9; BEST_CURL=1e9; RSS_GROWTH=0
min() { awk -v a="$1" -v b="$2" 'BEGIN { print (a < b) ? a : b }'; }

run_ours() {
	local seconds rss bytes
	read -r seconds rss bytes < <("$KVA_BUILD/Bench/Transport/kva-bench-send" "$PORT" "$AUTHORITY" "$URL" "$WORK/ours.bin" "$SIZE")
	[ "$bytes" -eq "$SIZE" ] && [ "$(stat -c %s "$WORK/ours.bin")" -eq "$SIZE" ]
	rm -f "$WORK/ours.bin"
	BEST_OURS=$(min "$seconds" "$BEST_OURS")
	RSS_GROWTH=$(( rss > RSS_GROWTH ? rss : RSS_GROWTH ))
}

run_curl() {
	local start end
	start=$(date +%s.%N)
	curl -sS --fail --cacert "$AUTHORITY" --connect-to "content.kestrova.example:443:127.0.0.1:$PORT" -o "$WORK/curl.bin" "$URL"
	end=$(date +%s.%N)
	[ "$(stat -c %s "$WORK/curl.bin")" -eq "$SIZE" ]
	rm -f "$WORK/curl.bin"
	BEST_CURL=$(min "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')" "$BEST_CURL")
}

for ROUND in 1 2 3; do
	if [ $((ROUND % 2)) -eq 1 ]; then
		sync; run_ours; sync; run_curl
	else
		sync; run_curl; sync; run_ours
	fi
done

awk -v ours="$BEST_OURS" -v curl="$BEST_CURL" -v rss="$RSS_GROWTH" -v size="$SIZE" 'BEGIN {
	mib = size / 1048576
	printf "transport: Send %.0f MiB/s, curl %.0f MiB/s, ratio %.2f (goal >= 0.90); peak RSS growth %.1f MiB (goal < 16)\n", mib / ours, mib / curl, curl / ours, rss / 1048576
}'
