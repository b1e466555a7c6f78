#!/usr/bin/env bash
# Installs what is missing, builds, starts PostgreSQL and runs every test on SQLite and PostgreSQL.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/instalar-dependencias.sh
bash scripts/compilar.sh
eval "$(bash scripts/postgres-testes.sh)"
export LUMO_PG_REQUIRED=1 QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)" --timeout 600
