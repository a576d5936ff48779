# Sourced by the shell tests. fail records a failed check and lets the test go on, so that one
# run names every failure; the test ends by saying how many failed (failures) and fails itself
# when one did.
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
