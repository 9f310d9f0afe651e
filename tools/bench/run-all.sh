#!/usr/bin/env bash
# Runs every benchmark against the regular build and prints their figures.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
cd "$top"
bench=build/tools/bench
export SDL_AUDIODRIVER=dummy

echo "== bank operations on a full bank"
"$bench/bench_banks"
echo "== serial reads"
"$bench/bench_serial_read"
echo "== a run of ten words, and the gap between two"
"$bench/bench_words" build/wave
echo "== idle event loop (under Xvfb)"
Xvfb :96 -screen 0 1280x1024x24 -nolisten tcp & xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=:96 "$bench/bench_idle_loop"
echo "== start-up to the first command"
VOXPAN_BINARY=build/voxpan VOXPAN_SIM=build/tools/receiver_sim/receiver-sim python3 tools/bench/bench_startup.py
echo "== key-down to command on the line, and idle CPU with the poll cycle"
VOXPAN_BINARY=build/voxpan VOXPAN_SIM=build/tools/receiver_sim/receiver-sim python3 tools/bench/bench_key_latency.py
echo "== \"145.5 Enter\" with the normal, fast and fastest words"
VOXPAN_BINARY=build/voxpan VOXPAN_SIM=build/tools/receiver_sim/receiver-sim VOXPAN_WAVE_DIR=build/wave \
  python3 tools/bench/bench_pace_entry.py
