#!/usr/bin/env bash
# Builds the Debian package tarvis32 from the working tree (changes not yet committed included)
# into build-deb/ and prints the path of the .deb. Installs the build tools that are missing.
# A second run rebuilds only what changed: the copy of the tree and the CMake build folder in it
# are kept between runs.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  dpkg-dev debhelper lintian
  # What every package build needs (a root made by debootstrap has no compiler of its own)
  build-essential
  # Build-Depends of debian/control
  cmake ninja-build qt6-base-dev qt6-charts-dev libqt6opengl6-dev
)
scripts/install-packages.sh "${packages[@]}"

# dpkg-buildpackage writes beside the source folder, so the tree is copied into build-deb/ and
# built there: nothing lands next to the checkout. Unchanged files keep their times, so the
# build folder (kept by -nc) recompiles only what changed.
out=build-deb
src="$out/tarvis32"
# debian/ is copied afresh, since dh's stamps there would skip the build of changed sources.
rm -rf "$src/debian"
mkdir -p "$src"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$src"
else
  tar --exclude='./build*' --exclude=./.git -cf - . | tar -xf - -C "$src"
fi
rm -f "$out"/tarvis32_* "$out"/tarvis32-dbgsym_*

(
  cd "$src"
  dpkg-checkbuilddeps
  dpkg-buildpackage -b -nc -us -uc -j"$(nproc)" >../build.log 2>&1 || {
    tail -40 ../build.log >&2
    exit 1
  }
)
version="$(dpkg-parsechangelog -l debian/changelog -S Version)"
deb="$(pwd)/$out/tarvis32_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb"
test -f "$deb"
echo "$deb"
