# Sourced by the scripts that run Tarvis32 in a real window without a display of their own.
# Starts Xvfb on a free display, points DISPLAY at it and copies the program into a scratch
# directory (so its default log file lands there, not in the build tree). Everything started
# here, and whatever the caller keeps in $app_pid, ends when the calling script exits.

n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -br -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
app_pid=
workdir="$(mktemp -d)"
trap 'kill $app_pid 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$workdir"' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
export DISPLAY=":$n"
unset WAYLAND_DISPLAY
cp build/app/Tarvis32 "$workdir/"
