#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest (the cross build's emulator).
# WINEPREFIX and WINEPATH come from scripts/windows/test-windows.sh.
set -euo pipefail

# Wine hides QT_* variables from Windows programs and hands on WINEQT_*
# ones under the QT_ name instead.
while IFS= read -r name; do
    export "WINE$name=${!name}"
done < <(compgen -e | grep '^QT_' || true)
# With no console attached QtTest would write to the debugger only.
export WINEQT_FORCE_STDERR_LOGGING=1
# The offscreen platform finds fonts through FreeType, in this folder only.
export WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu'
# The Windows locale, and so the ANSI code page, follows LC_ALL under Wine:
# Western (1252) unless the test is one of the runs under another locale,
# whatever the locale of the shell this runs in.
export LC_ALL="${OJN_TEST_LOCALE:-C}"
export WINEDEBUG="${WINEDEBUG:--all}"
exec wine "$@"
