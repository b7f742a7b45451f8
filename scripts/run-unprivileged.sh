#!/usr/bin/env bash
# Runs a command without the capabilities that let root write any file, so that file permissions
# bind it as they bind an ordinary user; for anyone else it runs the command as it is.
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
exec setpriv --inh-caps=-all --ambient-caps=-all --bounding-set=-all -- "$@"
