# shellcheck shell=bash
# Sourced first by a script whose prefix, display or build folders are one for the machine:
# the two architectures' suites run side by side, and this runs the script again under a lock
# named after it, so that its other architecture's run waits for this one to end.
if [ -z "${QUILLOTROPE_ALONE:-}" ]; then
    mkdir -p "$(dirname "$0")/../../build"
    QUILLOTROPE_ALONE=1 exec flock -o "$(dirname "$0")/../../build/e2e-$(basename "$0" .sh).lock" \
        "$0" "$@"
fi
