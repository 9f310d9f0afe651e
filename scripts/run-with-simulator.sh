#!/usr/bin/env bash
# Installs what is missing, builds, and starts the panel in a prepared working
# folder (run/) against the simulated receiver on a pseudo-terminal. With no
# display (a server), the panel runs in a private Xvfb screen.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/install-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPython3_EXECUTABLE=/usr/bin/python3
cmake --build build -j "$(nproc)" --target voxpan wave receiver_sim_tool

mkdir -p run
ln -sfn "$top/build/wave" run/wave

cleanup() {
  [[ -n ${simulator_pid:-} ]] && kill "$simulator_pid" 2>/dev/null || true
  [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# A receiver with a few stations to listen to: 145.5 MHz and 433.075 MHz.
build/tools/receiver_sim/receiver-sim --link "$top/run/receiver-port" \
  --signal 145.5:180 --signal 433.075:90 > run/simulator.out &
simulator_pid=$!
for _ in $(seq 50); do [[ -e run/receiver-port ]] && break; sleep 0.1; done

if [[ ! -f run/VOXPAN.CFG ]]; then
  printf 'COM:%s\r\nSPEED:9600\r\nRADIO:AR8600\r\nVOICE:1\r\nDEBUG:1\r\n' "$top/run/receiver-port" > run/VOXPAN.CFG
fi

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "No display: running the panel in a private Xvfb screen (:97)."
  echo "To see it: DISPLAY=:97 import -window root panel.png (ImageMagick)."
  Xvfb :97 -screen 0 1280x1024x24 -nolisten tcp &
  xvfb_pid=$!
  export DISPLAY=:97
  sleep 1
fi

echo "Starting voxpan in run/ (close the window or press Ctrl+C to stop)."
cd run
"$top/build/voxpan"
