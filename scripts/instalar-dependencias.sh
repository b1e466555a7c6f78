#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need (only what is missing).
set -euo pipefail
PACOTES=(g++ cmake ninja-build pkg-config
         qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql qt6-charts-dev
         libsqlite3-dev libsodium-dev libzint-dev libzxing-dev libxlsxwriter-dev libzip-dev libcurl4-openssl-dev rapidjson-dev
         fonts-liberation fontconfig
         libgtest-dev libgmock-dev googletest libbenchmark-dev poppler-utils
         postgresql postgresql-contrib sqlite3
         dpkg-dev file)
EM_FALTA=()
for p in "${PACOTES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || EM_FALTA+=("$p")
done
if [ ${#EM_FALTA[@]} -gt 0 ]; then
    echo "A instalar: ${EM_FALTA[*]}"
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${EM_FALTA[@]}"
fi
