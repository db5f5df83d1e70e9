#!/usr/bin/env bash
# Targets: kva-bench-delivery
# "Add to Scene" in the stand-in editor for a package of about 200 MB (real FBX models and large
# textures), from the click until the extraction's result reaches the game thread, where the
# "Importing" phase begins; against curl -o plus bsdtar -xf of the same package from the same
# local service. Medians of 5 rounds, alternating which goes first.
set -euo pipefail
: "${KVA_BUILD:?run through Bench/run}"
WORK="$KVA_BUILD/bench-delivery-work"
rm -rf "$WORK"
mkdir -p "$WORK"
trap 'rm -rf "$WORK"' EXIT

read -r MB OURS THEIRS CURL BSDTAR TICKET DOWNLOAD VERIFY EXTRACT HASH < <("$KVA_BUILD/Bench/Delivery/kva-bench-delivery" "$WORK" 5)
awk -v mb="$MB" -v ours="$OURS" -v theirs="$THEIRS" -v curl="$CURL" -v bsdtar="$BSDTAR" -v ticket="$TICKET" \
	-v download="$DOWNLOAD" -v verify="$VERIFY" -v extract="$EXTRACT" -v hash="$HASH" 'BEGIN {
	printf "delivery: %.0f MB package, median of 5: Add to Scene to Importing %.2f s, curl -o + bsdtar -xf %.2f s (curl %.2f, bsdtar %.2f), ratio %.2f (goal <= 0.95)\n",
		mb, ours, theirs, curl, bsdtar, ours / theirs
	printf "delivery: our phases: ticket %.3f s, download %.2f s, verify and move %.3f s (goal < 0.02 s), extract %.2f s; hashing the package alone %.2f s\n",
		ticket, download, verify, extract, hash
}'
