#!/usr/bin/env bash
# Validates the AppStream metadata as the software centres read it, without the network.
#   scripts/validate-metainfo.sh FILE
# The program has no web address of its own, and a made-up one would be worse than none.
# AppStream 1.0 (Debian 13) warns of the missing homepage and so fails the file; the warning is
# turned into a note there. AppStream 0.16 (Debian 12) has no such warning and does not know
# its name, so it validates the file as it is.
set -uo pipefail
datei="$1"
ausgabe="$(appstreamcli validate --no-net --override=url-homepage-missing=info "$datei" 2>&1)"
status=$?
if ((status)) && grep -q "url-homepage-missing' is not recognized" <<<"$ausgabe"; then
  exec appstreamcli validate --no-net "$datei"
fi
echo "$ausgabe"
exit "$status"
