#!/usr/bin/env bash
# What a build from nothing costs, this tree against an earlier revision in the same run: each
# configured afresh in a folder of its own (no compiler cache) and built with every target, as
# each build of the test command is; prints the wall time and the processor time (user and
# system) of each. The earlier revision is checked out under build/revision-<rev>.
#   scripts/measure-build.sh [revision]   (default 7c2a832)
set -euo pipefail
cd "$(dirname "$0")/.."
rev="${1:-7c2a832}"
alt="build/revision-$rev"
scripts/setup.sh --packages-only
if [ ! -d "$alt" ]; then
  git worktree add --detach "$alt" "$rev" >/dev/null 2>&1
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

baue() { # name, source tree
  cmake -S "$2" -B "$work/$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  /usr/bin/time -f "%e %U %S" -o "$work/$1.time" ninja -C "$work/$1" >/dev/null
  awk -v name="$1" '{ printf "| %-22s | %8.0f s | %8.0f s |\n", name, $1, $2 + $3 }' "$work/$1.time"
}

echo "| build from nothing     |     wall |      CPU |"
echo "|------------------------|----------|----------|"
baue "$rev" "$alt"
baue "this tree" .
