#!/usr/bin/env bash
# Called by bench/measure.sh with the folder of the built programs, inside its
# Wine session: the splash region, per-pixel reference against ours.
bin=$1
timeout 300 wine "$bin/bench_regions.exe" 40 </dev/null 2>/dev/null | tr -d '\r'
