#!/usr/bin/env bash
# Targets: bench-extract
# Extraction speed and memory: KVASafe::Extract against bsdtar -xf (libarchive) on a package of
# about 1 GiB uncompressed, both writing into the same file system; then peak RSS of the
# extractor for a 64 MiB and a 1 GiB package against a run that extracts nothing.
# Called by Bench/run with KVA_BUILD (release tree) and KVA_ROOT.
set -euo pipefail
: "${KVA_BUILD:?run through Bench/run}"
BENCH="$KVA_BUILD/Bench/Extract/bench-extract"
WORK="$KVA_BUILD/bench-extract-work"
rm -rf "$WORK"
mkdir -p "$WORK"
trap 'rm -rf "$WORK"' EXIT

"$BENCH" make "$WORK/1g.zip" 1024 >/dev/null
"$BENCH" make "$WORK/64m.zip" 64 >/dev/null
cat "$WORK/1g.zip" "$WORK/64m.zip" >/dev/null

# Wall and CPU seconds of one command (CPU: user + system, less disturbed by a busy machine).
measure() {
	local report
	report=$( { /usr/bin/time -f "%e %U %S" "$@" >/dev/null; } 2>&1 | tail -n 1)
	awk '{ printf "%s %.2f\n", $1, $2 + $3 }' <<<"$report"
}
# Best of five for each tool, alternating, each starting with the previous output gone and
# written back, so neither pays for the other's dirty pages.
best() { sort -n | head -n 1; }
ours_wall=() ours_cpu=() theirs_wall=() theirs_cpu=()
for round in 1 2 3 4 5; do
	rm -rf "$WORK/out"; sync
	read -r wall cpu < <(measure "$BENCH" extract "$WORK/1g.zip" "$WORK/out")
	ours_wall+=("$wall"); ours_cpu+=("$cpu")
	rm -rf "$WORK/out"; sync
	mkdir "$WORK/out"
	read -r wall cpu < <(measure bsdtar -xf "$WORK/1g.zip" -C "$WORK/out")
	theirs_wall+=("$wall"); theirs_cpu+=("$cpu")
	rm -rf "$WORK/out"; sync
done
ours=$(printf '%s\n' "${ours_wall[@]}" | best)
theirs=$(printf '%s\n' "${theirs_wall[@]}" | best)
ours_cpu=$(printf '%s\n' "${ours_cpu[@]}" | best)
theirs_cpu=$(printf '%s\n' "${theirs_cpu[@]}" | best)

rss() { "$BENCH" "$@" | awk '/^peak_rss_kib/ { print $2 }'; }
idle=$(rss idle)
small=$(rss extract "$WORK/64m.zip" "$WORK/out"); rm -rf "$WORK/out"
large=$(rss extract "$WORK/1g.zip" "$WORK/out"); rm -rf "$WORK/out"

size=$(stat -c %s "$WORK/1g.zip")
awk -v ours="$ours" -v theirs="$theirs" -v ocpu="$ours_cpu" -v tcpu="$theirs_cpu" -v size="$size" -v idle="$idle" -v small="$small" -v large="$large" 'BEGIN {
	printf "extract: 1 GiB uncompressed (%.0f MiB package), best of 5: KVASafe::Extract %.2f s, bsdtar -xf %.2f s, time ratio %.2f (goal <= 0.80); CPU %.2f s vs %.2f s, ratio %.2f\n", size / 1048576, ours, theirs, ours / theirs, ocpu, tcpu, ocpu / tcpu
	printf "extract: peak RSS empty run %.1f MiB; 64 MiB package +%.1f MiB; 1 GiB package +%.1f MiB (goal: flat, < 8 MiB above)\n", idle / 1024, (small - idle) / 1024, (large - idle) / 1024
}'
