#!/usr/bin/env bash
# Seeds for the StepMania fuzzer from the players' charts: the target reads an .sm when the
# first byte is even and an .ssc when it is odd, so each file gets the byte that names it.
# Usage: scripts/seed-stepmania.sh SHARED_TESTDATA OUT_FOLDER
set -euo pipefail
shared="$1" out="$2"
mkdir -p "$out"
[ -d "$shared/sm" ] || exit 0
find "$shared/sm" \( -name '*.sm' -o -name '*.ssc' \) -print0 | while IFS= read -r -d '' file; do
    byte='\x00'
    [ "${file##*.}" = ssc ] && byte='\x01'
    { printf "$byte"; cat "$file"; } >"$out/$(basename "$file" | tr ' ' _)"
done
