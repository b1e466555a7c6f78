#!/usr/bin/env bash
# Configures build/ (Ninja). Optimised without debugging information: on two cores the debugging
# information costs about as much compile and link time as the code itself.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
