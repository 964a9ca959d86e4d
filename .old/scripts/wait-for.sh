# Sourced by the screenshot scripts.
# wait_for CONDITION SECONDS: waits until the shell condition holds, and
# ends the script when it has not within that many seconds.
wait_for() {
    local deadline=$((SECONDS + $2))
    until eval "$1"; do
        [ "$SECONDS" -lt "$deadline" ] || { echo "timed out waiting for: $1" >&2; exit 1; }
        sleep 0.1
    done
}
