#!/bin/sh
# Runs a test inside a private network namespace with only loopback up,
# so the simulated load can take port 111 and no packet leaves the machine.
exec unshare -n -- sh -c 'ip link set lo up && exec "$@"' sh "$@"
