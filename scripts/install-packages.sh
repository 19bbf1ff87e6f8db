#!/usr/bin/env bash
# Installs those of the given Debian packages that are missing (apt-get, as root or through sudo).
# Quick when all are there. Says what it installs on standard error, so that a script's own
# output stays clean.
#   scripts/install-packages.sh PACKAGE...
set -euo pipefail
# A name counts as installed when an installed package has it or provides it: some names are
# real packages on one Debian release and only provided by another package on the next
# (libqt6opengl6-dev is part of qt6-base-dev on Debian 13), and dpkg-query knows real names only.
declare -A installed=()
while read -r status name provides; do
  [ "$status" = ii ] || continue
  installed[${name%%:*}]=1
  for p in ${provides//,/ }; do
    case "$p" in [a-z0-9]*) installed[$p]=1 ;; esac
  done
done < <(dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Provides}\n' 2>/dev/null)
# "a|b": the first of the names that this release has (Qt's SVG plugins are a package of their
# own on Debian 13, qt6-svg-plugins, and part of libqt6svg6 on Debian 12). A release whose
# package lists have not been fetched yet fetches them first to know.
known() { apt-cache show --no-all-versions "$1" >/dev/null 2>&1; }
lists_fetched=0
first_known() {
  local a
  for a in ${1//|/ }; do
    if [ -n "${installed[$a]:-}" ] || known "$a"; then
      echo "$a"
      return 0
    fi
  done
  return 1
}
missing=()
for p in "$@"; do
  if [[ "$p" == *"|"* ]]; then
    if ! name="$(first_known "$p")" && ((!lists_fetched)); then
      sudo_update=()
      if [ "$(id -u)" -ne 0 ]; then sudo_update=(sudo); fi
      "${sudo_update[@]}" apt-get update -qq -o DPkg::Lock::Timeout=600 -o Acquire::Retries=5
      lists_fetched=1
      name="$(first_known "$p")" || name="${p##*|}"
    fi
    p="${name:-${p##*|}}"
  fi
  if [ -z "${installed[$p]:-}" ]; then missing+=("$p"); fi
done
if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}" >&2
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq -o DPkg::Lock::Timeout=600 -o Acquire::Retries=5
  # Another apt-get at work (a second script, an update) is waited for rather than failed on.
  "${sudo_cmd[@]}" apt-get install -y -qq -o DPkg::Lock::Timeout=600 -o Acquire::Retries=5 \
    --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
