#!/usr/bin/env bash
# Sets up, builds and starts the game from its folder build/game/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec build/game/dalvenor "$@"
