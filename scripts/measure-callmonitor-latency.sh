#!/usr/bin/env bash
# Time from the router's CONNECT line reaching the socket to START showing in the main window,
# for 20 calls from a fake router on 127.0.0.1; the main window runs on a virtual display.
#   scripts/measure-callmonitor-latency.sh
set -euo pipefail
cd "$(dirname "$0")/.."
TARVIS_TARGET=callmonitor_latency scripts/setup.sh build >/dev/null
source scripts/virtual-display.sh
build/bench/callmonitor_latency
