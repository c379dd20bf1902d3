#!/usr/bin/env bash
# Installs what is missing, builds, and starts the back office.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
exec ./build/bin/vmoffice
