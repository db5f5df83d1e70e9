#!/usr/bin/env bash
# Extraction speed and memory: KVASafe::Extract against bsdtar -xf (libarchive) on a package of
# about 1 GiB uncompressed, both writing into the same file system; then peak RSS of the
# extractor for a 64 MiB and a 1 GiB package against a run that extracts nothing.
# Called by Bench/run with KVA_BUILD (release tree) and KVA_ROOT.
set -euo pipefail
: "${KVA_BUILD:?run through Bench/run}"
cmake --build "$KVA_BUILD" --target bench-extract >/dev/null
BENCH="$KVA_BUILD/Bench/Extract/bench-extract"
WORK="$KVA_BUILD/bench-extract-work"
rm -rf "$WORK"
mkdir -p "$WORK"
trap 'rm -rf "$WORK"' EXIT

"$BENCH" make "$WORK/1g.zip" 1024 >/dev/null
"$BENCH" make "$WORK/64m.zip" 64 >/dev/null
cat "$WORK/1g.zip" "$WORK/64m.zip" >/dev/null

now() { date +%s%N; }
# Best of three for each tool, alternating, each starting with the previous output gone and
# written back, so neither pays for the other's dirty pages.
best_ours=0 best_bsdtar=0
for round in 1 2 3; do
	rm -rf "$WORK/out"; sync
	start=$(now); "$BENCH" extract "$WORK/1g.zip" "$WORK/out" >/dev/null; ours=$(( $(now) - start ))
	rm -rf "$WORK/out"; sync
	mkdir "$WORK/out"
	start=$(now); bsdtar -xf "$WORK/1g.zip" -C "$WORK/out"; theirs=$(( $(now) - start ))
	rm -rf "$WORK/out"; sync
	if [ "$best_ours" -eq 0 ] || [ "$ours" -lt "$best_ours" ]; then best_ours=$ours; fi
	if [ "$best_bsdtar" -eq 0 ] || [ "$theirs" -lt "$best_bsdtar" ]; then best_bsdtar=$theirs; fi
done

rss() { "$BENCH" "$@" | awk '/^peak_rss_kib/ { print $2 }'; }
idle=$(rss idle)
small=$(rss extract "$WORK/64m.zip" "$WORK/out"); rm -rf "$WORK/out"
large=$(rss extract "$WORK/1g.zip" "$WORK/out"); rm -rf "$WORK/out"

size=$(stat -c %s "$WORK/1g.zip")
awk -v ours="$best_ours" -v theirs="$best_bsdtar" -v size="$size" -v idle="$idle" -v small="$small" -v large="$large" 'BEGIN {
	printf "extract: 1 GiB uncompressed (%.0f MiB package): KVASafe::Extract %.2f s, bsdtar -xf %.2f s, time ratio %.2f (goal <= 1.0)\n", size / 1048576, ours / 1e9, theirs / 1e9, ours / theirs
	printf "extract: peak RSS empty run %.1f MiB; 64 MiB package +%.1f MiB; 1 GiB package +%.1f MiB (goal: flat, < 8 MiB above)\n", idle / 1024, (small - idle) / 1024, (large - idle) / 1024
}'
