#!/usr/bin/env bash
# Called by bench/measure.sh with the folder of the built programs, inside its Wine session.
bin=$1
timeout 300 wine "$bin/bench_buttonex.exe" </dev/null 2>/dev/null | tr -d '\r'
