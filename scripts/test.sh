#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

orvanta_install_packages
orvanta_generate_test_locale
orvanta_build
cd "$ORVANTA_BUILD"
ctest --output-on-failure -j "$(nproc)"
