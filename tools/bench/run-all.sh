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
echo "== the system voice: from asking for a word to speech-dispatcher starting it"
speechd=$(mktemp -d "${TMPDIR:-/tmp}/voxpan-speechd.XXXXXX")
mkdir -p "$speechd/conf/modules"
cp /etc/speech-dispatcher/modules/espeak-ng.conf "$speechd/conf/modules/"
printf '%s\n' 'AudioOutputMethod "alsa"' 'AudioALSADevice "null"' \
  'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"' 'DefaultModule espeak-ng' >"$speechd/conf/speechd.conf"
setsid speech-dispatcher -s -t 0 -C "$speechd/conf" -S "$speechd/sock" -L "$speechd" -P "$speechd/pid" \
  >/dev/null 2>&1 & speechd_pid=$!
trap 'kill $xvfb 2>/dev/null || true; kill -- -$speechd_pid 2>/dev/null || true; rm -rf "$speechd"' EXIT
for _ in $(seq 100); do [ -S "$speechd/sock" ] && break; sleep 0.1; done
SPEECHD_ADDRESS="unix_socket:$speechd/sock" "$bench/bench_system_voice" 5
