#!/usr/bin/env bash
# The manifests as Windows reads them from the built programs (wrestool, icoutils): the icon
# changer and the remover ask for administrator rights at start, the updater that Windows runs
# at logon asks for none, and the icon changer lays itself out per monitor.
#   manifests_test.sh APPLICATION_FOLDER
set -u
dist=$1
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
checked=0

manifest() { wrestool -x --raw -t 24 "$dist/$1" 2>/dev/null | tr -d '\r'; }

# expect FILE TEXT WHAT: the manifest of FILE holds TEXT.
expect() {
    checked=$((checked + 1))
    if manifest "$1" | grep -q -F -- "$2"; then
        echo "ok   $1: $3"
    else
        fail "$1: $3 (no $2 in its manifest)"
    fi
}

expect ZelvoDrv.exe 'level="requireAdministrator"' "asks for administrator rights"
expect Purgo.exe 'level="requireAdministrator"' "asks for administrator rights"
expect ZDrvs.dll 'level="asInvoker"' "runs with the rights it is given"
expect ZelvoDrv.exe '>PerMonitorV2<' "is per-monitor DPI aware (v2)"
expect ZelvoDrv.exe '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true<' \
    "is DPI aware before Windows 10"
echo "$((checked - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
