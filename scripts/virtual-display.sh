# Sourced by the scripts that run Tarvis32 in a real window without a display of their own.
# Starts Xvfb (scripts/xvfb.sh), points DISPLAY at it and copies the program into a scratch
# directory (so its default log file lands there, not in the build tree). Everything started
# here, and whatever the caller keeps in $app_pid, ends when the calling script exits.

source scripts/xvfb.sh
xvfb_pid=
app_pid=
workdir="$(mktemp -d)"
trap 'kill $app_pid 2>/dev/null || true; kill $xvfb_pid 2>/dev/null || true; rm -rf "$workdir"' EXIT
starte_xvfb
cp build/app/Tarvis32 "$workdir/"
