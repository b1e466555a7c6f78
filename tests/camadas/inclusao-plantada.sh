#!/usr/bin/env bash
# The layering check passes on the tree and fails once a wrong include is planted in a copy of it.
set -euo pipefail
SCRIPT="$1"
SRC="$2"
bash "$SCRIPT" "$SRC" >/dev/null
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cp -r "$SRC" "$TMP/src"
printf '#include "shell/Menu.h"\n' >> "$TMP/src/db/Database.cpp"
if saida=$(bash "$SCRIPT" "$TMP/src"); then
    echo "a inclusão plantada passou"
    exit 1
fi
grep -q 'db/Database.cpp: inclui shell/Menu.h' <<<"$saida" || { echo "$saida"; exit 1; }
echo "inclusão plantada recusada"
