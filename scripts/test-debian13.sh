#!/usr/bin/env bash
# Proves the program on Debian 13 ("trixie") from a Debian 12 or 13 machine: in a Debian 13 root
# made with debootstrap it runs the project's own scripts/setup.sh, the whole test suite (the Orca
# transcript with Debian 13's Orca included) and scripts/package-check.sh (the .deb built, linted
# with Debian 13's lintian, installed, used as a normal user and purged). Needs root (or sudo).
#   scripts/test-debian13.sh            whole run; the failed step is named at the end
#   scripts/test-debian13.sh --root     only makes (or checks) the cached root
# The root is cached in /var/cache/tarvis32/debian13 (TARVIS_DEBIAN13_CACHE): outside the clone,
# so that every clone on the machine (a CI job's fresh one included) reuses the one root with its
# packages, in the place the system keeps caches that may be deleted at any time. It is made
# again when it is older than a week or damaged. Only this script writes there, under a lock.
set -euo pipefail
# The whole script is read before it runs (the braces): an edit or a checkout while it runs for
# half an hour does not change what it does midway.
{
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then exec sudo "$0" "$@"; fi

cache="${TARVIS_DEBIAN13_CACHE:-/var/cache/tarvis32/debian13}"
root="$cache/root"
stamp="$root/.tarvis-root-complete"
max_age_minutes=$((7 * 24 * 60))
mkdir -p "$cache"

schritt=""
schritt_start=$SECONDS
step() { # each step says what it is and how long the one before took
  if [ -n "$schritt" ]; then echo "   ($((SECONDS - schritt_start)) s)"; fi
  schritt="$1"
  schritt_start=$SECONDS
  echo "== Debian 13: $1"
}
mounts=()
calc_pid=
cleanup() {
  local status=$?
  local i
  # A package installation still at work is let finish before its root's mounts go.
  if [ -n "$calc_pid" ]; then wait "$calc_pid" 2>/dev/null || true; fi
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount --recursive "${mounts[i]}" 2>/dev/null || umount --recursive --lazy "${mounts[i]}" 2>/dev/null || true
  done
  if ((status)); then echo "Debian 13: FAILED in step: ${schritt:-start}" >&2; fi
  exit "$status"
}
trap cleanup EXIT

# One run at a time uses the root (two clones testing at once would share it).
exec {lock}>"$cache/lock"
flock "$lock"

# Network faults that pass (a mirror's hiccup) are waited out rather than failed on.
retry() { # tries, command...
  local tries="$1" n=1
  shift
  until "$@"; do
    if ((n >= tries)); then return 1; fi
    echo "failed (attempt $n of $tries), again in $((n * 15)) s: $*" >&2
    sleep $((n * 15))
    n=$((n + 1))
  done
}

# The Debian mirror this machine's own apt uses, else debootstrap's default.
mirror() {
  if [ -n "${TARVIS_DEBIAN_MIRROR:-}" ]; then
    echo "$TARVIS_DEBIAN_MIRROR"
    return
  fi
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -oE '(https?|file)://[^ ]*/debian/?( |$)' | head -1 | tr -d ' ' || true
}

unmount_leftovers() { # mounts a killed run left inside the root
  local m
  for m in $(findmnt -rn -o TARGET | grep -F "$root/" | sort -r || true); do
    umount --recursive --lazy "$m" 2>/dev/null || true
  done
}

root_usable() {
  [ -f "$stamp" ] || return 1
  [ -z "$(find "$stamp" -mmin +"$max_age_minutes")" ] || {
    echo "The Debian 13 root is older than a week: made again." >&2
    return 1
  }
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin sh -c \
    'apt-get --version >/dev/null && [ -z "$(dpkg --audit)" ]' || {
    echo "The Debian 13 root is damaged: made again." >&2
    return 1
  }
}

make_root() {
  scripts/install-packages.sh debootstrap
  local new="$cache/root.new"
  unmount_leftovers
  rm -rf --one-file-system "$new"
  # passwd for useradd (the package check's test user); the rest comes from scripts/setup.sh.
  # shellcheck disable=SC2046 # no mirror found: no argument, debootstrap's default
  retry 3 debootstrap --variant=minbase --include=passwd,ca-certificates trixie "$new" $(mirror) \
    >"$cache/debootstrap.log" 2>&1 || {
    tail -20 "$cache/debootstrap.log" >&2
    rm -rf --one-file-system "$new"
    return 1
  }
  # apt inside retries downloads itself.
  echo 'Acquire::Retries "5";' >"$new/etc/apt/apt.conf.d/80tarvis-retries"
  # dpkg need not sync every file of a root that is made again when damaged: unpacking is
  # several times quicker on a busy disk.
  echo force-unsafe-io >"$new/etc/dpkg/dpkg.cfg.d/80tarvis-unsafe-io"
  touch "$new/.tarvis-root-complete"
  rm -rf --one-file-system "$root"
  mv "$new" "$root"
}

step "root ($root)"
unmount_leftovers
if ! root_usable; then make_root; fi
echo "made $(date -r "$stamp" '+%F %T'), $(du -sh --one-file-system "$root" | cut -f1)"
if [ "${1:-}" = --root ]; then exit 0; fi

# The kernel's file systems the tests need (Xvfb, dbus, ctest's processes), undone by the trap.
step "mounts"
bind_into_root() { # type-or-bind, source, target inside the root
  mkdir -p "$root$3"
  if [ "$1" = bind ]; then
    mount --rbind "$2" "$root$3"
    mount --make-rslave "$root$3"
  else
    mount -t "$1" "$2" "$root$3"
  fi
  mounts+=("$root$3")
}
bind_into_root proc proc /proc
bind_into_root bind /sys /sys
bind_into_root bind /dev /dev
bind_into_root tmpfs tmpfs /tmp
cp -L /etc/resolv.conf "$root/etc/resolv.conf"

# The tree as it is now (changes not yet committed included), copied over the copy of the last
# run. Only a file whose content differs is copied, and it takes the time of the copy: the build
# folders inside recompile what changed, also when the tree was switched to an older revision
# since (a file's own time would then be older than the objects built from its later content).
step "source copied into the root (/srv/tarvis32)"
src=/srv/tarvis32
mkdir -p "$root$src"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard
else
  find . -path ./.git -prune -o -path './build*' -prune -o -type f -printf '%P\0'
fi | while IFS= read -r -d '' f; do
  if [ -e "$f" ] && ! cmp -s "$f" "$root$src/$f"; then
    mkdir -p "$(dirname "$root$src/$f")"
    cp -P --remove-destination "$f" "$root$src/$f"
  fi
done

in_root() { # command... (as root, in the copy of the tree)
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    TERM=dumb sh -c 'cd "$0" && exec "$@"' "$src" "$@"
}

step "scripts/setup.sh --packages-only"
retry 2 in_root scripts/setup.sh --packages-only
# LibreOffice Calc is needed only by the test suite's spreadsheet check: it is fetched and
# unpacked while the build keeps the processors busy.
retry 2 in_root scripts/setup.sh --calc-packages >"$cache/calc-packages.log" 2>&1 &
calc_pid=$!

step "build (scripts/setup.sh build)"
in_root scripts/setup.sh build
in_root sh -c 'echo "Qt $(dpkg-query -W -f "\${Version}" qt6-base-dev), $(g++ --version | head -1)"' || true

step "LibreOffice Calc (scripts/setup.sh --calc-packages, begun with the build)"
calc_status=0
wait "$calc_pid" || calc_status=$?
calc_pid=
cat "$cache/calc-packages.log"
if ((calc_status)); then exit "$calc_status"; fi

step "test suite (ctest, Orca $(in_root orca --version 2>/dev/null | head -1 || echo '?'))"
in_root sh -c 'cd build && ctest --output-on-failure -j"$(nproc)"'

step "Debian package (scripts/package-check.sh)"
in_root scripts/package-check.sh

step "done"
schritt=""
echo "Debian 13: all steps passed in ${SECONDS} s"
exit
}
