#!/usr/bin/env bash
# Targets: kva-bench-hash
# FileHash of a 1 GiB file against `openssl dgst -sha256`, both reading it from the page cache
# (best of three each, interleaved, so that a busy machine disturbs both alike).
set -euo pipefail
: "${KVA_BUILD:?run through Bench/run}"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kva-bench-hash.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
FILE="$WORK/blob.bin"
head -c $((1 << 30)) /dev/urandom > "$FILE"
cat "$FILE" > /dev/null

BEST_OURS=; BEST_OPENSSL=
for _ in 1 2 3; do
	START=$(date +%s.%N)
	REFERENCE=$(openssl dgst -sha256 -r "$FILE" | cut -d' ' -f1)
	END=$(date +%s.%N)
	T=$(awk -v a="$START" -v b="$END" 'BEGIN { print b - a }')
	BEST_OPENSSL=$(awk -v t="$T" -v best="${BEST_OPENSSL:-1e9}" 'BEGIN { print (t < best) ? t : best }')
	read -r OURS HASH < <("$KVA_BUILD/Bench/Transport/kva-bench-hash" "$FILE")
	[ "$HASH" = "$REFERENCE" ] || { echo "hash: FileHash disagrees with openssl" >&2; exit 1; }
	BEST_OURS=$(awk -v t="$OURS" -v best="${BEST_OURS:-1e9}" 'BEGIN { print (t < best) ? t : best }')
done
awk -v ours="$BEST_OURS" -v ref="$BEST_OPENSSL" 'BEGIN {
	printf "hash: FileHash %.0f MiB/s, openssl dgst %.0f MiB/s, ratio %.2f (goal >= 0.95)\n", 1024 / ours, 1024 / ref, ref / ours
}'
