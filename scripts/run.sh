#!/usr/bin/env bash
# Sets up, builds and starts Tarnel.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" "$here/build"
exec "$here/build/tarnel" "$@"
