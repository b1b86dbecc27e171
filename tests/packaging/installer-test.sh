#!/usr/bin/env bash
# The installer and its uninstaller, run silently as an administrator's script
# or "Add or remove programs" would run them.
#   installer-test.sh <work folder> <package name> <version> <ignores_close.exe>
source "$(dirname "$0")/common.sh"
packages=$(packages_folder "$1") work=$(run_folder "$1")/installer name=$2 version=$3 ignores_close=$4
setup=$packages/$name-setup.exe
[ -f "$setup" ] || { echo "FAIL: no installer $setup"; exit 1; }

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tollvane'
settings_key='HKCU\Software\Tollvane'
identity='{5E1D2A4C-7B3F-4E21-9A0D-3C6B8F1E2D47}'
equals() { [ "$1" = "$2" ] || { echo "   got '$1', expected '$2'"; return 1; }; }
ends_with() { [[ $1 == *"$2" ]] || { echo "   got '$1'"; return 1; }; }
only_files() { local got; got=$(cd "$1" && ls -A | sort | tr '\n' ' '); equals "$got" "$2"; }
exists() { [ -e "$1" ]; }
installed() { w 120 "$setup" /S; }

fresh_wine "$work"
timeout 30 wine reg add 'HKCU\Identities' /v 'Last User ID' /d "$identity" /f </dev/null >/dev/null 2>&1

echo "== silent install =="
expect "the silent install succeeds" installed
loc=$(reg_value "$uninstall_key" InstallLocation)
expect "it installs for the user, under LOCALAPPDATA\\Programs" ends_with "$loc" '\AppData\Local\Programs\Tollvane'
expect "uninstall entry: DisplayName" equals "$(reg_value "$uninstall_key" DisplayName)" Tollvane
expect "uninstall entry: DisplayVersion" equals "$(reg_value "$uninstall_key" DisplayVersion)" "$version"
expect "uninstall entry: Publisher" equals "$(reg_value "$uninstall_key" Publisher)" "Brackwyn Software"
expect "uninstall entry: UninstallString" equals "$(reg_value "$uninstall_key" UninstallString)" "\"$loc\\Uninstall.exe\""
dir=$(unix_path "$loc")
[ -n "$dir" ] && [ -d "$dir" ] || { fail "no install folder ($loc)"; exit 1; }
expect "the folder holds the program, its readme, licence, policy templates and uninstaller" \
  only_files "$dir" "LICENSE Uninstall.exe policy readme.txt tollvane.exe "

echo "== Tollvane started from the install folder =="
start_tollvane "$dir/tollvane.exe"; first=$tv_pid
expect "it makes its Startup shortcut to the installed program" wait_until 60 shortcut_points_at "$loc\\tollvane.exe"
# A second copy (the program has no single-instance guard): the uninstaller must stop both.
rm -f "$(shortcut)"
start_tollvane "$dir/tollvane.exe"; second=$tv_pid
expect "a second copy starts too" wait_until 60 shortcut_exists
timeout 30 wine reg add "$settings_key\\Settings" /v DelayMinutes /d 15 /f </dev/null >/dev/null 2>&1
expect "the delay setting is there before uninstalling" reg_key_exists "$settings_key"

echo "== silent uninstall, run in place =="
uninstalled_in_place() { w 120 "$dir/Uninstall.exe" /S "_?=$loc"; }
expect "the silent uninstall succeeds" uninstalled_in_place
expect "the first copy was asked to exit and ended cleanly" ended_cleanly "$first" 20
expect "the second copy too" ended_cleanly "$second" 20
for f in tollvane.exe readme.txt LICENSE; do expect_not "$f is removed" exists "$dir/$f"; done
expect_not "the uninstall entry is removed" reg_key_exists "$uninstall_key"
expect_not "the settings key is removed" reg_key_exists "$settings_key"
expect_not "the Startup shortcut is removed" shortcut_exists
expect "the mail client's Identities value is left alone" \
  equals "$(reg_value 'HKCU\Identities' 'Last User ID')" "$identity"
# Run in place (_?=), an uninstaller cannot delete itself; that is all that may be left.
rm -f "$dir/Uninstall.exe"
rmdir "$dir" 2>/dev/null
expect_not "nothing else is left in the install folder" exists "$dir"

echo "== reinstall over a running copy, then uninstall as Add/Remove Programs does =="
expect "a first install succeeds again" installed
start_tollvane "$dir/tollvane.exe"; running=$tv_pid
expect "the installed copy runs" wait_until 60 shortcut_exists
rm -f "$(shortcut)"
expect "installing over the running copy succeeds" installed
expect "the running copy was asked to exit and ended cleanly" ended_cleanly "$running" 20
expect "the new version is started again in its place" wait_until 60 shortcut_exists
echo "my notes" >"$dir/notes.txt"
# The UninstallString: the uninstaller copies itself away, starts the copy and returns.
timeout 60 wine "$dir/Uninstall.exe" /S </dev/null >/dev/null 2>&1
gone() { ! reg_key_exists "$uninstall_key" && [ ! -e "$dir/Uninstall.exe" ] && [ ! -e "$dir/tollvane.exe" ]; }
expect "the uninstall finishes: entry, program and uninstaller gone" wait_until 60 gone
expect "a file of the user's in the install folder is kept" exists "$dir/notes.txt"

echo "== a copy that will not exit =="
rm -f "$dir/notes.txt"
expect "install once more" installed
ready=$work/ignores-close.ready
rm -f "$ready"
timeout 300 wine "$ignores_close" TollvaneMainForm "$(timeout 30 winepath -w "$ready" | tr -d '\r')" \
  </dev/null >/dev/null 2>&1 &
expect "a window of the program's class that ignores WM_CLOSE is up" wait_until 60 exists "$ready"
started=$SECONDS
expect_not "the silent uninstall reports failure instead of success" uninstalled_in_place
expect "and gives up within 30 s" [ $((SECONDS - started)) -le 30 ]
expect "the program is left installed" exists "$dir/tollvane.exe"
expect "with its uninstall entry" reg_key_exists "$uninstall_key"

echo
echo "$failures failed"
[ "$failures" -eq 0 ]
