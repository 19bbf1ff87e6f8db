#!/usr/bin/env bash
# What the test programs' own code costs to compile, with the flags the build gives it now
# (-Og and line tables) against the build's own flags (-O2 -g), side by side in one run: every
# source of tests/ in the compile commands of a configured and built build folder is compiled
# both ways, by turns, and the processor time (user and system) of each way summed up.
#   scripts/measure-build.sh [build-dir]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
[ -f "$build/compile_commands.json" ] || {
  echo "$build: no compile_commands.json (build it first: scripts/setup.sh $build)" >&2
  exit 1
}
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One line per test source: the directory, then the command without its output and its own
# test-code flags (the build's flags alone).
python3 - "$build/compile_commands.json" "$PWD/tests/" >"$work/commands" <<'EOF'
import json, shlex, sys
for e in json.load(open(sys.argv[1])):
    if not e["file"].startswith(sys.argv[2]):
        continue
    args = shlex.split(e["command"])
    i = args.index("-o")
    del args[i:i + 2]
    for flag in ("-Og", "-g1"):
        while flag in args:
            args.remove(flag)
    print(e["directory"], shlex.join(args))
EOF

cpu() { # label directory command...: adds the processor time of the command to the label's sum
  local label="$1" dir="$2"
  shift 2
  (cd "$dir" && /usr/bin/time -f '%U %S' -o "$work/time" "$@" -o /dev/null)
  awk -v l="$label" '{ print l, $1 + $2 }' "$work/time" >>"$work/times"
}
while read -r dir command; do
  eval "set -- $command"
  cpu build "$dir" "$@"
  cpu tests "$dir" "$@" -Og -g1
done <"$work/commands"

echo "$(wc -l <"$work/commands") sources of tests/, compiled both ways by turns:"
awk '{ sum[$1] += $2 }
     END { printf "  -O2 -g (the build'"'"'s flags): %6.0f s of processor time\n", sum["build"]
           printf "  -Og -g1 (the test code'"'"'s):  %6.0f s of processor time\n", sum["tests"] }' "$work/times"
