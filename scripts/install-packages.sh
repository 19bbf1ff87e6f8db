#!/usr/bin/env bash
# Installs those of the given Debian packages that are missing (apt-get, as root or through sudo).
# Quick when all are there. Says what it installs on standard error, so that a script's own
# output stays clean.
#   scripts/install-packages.sh PACKAGE...
set -euo pipefail
missing=()
for p in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}" >&2
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  # Another apt-get at work (a second script, an update) is waited for rather than failed on.
  "${sudo_cmd[@]}" apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
