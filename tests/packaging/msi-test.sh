#!/usr/bin/env bash
# The Windows Installer package, as an administrator's script runs it: a silent
# machine-wide install, Tollvane started from the all-users Startup folder as a
# logon starts it, a silent uninstall with Tollvane running, and an upgrade from
# a package with a lower version.
#   msi-test.sh <build folder> <work folder> <version> <package> <older package> <tray_probe.exe>
# shellcheck source=tests/packaging/common.sh
source "$(dirname "$0")/common.sh"
work=$(run_folder "$2")/msi version=$3 package=$4 older=$5 tray_probe=$6
for f in "$package" "$older"; do [ -s "$f" ] || { echo "FAIL: no package $f (is wixl installed?)"; exit 1; }; done

fresh_wine "$work"
uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
shell_folders='HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
event_source='HKLM\System\CurrentControlSet\Services\EventLog\Application\Tollvane'
# Whether a copy started from the install folder runs in this world (not this
# script's child: the logon started it).
installed_copy_runs() {
  local p
  for p in $(pgrep -f 'Program Files.Tollvane.tollvane\.exe'); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
installed_copy_ended() { ! installed_copy_runs; }

program_files=$(w 30 cmd /c echo %ProgramFiles% | tr -d '\r')
folder=$program_files\\Tollvane exe=$program_files\\Tollvane\\tollvane.exe
dir=$(unix_path "$folder")
common_startup=$(reg_value "$shell_folders" 'Common StartUp')
common_programs=$(reg_value "$shell_folders" 'Common Programs')
[ -n "$dir" ] && [ -n "$common_startup" ] && [ -n "$common_programs" ] || { fail "the prefix names no folders"; exit 1; }
startup_entry=$(unix_path "$common_startup")/"Shortcut to Tollvane.lnk"
menu_entry=$(unix_path "$common_programs")/Tollvane.lnk

# Windows Installer takes the all-users Startup and Programs folders for a
# machine-wide install; Wine's msi takes the person's own (a FIXME in its
# source). While msiexec runs, the person's folders are pointed at the
# all-users ones, so that the package's shortcuts go where Windows puts them.
user_shell='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
own_startup=$(reg_value "$user_shell" Startup) own_programs=$(reg_value "$user_shell" Programs)
[ -n "$own_startup" ] && [ -n "$own_programs" ] || { fail "the prefix names no Startup folder of the person's"; exit 1; }
point_folders() {
  timeout 30 wine reg add "$user_shell" /v Startup /t REG_EXPAND_SZ /d "$1" /f </dev/null >/dev/null 2>&1
  timeout 30 wine reg add "$user_shell" /v Programs /t REG_EXPAND_SZ /d "$2" /f </dev/null >/dev/null 2>&1
}
msiexec() {
  local rc
  point_folders "$common_startup" "$common_programs"
  w 180 msiexec "$@" /qn; rc=$?
  point_folders "$own_startup" "$own_programs"
  return $rc
}
# The Add or Remove Programs entries of Tollvane: their product codes.
entries() {
  timeout 60 wine reg query "$uninstall_root" /s </dev/null 2>/dev/null | tr -d '\r' \
    | awk '/^HKEY/ { key = $0 } /^    DisplayName    REG_SZ    Tollvane$/ { sub(/.*\\/, "", key); print key }'
}
one_entry_of() {
  local codes; codes=$(entries)
  [ "$(wc -w <<<"$codes")" -eq 1 ] || { echo "   entries: $codes"; return 1; }
  equals "$(reg_value "$uninstall_root\\$codes" DisplayVersion)" "$1" || return 1
  equals "$(reg_value "$uninstall_root\\$codes" Publisher)" "Brackwyn Software"
}
# The event log's source Tollvane, its messages in the installed program.
source_registered() {
  equals "$(reg_value "$event_source" EventMessageFile)" "$exe" && equals "$(reg_value "$event_source" TypesSupported)" 0x7
}
nothing_left() {
  local left=0
  ! reg_key_exists "$event_source" || { echo "   left: the event source"; left=1; }
  for f in "$dir" "$startup_entry" "$menu_entry"; do [ -e "$f" ] && { echo "   left: $f"; left=1; }; done
  [ -z "$(entries)" ] || { echo "   left: the Add or Remove Programs entry"; left=1; }
  return $left
}

echo "== silent install =="
expect "msiexec /i /qn exits 0" msiexec /i "$(windows_path "$package")"
expect "Program Files\\Tollvane holds the program, its readme, licence and policy templates" \
  only_files "$dir" "LICENSE policy readme.txt tollvane.exe "
expect "the policy templates in every language" \
  only_files "$dir/policy" "de-DE en-US es-ES fr-FR ja-JP tollvane.adm tollvane.admx "
expect "the all-users Startup folder starts the installed program" points_at "$startup_entry" "$exe"
expect "the all-users Start-menu entry Tollvane points at it too" points_at "$menu_entry" "$exe"
expect "Add or Remove Programs lists Tollvane $version, once" one_entry_of "$version"
expect "the event log's source Tollvane is registered" source_registered
expect_not "the person's own Startup folder holds no shortcut" shortcut_exists

echo "== the logon: the all-users Startup shortcut started as Explorer starts it =="
# A shortcut of the person's own to the same program, as a start before the
# machine-wide install left it: the program takes it away, and writes none.
mkdir -p "$(dirname "$(shortcut)")" && cp "$startup_entry" "$(shortcut)"
w 30 start "$(windows_path "$startup_entry")"
expect "Tollvane runs, its icon in the notification area" wait_until 60 tray_icon_shown
expect "it is the installed program" installed_copy_runs
no_shortcut() { ! shortcut_exists; }
expect "it takes away the person's own shortcut to it" wait_until 30 no_shortcut
sleep 1
expect_not "and the person's Startup folder still holds no shortcut of its own" shortcut_exists

echo "== silent uninstall while it runs =="
# A person's own install elsewhere is not the package's to stop.
own=$(user_folder "AppData/Local")/Programs/Tollvane
mkdir -p "$own" && cp "$dir/tollvane.exe" "$own/"
start_tollvane "$own/tollvane.exe"; own_pid=$tv_pid
expect "a person's own copy runs beside it" wait_until 60 shortcut_exists
timeout 30 wine reg add 'HKCU\Software\Tollvane\Settings' /v DelayMinutes /d 15 /f </dev/null >/dev/null 2>&1
expect "msiexec /x <package> /qn exits 0" msiexec /x "$(windows_path "$package")"
expect "nothing of the package is left: files, folder, shortcuts, entry, event source" nothing_left
expect "the copy the logon started was asked to exit and ended" wait_until 20 installed_copy_ended
expect "the person's own copy keeps running" is_running "$own_pid"
expect "the person's settings are kept" equals "$(reg_value 'HKCU\Software\Tollvane\Settings' DelayMinutes)" 15
kill "$own_pid" 2>/dev/null; rm -f "$(shortcut)"

echo "== upgrade from a lower version, with the older one running =="
expect "the older package installs" msiexec /i "$(windows_path "$older")"
old_code=$(entries)
expect "Add or Remove Programs lists the older version" one_entry_of 0.9.0
start_tollvane "$(short_path "$exe")"; old_pid=$tv_pid
expect "the older version runs, started through its 8.3 path" wait_until 60 tray_icon_shown
expect "the newer package installs over it" msiexec /i "$(windows_path "$package")"
expect "the running older copy was asked to exit and ended cleanly" ended_cleanly "$old_pid" 20
expect "one entry is left, the newer version's" one_entry_of "$version"
expect_not "the older version's entry is gone" reg_key_exists "$uninstall_root\\$old_code"
expect "the program is in place" exists "$dir/tollvane.exe"
expect "the all-users Startup shortcut is in place" points_at "$startup_entry" "$exe"
expect "the event source is still registered" source_registered

echo "== silent uninstall by product code =="
code=$(entries)
expect "msiexec /x $code /qn exits 0" msiexec /x "$code"
expect "nothing is left" nothing_left

echo
echo "$failures failed"
[ "$failures" -eq 0 ]
