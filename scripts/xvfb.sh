# Sourced by every script that needs a display of its own; defines starte_xvfb.
#   starte_xvfb [<command and words that run Xvfb for someone else>...]
# Starts Xvfb on a display whose number Xvfb picks itself and reports once it takes
# connections, exports DISPLAY for it and sets xvfb_pid to the process started (the words in
# front of Xvfb included). The number is read from Xvfb's standard output, not from a
# descriptor of its own, because a command that runs it as another user may close all others
# (sudo does). The caller ends xvfb_pid.
starte_xvfb() {
  local nummer_datei nummer=""
  nummer_datei="$(mktemp)"
  "$@" Xvfb -displayfd 1 -screen 0 1024x768x24 -br -nolisten tcp >"$nummer_datei" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do
    # A whole line, so that a number still being written is not taken for a shorter one.
    if read -r nummer <"$nummer_datei"; then break; fi
    nummer=""
    sleep 0.1
  done
  rm -f "$nummer_datei"
  if [ -z "$nummer" ]; then
    echo "Xvfb did not start within 10 s" >&2
    return 1
  fi
  export DISPLAY=":$nummer"
  unset WAYLAND_DISPLAY
}
