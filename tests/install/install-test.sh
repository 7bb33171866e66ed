#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves the prefix elsewhere, and
# runs the installed programs from an empty directory: the batch program on the
# installed example, the window program (without a display it prints its report
# and ends) on the start-up domain it finds under the prefix.
# Usage: install-test.sh BUILD_DIR VERSION gui|headless
set -euo pipefail
build=$1
version=$2
kind=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
expected=(bin/vexmolda-batch share/man/man1/vexmolda-batch.1 share/doc/vexmolda/README.md
          share/vexmolda/examples/rocket.pln share/vexmolda/examples/blocks.pln
          share/vexmolda/examples/gripper.pln share/vexmolda/examples/logistics.pln)
if [ "$kind" = gui ]; then
    expected+=(bin/vexmolda share/man/man1/vexmolda.1 share/vexmolda/verdanasmall.glf)
fi
for file in "${expected[@]}"; do
    [ -s "$scratch/prefix/$file" ] || fail "not installed: $file"
done
[ -x "$scratch/prefix/bin/vexmolda-batch" ] || fail "vexmolda-batch is not executable"
cmp -s "$scratch/prefix/share/vexmolda/examples/rocket.pln" "$(dirname "$0")/../../examples/rocket.pln" ||
    fail "installed rocket.pln differs from examples/rocket.pln"

# A relocated prefix must still work: nothing may depend on where it was installed.
mv "$scratch/prefix" "$scratch/moved"
prefix=$scratch/moved
mkdir "$scratch/empty"
cd "$scratch/empty"

[ "$("$prefix/bin/vexmolda-batch" --version)" = "vexmolda $version" ] || fail "vexmolda-batch --version"
output=$("$prefix/bin/vexmolda-batch" "$prefix/share/vexmolda/examples/rocket.pln" -c "solve a*") ||
    fail "vexmolda-batch exited with $?"
grep -q '^Solution found' <<<"$output" || fail "no solution from the installed example: $output"
grep -q 'unload(a,r,paris)' <<<"$output" || fail "the plan does not unload at paris: $output"

if [ "$kind" = gui ]; then
    [ "$("$prefix/bin/vexmolda" --version)" = "vexmolda $version" ] || fail "vexmolda --version"
    # No display: the window cannot open, the start-up domain is still loaded and reported.
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/vexmolda" </dev/null)
    grep -q 'GLFW failed to initialize!' <<<"$output" || fail "the window program opened a window? $output"
    grep -q '^Atoms: cargo:a, cargo:b' <<<"$output" || fail "installed rocket.pln not loaded: $output"
    ! grep -q 'not found' <<<"$output" || fail "a start-up file was not found: $output"
    # A rocket.pln in the working directory still wins.
    echo "type fromworkingdirectory" >rocket.pln
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/vexmolda" </dev/null)
    grep -q '^Types: any, fromworkingdirectory' <<<"$output" || fail "working directory's rocket.pln ignored: $output"
fi
echo "installed, moved and run from $prefix"
