#!/usr/bin/env bash
# Runs one libFuzzer target for a fixed time over a scratch copy of its seed corpus, so the
# repository's corpus never changes. Usage: run-fuzzer.sh FUZZER SEED_DIR SECONDS
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/artifacts"
cp -r "$seeds"/. "$work/corpus/"
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus"
