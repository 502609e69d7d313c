#!/bin/bash
# Runs a command with a private PulseAudio server holding one null sink ("Null Output"), so
# playback tests hear nothing and need no sound card. Exit 77 (skipped) without pulseaudio.
set -u
command -v pulseaudio >/dev/null || { echo "pulseaudio is not installed"; exit 77; }
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime
unset PULSE_SERVER
export ZEPHANE_EXPECT_AUDIO=1
pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=stderr --log-level=error \
  -L module-null-sink -L module-native-protocol-unix &
server=$!
for _ in $(seq 50); do [ -S "$runtime/pulse/native" ] && break; sleep 0.1; done
"$@"
status=$?
kill $server 2>/dev/null; wait $server 2>/dev/null
rm -rf "$runtime"
exit $status
