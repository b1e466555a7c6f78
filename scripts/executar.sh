#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo company when it does not exist and starts the
# window program, which opens on company selection (the demo company is in the list).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/instalar-dependencias.sh
bash scripts/compilar.sh
./build/wlumoprod-cli demo
exec ./build/WLumoProd "$@"
