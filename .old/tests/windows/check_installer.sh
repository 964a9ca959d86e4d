#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix, on an X display:
# both programs carry their icon, version and manifest; a silent install
# puts the files, the Start menu shortcut and the registry values in place;
# the chart type's registered command opens a chart in the editor; the
# silent uninstall, run as Add or Remove Programs runs it, takes away all
# that and nothing else, keeping a chart left in the program's folder.
# Usage: check_installer.sh SETUP VERSION MAKE_SAMPLE_CHART_EXE
set -euo pipefail
setup=$(realpath "$1") version=$2 make_chart=$3
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/wait-for.sh"
source "$here/../../scripts/windows/lookups.sh"
fail() { echo "FAIL: $*"; exit 1; }
same() { [ "$2" = "$3" ] || { diff <(echo "$3") <(echo "$2") || true; fail "$1"; }; }

work=$(mktemp -d)
# No menu entries or icons for the Linux desktop from Wine's shortcuts.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8 # file names in UTF-8, and so Korean ones
trap 'wineserver --kill 2>/dev/null || true; rm -rf "$work"' EXIT
wine wineboot --init </dev/null >/dev/null 2>&1
wineserver --wait
# Another program's offer for charts, which must outlive ours.
wine reg add 'HKCU\Software\Classes\.ojn\OpenWithProgids' /v Other.Chart /d "" /f >/dev/null
wineserver --wait
registry() { grep -v '^#time=' "$WINEPREFIX/user.reg" | sed -E 's/^(\[.*\]) [0-9]+$/\1/'; }
before=$(registry)

wine "$setup" /S
wineserver --wait
user=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public)
installed="$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/OJN Tevrik Editor"
shortcut="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/OJN Tevrik Editor.lnk"
[ -d "$installed" ] || fail "nothing installed in $installed"
same "installed files" "$(cd "$installed" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)" \
    "$( (unzip -Z1 "${setup%-setup.exe}.zip" | sed -n 's|^[^/]*/\(.*[^/]\)$|\1|p' | grep -vx README.txt; echo uninstall.exe) | LC_ALL=C sort)"
[ -f "$shortcut" ] || fail "no Start menu shortcut"

# Resources: the icons (14), the version (16) and the manifest (24).
for program in ojn-tevrik-editor ojn-header; do
    exe="$installed/$program.exe"
    types=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[0-9a-f]*   Entry: ID: 0x0*\([0-9a-f]*\),.*/\1/p' | tr '\n' ' ')
    same "$program's resource types" "$types" "3 e 10 18 "
    same "$program's version" "$(strings -el "$exe" | grep -A1 -x -e FileVersion -e ProductVersion | grep -v -e -- -e Version)" \
        "$version"$'\n'"$version"
    grep -q 'PerMonitorV2' "$exe" && ! grep -q '<activeCodePage' "$exe" || fail "$program's manifest"
done

dir="C:\\users\\$user\\AppData\\Local\\Programs\\OJN Tevrik Editor"
editor="$dir\\ojn-tevrik-editor.exe"
same "the chart type in the registry" "$(wine reg query 'HKCU\Software\Classes' /s | tr -d '\r' | sed '/^$/d')" \
"HKEY_CURRENT_USER\\Software\\Classes\\.ojn
HKEY_CURRENT_USER\\Software\\Classes\\.ojn\\OpenWithProgids
    OJNTevrikEditor.Chart    REG_SZ    
    Other.Chart    REG_SZ    
HKEY_CURRENT_USER\\Software\\Classes\\OJNTevrikEditor.Chart
    (Default)    REG_SZ    O2Jam note chart
HKEY_CURRENT_USER\\Software\\Classes\\OJNTevrikEditor.Chart\\DefaultIcon
    (Default)    REG_SZ    \"$editor\",-2
HKEY_CURRENT_USER\\Software\\Classes\\OJNTevrikEditor.Chart\\shell
HKEY_CURRENT_USER\\Software\\Classes\\OJNTevrikEditor.Chart\\shell\\open
HKEY_CURRENT_USER\\Software\\Classes\\OJNTevrikEditor.Chart\\shell\\open\\command
    (Default)    REG_SZ    \"$editor\" \"%1\""
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\OJN Tevrik Editor'
entry=$(wine reg query "$uninstall_key" | tr -d '\r' | sed '/^$/d' | sed 1d | LC_ALL=C sort)
same "the Add or Remove Programs entry" "$(sed '/EstimatedSize/d' <<<"$entry")" \
"    DisplayIcon    REG_SZ    \"$editor\",0
    DisplayName    REG_SZ    OJN Tevrik Editor
    DisplayVersion    REG_SZ    $version
    InstallLocation    REG_SZ    $dir
    NoModify    REG_DWORD    0x1
    NoRepair    REG_DWORD    0x1
    Publisher    REG_SZ    OJN Tevrik Editor developers
    QuietUninstallString    REG_SZ    \"$dir\\uninstall.exe\" /S
    UninstallString    REG_SZ    \"$dir\\uninstall.exe\""

# Opening a chart from Explorer. Wine's shell looks only at the machine's
# file types (HKLM), and there only at a type's default, so `wine start`
# cannot see a per-user offer. The registered command, as it stands, goes
# where Wine's shell looks, chosen as the default as a user would choose it;
# Wine's shell then runs it as Explorer does, %1 replaced by the chart.
command=$(wine reg query 'HKCU\Software\Classes\OJNTevrikEditor.Chart\shell\open\command' /ve | tr -d '\r' |
          sed -n 's/^    (Default)    REG_SZ    //p')
wine reg add 'HKLM\Software\Classes\OJNTevrikEditor.Chart\shell\open\command' /ve /d "$command" /f >/dev/null
wine reg add 'HKLM\Software\Classes\.ojn' /ve /d OJNTevrikEditor.Chart /f >/dev/null
wine "$make_chart" "$(windows_path "$work")\\sample.ojn"
mkdir "$work/노래 모음"
chart="$work/노래 모음/o2ma1042.ojn"
cp "$work/sample.ojn" "$chart"
inode=$(stat -c %i "$chart")
wine start /unix "$chart"
wait_for 'main=$(xdotool search --onlyvisible --name "^OJN Tevrik Editor" | head -n 1); [ -n "$main" ]' 120
# Save, 19 pixels above the bottom of the 527 by 295 client area, saves only
# the chart the editor has open: a new file in its place.
wait_for 'eval "$(xdotool getwindowgeometry --shell "$main")"; xdotool mousemove --window "$main" 419 $((HEIGHT - 19)) click 1;
          sleep 1; [ "$(stat -c %i "$chart")" != "$inode" ]' 60
header() { wine "$installed/ojn-header.exe" show "$(windows_path "$1")" | grep -v '^File:'; }
same "the chart after an unedited save" "$(header "$chart")" "$(header "$work/sample.ojn")"
wineserver --kill
wineserver --wait

# The uninstaller, as Add or Remove Programs starts it.
cp "$work/sample.ojn" "$installed/my chart.ojn"
wine "$(sed -n 's/^    QuietUninstallString    REG_SZ    "\(.*\)" \/S$/\1/p' <<<"$entry")" /S
wineserver --wait
same "what the uninstaller left" "$(cd "$installed" && find . | LC_ALL=C sort)" $'.\n./my chart.ojn'
[ ! -e "$shortcut" ] || fail "the Start menu shortcut is still there"
same "the registry after the uninstaller" "$(registry)" "$before"
echo "installer ok"
