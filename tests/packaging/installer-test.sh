#!/usr/bin/env bash
# The installer and its uninstaller, run silently as an administrator's script
# or "Add or remove programs" would run them; and the zip's program opened from
# inside the zip, as Explorer runs it.
#   installer-test.sh <build folder> <work folder> <package name> <version> <mailclient.exe> <tray_probe.exe>
# shellcheck source=tests/packaging/common.sh
source "$(dirname "$0")/common.sh"
build=$1 packages=$(packages_folder "$2") work=$(run_folder "$2")/installer name=$3 version=$4
mailclient=$5 tray_probe=$6
make_packages "$build" "$2" "$name" || exit 1
setup=$packages/$name-setup.exe

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tollvane'
settings_key='HKCU\Software\Tollvane'
identity='{5E1D2A4C-7B3F-4E21-9A0D-3C6B8F1E2D47}'
ends_with() { [[ $1 == *"$2" ]] || { echo "   got '$1'"; return 1; }; }
installed() { w 120 "$setup" /S; }
start_menu_entry() { printf '%s/Tollvane.lnk\n' "$(programs_folder)"; }
start_menu_points_at() { points_at "$(start_menu_entry)" "$1"; }

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
[ -n "$dir" ] && [ -d "$dir" ] || { fail "no install folder ($loc, here '$dir')"; exit 1; }
expect "the folder holds the program, its readme, licence, policy templates and uninstaller" \
  only_files "$dir" "LICENSE Uninstall.exe policy readme.txt tollvane.exe "
expect "Tollvane is running, its icon in the notification area" wait_until 60 tray_icon_shown
expect "its Startup shortcut points at the installed program" wait_until 60 shortcut_points_at "$loc\\tollvane.exe"
expect "the user's Start-menu entry Tollvane points at it too" start_menu_points_at "$loc\\tollvane.exe"

echo "== a second copy, started from the install folder =="
# The program has no single-instance guard: the uninstaller must stop both.
rm -f "$(shortcut)"
start_tollvane "$dir/tollvane.exe"; second=$tv_pid
expect "a second copy starts too" wait_until 60 shortcut_exists
timeout 30 wine reg add "$settings_key\\Settings" /v DelayMinutes /d 15 /f </dev/null >/dev/null 2>&1
expect "the delay setting is there before uninstalling" reg_key_exists "$settings_key"

echo "== silent uninstall, run in place =="
uninstalled_in_place() { w 120 "$dir/Uninstall.exe" /S "_?=$loc"; }
expect "the silent uninstall succeeds" uninstalled_in_place
expect "the copy it started was asked to exit and ended cleanly" ended_cleanly "$second" 20
expect "so did the one the installer started: no Tollvane window is left" wait_until 20 no_tollvane_window
for f in tollvane.exe readme.txt LICENSE; do expect_not "$f is removed" exists "$dir/$f"; done
expect_not "the uninstall entry is removed" reg_key_exists "$uninstall_key"
expect_not "the settings key is removed" reg_key_exists "$settings_key"
expect_not "the Startup shortcut is removed" shortcut_exists
expect_not "the Start-menu entry is removed" exists "$(start_menu_entry)"
expect "the mail client's Identities value is left alone" \
  equals "$(reg_value 'HKCU\Identities' 'Last User ID')" "$identity"
# Run in place (_?=), an uninstaller cannot delete itself; that is all that may be left.
rm -f "$dir/Uninstall.exe"
rmdir "$dir" 2>/dev/null
expect_not "nothing else is left in the install folder" exists "$dir"

echo "== reinstall over a running copy, then uninstall as Add/Remove Programs does =="
expect "a first install succeeds again" installed
# The copy the installer started has made its shortcut once its icon shows;
# a second copy of the test's own, whose end the test can see, makes it again.
expect "it starts Tollvane" wait_until 60 tray_icon_shown
rm -f "$(shortcut)"
start_tollvane "$dir/tollvane.exe"; running=$tv_pid
expect "a second copy runs" wait_until 60 shortcut_exists
expect "installing over the running copies succeeds" installed
expect "the running copy was asked to exit and ended cleanly" ended_cleanly "$running" 20
expect "the new version is started again in its place" wait_until 60 tray_icon_shown
echo "my notes" >"$dir/notes.txt"
# The UninstallString: the uninstaller copies itself away, starts the copy and returns.
timeout 60 wine "$dir/Uninstall.exe" /S </dev/null >/dev/null 2>&1
gone() { ! reg_key_exists "$uninstall_key" && [ ! -e "$dir/Uninstall.exe" ] && [ ! -e "$dir/tollvane.exe" ]; }
expect "the uninstall finishes: entry, program and uninstaller gone" wait_until 60 gone
expect "a file of the user's in the install folder is kept" exists "$dir/notes.txt"

echo "== the zip's program, opened inside the zip =="
# Explorer runs it from a copy in the temporary folder, which it empties later.
temp=$(unix_path "$(answer wine cmd /c echo %TEMP%)")/Temp1_$name.zip
mkdir -p "$temp"
unzip -q -o "$packages/$name.zip" -d "$temp" || fail "unzip"
start_tollvane "$temp/$name/tollvane.exe"; zip_copy=$tv_pid
expect "it runs, its icon in the notification area" wait_until 60 tray_icon_shown
sleep 1
expect_not "but writes no Startup shortcut to a file that will be gone" shortcut_exists

echo "== copies run from other folders are left alone =="
rm -f "$dir/notes.txt"
expect "install once more" installed
# stuck <exe> <log>: a window of the program's class that ignores WM_CLOSE and logs it.
stuck() {
  rm -f "$2"
  timeout 300 wine "$1" --ignore-close TollvaneMainForm --log "$(windows_path "$2")" </dev/null >/dev/null 2>&1 &
  stuck_pid=$!
  wait_until 60 exists "$2"
}
# A folder beside, whose name begins with the install folder's.
mkdir -p "${dir}Tray" && cp "$mailclient" "${dir}Tray/stuck.exe"
expect "such a window runs from the folder beside" stuck "${dir}Tray/stuck.exe" "$work/beside.log"
expect "the silent uninstall succeeds beside it and the zip's copy" uninstalled_in_place
expect_not "that window was sent nothing" grep -q close "$work/beside.log"
expect "the zip's copy has kept running through the install and the uninstall" is_running "$zip_copy"
kill "$stuck_pid"; wait "$stuck_pid"

echo "== a copy of ours that will not exit, started through its 8.3 path =="
loc=${loc}Tray dir=${dir}Tray
expect "install into the folder beside" w 120 "$setup" /S "/D=$loc"
exe=$(short_path "$loc\\stuck.exe")
[ "$exe" != "$loc\\stuck.exe" ] || echo "   (Wine gives no short name here: started by its long path)"
expect "such a window runs from the install folder, started so" stuck "$exe" "$work/stuck.log"
started=$SECONDS
expect_not "the silent uninstall reports failure instead of success" uninstalled_in_place
expect "and gives up within 30 s" [ $((SECONDS - started)) -le 30 ]
expect "having asked it to exit" grep -q close "$work/stuck.log"
expect "the program is left installed" exists "$dir/tollvane.exe"
expect "with its uninstall entry" reg_key_exists "$uninstall_key"

echo "== the installer's pages in the world's language =="
# NSIS's own title of each language's pages: the installer picks the language of
# the person's Windows, and English for any it does not speak.
case ${LC_ALL%%_*} in
  de) title="Installation von Tollvane $version" ;;
  fr) title="Installation de Tollvane $version" ;;
  es) title="Instalación de Tollvane $version" ;;
  ja) title="Tollvane $version セットアップ" ;;
  *) title="Tollvane $version Setup" ;;
esac
timeout 120 wine "$setup" </dev/null >/dev/null 2>&1 &
page_titles() { xdotool search --name "Tollvane $version" getwindowname %@ 2>/dev/null | sed "s/ *$//"; }
page_title() { page_titles | grep -qxF "$title"; }
# A loaded machine has once taken over 30 s to show it.
expect "the first page is titled '$title'" wait_until 60 page_title
page_title || echo "   windows named so: '$(page_titles | tr '\n' '|')'"

echo
echo "$failures failed"
[ "$failures" -eq 0 ]
