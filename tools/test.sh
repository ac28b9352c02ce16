#!/usr/bin/env bash
# The project's test command: checks that no include runs upward, installs
# what is missing, then configures, builds and runs every test, once plainly
# and once under AddressSanitizer and UndefinedBehaviorSanitizer, then builds
# and checks the Debian package, and last runs each fuzz target for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/check-layers.sh

bash tools/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
for preset in dev asan; do
    echo "=== $preset ==="
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$jobs"
    ctest --preset "$preset" --parallel "$jobs"
done

echo "=== package ==="
bash tests/package/check-package.sh

bash tools/fuzz.sh 20
