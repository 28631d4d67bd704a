#!/usr/bin/env bash
# End-to-end tests of the release artefacts under Wine, in a fresh prefix of their own
# (build/install-test/prefix; the project's prefix is untouched): silent install, start from
# the installed path, upgrade, uninstall, an install into a folder the user cannot write, and
# the portable zip. Run by scripts/test.sh after scripts/release.sh; needs DISPLAY.
#
# A read-only folder must refuse the program's writes, which root's never are: when run as
# root the Wine side runs as the unprivileged user tabrix-test.
# Prints one GoogleTest-style verdict a case and "install tests: P passed, F failed".
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
release=$here/build/release
setup_exe=$(ls "$release"/Tabrix-*-setup.exe 2>/dev/null | head -n 1)
zip=$(ls "$release"/Tabrix-*-portable.zip 2>/dev/null | head -n 1)
stage=$(ls -d "$release"/stage/Tabrix-*/ 2>/dev/null | head -n 1)
runner=$(find "$here/build/win32-tests" -name start_tabrix.exe 2>/dev/null | head -n 1)
if [ -z "$setup_exe" ] || [ -z "$zip" ] || [ -z "$stage" ] || [ -z "$runner" ]; then
  echo "install tests: build the release (scripts/release.sh) and the win32-tests preset first" >&2
  echo "install tests: 0 passed, 1 failed"
  exit 1
fi

work=$here/build/install-test
as=()
if [ "$(id -u)" = 0 ]; then
  user=tabrix-test
  id "$user" >/dev/null 2>&1 ||
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user" 2>/dev/null ||
    id "$user" >/dev/null 2>&1 || { echo "install tests: cannot make the user $user" >&2; exit 1; }
  as=(runuser -u "$user" --)
  # The user never reads the checkout (root's home is closed to others): everything it needs
  # is copied below into a folder of its own, one per checkout so that two clones never share.
  work=/tmp/tabrix-install-test-$(printf '%s' "$here" | md5sum | cut -c1-12)
fi
# What a run that stopped half-way left: its Wine server, a folder made read-only.
[ -d "$work/prefix" ] && "${as[@]}" env WINEPREFIX="$work/prefix" HOME="$work/home" wineserver -k >/dev/null 2>&1
chmod -R u+w "$work" 2>/dev/null
rm -rf "$work"
mkdir -p "$work/home" "$work/files"
cp "$setup_exe" "$work/files/setup.exe"
cp "$zip" "$work/files/portable.zip"
cp "$runner" "$work/files/start_tabrix.exe"
# What was packed, to compare the installed files with, and how the project runs Wine.
cp -a "$stage" "$work/stage"
stage=$work/stage
cp "$here/scripts/wine-env.sh" "$work/wine-env.sh"
[ ${#as[@]} -gt 0 ] && chown -R "$user" "$work"
# Every command below runs in the work folder, which the test user can enter (Wine needs
# its working folder).
cd "$work" || exit 1

prefix=$work/prefix
drive=$prefix/drive_c
# Every Wine command of these tests: the test user, the test prefix, output to a file (Wine's
# helper processes would hold a pipe open).
as_user() {
  "${as[@]}" env PATH=/usr/local/bin:/usr/bin:/bin HOME="$work/home" WINEPREFIX="$prefix" DISPLAY="$DISPLAY" \
    bash "$work/wine-env.sh" exec "$@"
}
w() { as_user "$@" >"$work/out.txt" 2>&1 </dev/null; }
files='C:\files'
installed="$drive/Program Files/Tabrix"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tabrix'

passed=0; failed=0; problems=()
expect() {  # expect <description> <command...>
  local what=$1; shift
  "$@" || problems+=("$what")
}
run_case() {
  local name=$1 start=$(date +%s%N)
  problems=()
  "$name"
  local ms=$(( ($(date +%s%N) - start) / 1000000 ))
  if [ ${#problems[@]} -eq 0 ]; then
    echo "[       OK ] Release.$name ($ms ms)"; passed=$((passed + 1))
  else
    for p in "${problems[@]}"; do echo "Failure: $p"; done
    echo "[  FAILED  ] Release.$name ($ms ms)"; failed=$((failed + 1))
  fi
}
has_key() { w wine reg query "$uninstall_key" /v UninstallString; }
no_key() { ! has_key; }
links() { find "$drive" -iname '*Tabrix*.lnk' 2>/dev/null; }
has_link() { links | grep -qi -- "$1"; }  # Wine spells it "StartUp"
same_file() { cmp -s "$1" "$2"; }
put() { "${as[@]}" sh -c 'printf "$2" >"$1"' _ "$1" "$2"; }  # as the user who owns the prefix
contains() { grep -q -- "$2" "$1" 2>/dev/null; }
# The uninstaller hands over to a copy of itself in the temporary folder and returns at once.
wait_gone() {
  local i
  for i in $(seq 600); do [ -e "$1" ] || return 0; sleep 0.1; done
  return 1
}
# The copy goes on removing after the original is gone: wait for each effect, up to 30 s.
wait_for() {
  local i
  for i in $(seq 300); do "$@" && return 0; sleep 0.1; done
  return 1
}
no_links() { test -z "$(links)"; }
no_user_key() { ! w wine reg query "${uninstall_key/HKLM/HKCU}" /v UninstallString; }
wait_no_key() {
  local i
  for i in $(seq 30); do no_key && return 0; sleep 1; done
  return 1
}
start_tabrix() {  # start_tabrix <windows path of Tabrix.exe> [left top]
  w wine "$files\\start_tabrix.exe" "$@"
  local rc=$?
  grep -q '^window "Tabrix"' "$work/out.txt" || { cat "$work/out.txt"; return 1; }
  return $rc
}
appdata=""

FreshPrefixBoots() {
  "${as[@]}" env PATH=/usr/local/bin:/usr/bin:/bin HOME="$work/home" WINEPREFIX="$prefix" DISPLAY="$DISPLAY" \
    bash "$work/wine-env.sh" boot >"$work/out.txt" 2>&1 </dev/null
  expect "the prefix booted" test -f "$prefix/system.reg"
  "${as[@]}" cp -r "$work/files" "$drive/files"
  w wine cmd /c echo %APPDATA%
  appdata=$(realpath -m "$(as_user winepath -u "$(tr -d '\r' <"$work/out.txt")" 2>/dev/null)")
  expect "the fresh prefix names an application-data folder" test -d "$appdata"
}

SilentInstallPutsTheProgramShortcutsAndUninstallEntryInPlace() {
  w wine "$files\\setup.exe" /S /STARTUP
  expect "setup.exe /S succeeds" test $? = 0
  local f
  for f in Tabrix.exe tabrix.chm config.ini drives.inf readme.txt LICENSE.txt uninstall.exe; do
    expect "$f installed" test -f "$installed/$f"
  done
  for f in $(cd "$stage" && find skins winamp_buttons -type f); do
    expect "$f installed as built" same_file "$stage/$f" "$installed/$f"
  done
  expect "the first-run config.ini installed" same_file "$stage/config.ini" "$installed/config.ini"
  expect "the first-run drives.inf selects C:" test "$(cat "$installed/drives.inf" 2>/dev/null)" = $'3\r'
  expect "Start-menu entry" has_link '/Start Menu/Programs/Tabrix/Tabrix.lnk$'
  expect "Start-menu uninstall entry" has_link '/Start Menu/Programs/Tabrix/Uninstall Tabrix.lnk$'
  expect "Tabrix.lnk in the user's Startup folder" has_link "${appdata#$drive}/Microsoft/Windows/Start Menu/Programs/Startup/Tabrix.lnk\$"
  expect "uninstall entry in Add/Remove Programs" has_key
}

StartedFromTheInstalledPathItShowsItsWindowAndSavesBesideItself() {
  start_tabrix 'C:\Program Files\Tabrix\Tabrix.exe' 211 133
  expect "window found, program ended on close" test $? = 0
  # Wine lets this user write under Program Files, so the program folder wins.
  expect "position saved in the program folder" contains "$installed/config.ini" $'left=211\r'
  expect "no per-user settings folder" test ! -e "$appdata/Tabrix"
}

UpgradeKeepsTheUsersConfigDrivesAndSkins() {
  put "$installed/config.ini" '[general]\r\nskin=Mine.bmp\r\n[test]\r\nmark=kept\r\n'
  put "$installed/drives.inf" '3\r\n'
  "${as[@]}" cp "$stage/skins/Ocean.bmp" "$installed/skins/Mine.bmp"
  put "$installed/Tabrix.exe" 'old'
  # A skin an earlier version shipped and this one does not.
  put "$installed/skins/Retired.bmp" 'old'
  "${as[@]}" sh -c 'printf "skins\\Retired.bmp\r\n" >>"$1"' _ "$installed/installed.txt"
  w wine "$files\\setup.exe" /S
  expect "setup.exe /S over an install succeeds" test $? = 0
  expect "config.ini kept" contains "$installed/config.ini" 'mark=kept'
  expect "drives.inf kept" test "$(cat "$installed/drives.inf" 2>/dev/null)" = $'3\r'
  expect "added skin kept" test -f "$installed/skins/Mine.bmp"
  expect "Tabrix.exe replaced" same_file "$stage/Tabrix.exe" "$installed/Tabrix.exe"
  expect "Startup shortcut kept" has_link "${appdata#$drive}/Microsoft/Windows/Start Menu/Programs/Startup/Tabrix.lnk\$"
}

SilentUninstallRemovesWhatItInstalledAndKeepsTheSettings() {
  w wine "$installed/uninstall.exe" /S
  expect "uninstaller removed itself" wait_gone "$installed/uninstall.exe"
  expect "uninstall entry removed" wait_no_key
  local f
  for f in Tabrix.exe tabrix.chm readme.txt LICENSE.txt installed.txt skins/Graphite.bmp skins/Retired.bmp \
    winamp_buttons/play.bmp winamp_buttons; do
    expect "$f removed" test ! -e "$installed/$f"
  done
  expect "no shortcuts left" wait_for no_links
  expect "config.ini left" contains "$installed/config.ini" 'mark=kept'
  expect "the user's own skin left" test -f "$installed/skins/Mine.bmp"
}

InstallIntoAReadOnlyFolderKeepsSettingsPerUser() {
  local dir="$drive/ro/Tabrix"
  w wine "$files\\setup.exe" /S '/D=C:\ro\Tabrix'
  expect "setup.exe /S /D= succeeds" test -f "$dir/Tabrix.exe"
  # The folder as a normal user finds one under Program Files.
  "${as[@]}" chmod -R a-w "$dir"
  start_tabrix 'C:\ro\Tabrix\Tabrix.exe' 321 123
  expect "window found, program ended on close" test $? = 0
  expect "position saved in the per-user config.ini" contains "$appdata/Tabrix/config.ini" $'left=321\r'
  expect "per-user config.ini seeded from the installed one" contains "$appdata/Tabrix/config.ini" 'skin='
  expect "per-user drives.inf seeded" same_file "$dir/drives.inf" "$appdata/Tabrix/drives.inf"
  expect "installed config.ini untouched" same_file "$stage/config.ini" "$dir/config.ini"
  "${as[@]}" chmod -R u+w "$dir"
  w wine "$dir/uninstall.exe" /S /REMOVESETTINGS
  expect "uninstaller removed itself" wait_gone "$dir/uninstall.exe"
  expect "asked to, it removed the folder and the settings" wait_gone "$dir"
  expect "asked to, it removed the per-user settings" wait_gone "$appdata/Tabrix"
  expect "uninstall entry removed" wait_no_key
}

PerUserInstallGoesIntoTheUsersOwnFoldersAndRegistry() {
  # What a user who is not an administrator gets (Wine makes everyone one).
  w wine "$files\\setup.exe" /S /CURRENTUSER
  local exe dir
  exe=$(find "$drive/users" -path '*/Programs/Tabrix/Tabrix.exe' 2>/dev/null | head -n 1)
  dir=$(dirname "${exe:-/nonexistent/x}")
  expect "installed into the user's own Programs folder" test -n "$exe"
  expect "uninstall entry under HKCU" w wine reg query "${uninstall_key/HKLM/HKCU}" /v UninstallString
  expect "no uninstall entry under HKLM" no_key
  expect "Start-menu entry of the user" has_link "${appdata#$drive}/Microsoft/Windows/Start Menu/Programs/Tabrix/Tabrix.lnk\$"
  w wine "$dir/uninstall.exe" /S
  expect "uninstaller removed itself" wait_gone "$dir/uninstall.exe"
  expect "Tabrix.exe removed" wait_gone "$exe"
  expect "no shortcuts left" wait_for no_links
  expect "HKCU uninstall entry removed" wait_for no_user_key
}

PortableZipRunsFromItsFolderAndKeepsSettingsThere() {
  as_user python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
    "$work/files/portable.zip" "$drive/portable"
  local dir
  dir=$(ls -d "$drive"/portable/Tabrix-*/ 2>/dev/null | head -n 1)
  expect "the zip holds one Tabrix-<version> folder" test -n "$dir"
  local f
  for f in Tabrix.exe tabrix.chm config.ini drives.inf readme.txt LICENSE.txt skins/transparent.bmp winamp_buttons/play.bmp; do
    expect "$f in the zip" test -f "$dir/$f"
  done
  start_tabrix "C:\\portable\\$(basename "$dir")\\Tabrix.exe" 97 88
  expect "window found, program ended on close" test $? = 0
  expect "position saved beside the program" contains "$dir/config.ini" $'left=97\r'
  expect "no per-user settings folder" test ! -e "$appdata/Tabrix"
}

# The wizards by mouse, as a user goes through them (xdotool on the virtual display). Their
# buttons sit where NSIS's dialog puts them, relative to the window.
next_button=(424 359)
startup_box=(217 185)
find_window() {  # find_window <name regex>: a shown window at least 50 pixels wide
  local id
  for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    [ "$(xdotool getwindowgeometry "$id" 2>/dev/null | awk '/Geometry/ { split($2, a, "x"); print a[1] }')" -gt 50 ] \
      && { echo "$id"; return 0; }
  done
  return 1
}
wait_window() {
  local i id
  for i in $(seq 300); do id=$(find_window "$1") && { echo "$id"; return 0; }; sleep 0.1; done
  return 1
}
look() { xwd -silent -id "$1" 2>/dev/null | md5sum; }
# Clicks at a point of the window and waits until the window shows something else (the next
# page, a ticked box).
click_and_wait() {  # click_and_wait <window> x y
  local before i now
  # A page still being drawn is not yet the page to click on.
  before=$(look "$1")
  for i in $(seq 50); do
    sleep 0.2; now=$(look "$1"); [ "$now" = "$before" ] && break; before=$now
  done
  xdotool mousemove --window "$1" "$2" "$3" click 1
  for i in $(seq 100); do [ "$(look "$1")" != "$before" ] && return 0; sleep 0.1; done
  return 1
}
in_background() { as_user "$@" >"$work/background.txt" 2>&1 </dev/null & }

WizardsByMouseInstallStartAndUninstall() {
  in_background wine "$files\\setup.exe"
  local setup
  setup=$(wait_window '^Tabrix .* Setup$')
  expect "the setup wizard shows" test -n "$setup"
  [ -n "$setup" ] || return
  expect "Welcome: Next" click_and_wait "$setup" "${next_button[@]}"
  expect "Licence: I Agree" click_and_wait "$setup" "${next_button[@]}"
  expect "Components: tick Start with Windows" click_and_wait "$setup" "${startup_box[@]}"
  expect "Components: Next" click_and_wait "$setup" "${next_button[@]}"
  expect "Folder: Install" click_and_wait "$setup" "${next_button[@]}"
  local i main=""
  # Finish, with "Start Tabrix now" ticked; until the copying is done the button is disabled.
  for i in $(seq 30); do
    xdotool mousemove --window "$setup" "${next_button[@]}" click 1 2>/dev/null
    main=$(find_window '^Tabrix$') && break
    sleep 1
  done
  expect "Finish started Tabrix from the installed folder" test -n "$main"
  expect "Start with Windows ticked: Tabrix.lnk in the Startup folder" \
    has_link "${appdata#$drive}/Microsoft/Windows/Start Menu/Programs/Startup/Tabrix.lnk\$"
  expect "uninstall entry" has_key

  in_background wine "$installed/uninstall.exe"
  local un
  un=$(wait_window '^Tabrix .* Uninstall')
  expect "the uninstall wizard shows" test -n "$un"
  [ -n "$un" ] || return
  expect "Confirm: Next" click_and_wait "$un" "${next_button[@]}"
  expect "Components: Uninstall (settings kept)" click_and_wait "$un" "${next_button[@]}"
  expect "uninstaller removed itself" wait_gone "$installed/uninstall.exe"
  expect "uninstall entry removed" wait_no_key
  expect "the running Tabrix was closed" eval '! find_window "^Tabrix\$"'
  expect "Tabrix.exe removed" test ! -e "$installed/Tabrix.exe"
  expect "no shortcuts left: $(links | tr '\n' ' ')" test -z "$(links)"
  expect "config.ini kept" test -f "$installed/config.ini"
  xdotool mousemove --window "$un" "${next_button[@]}" click 1 2>/dev/null  # Close
}

start=$(date +%s)
run_case FreshPrefixBoots
run_case SilentInstallPutsTheProgramShortcutsAndUninstallEntryInPlace
run_case StartedFromTheInstalledPathItShowsItsWindowAndSavesBesideItself
run_case UpgradeKeepsTheUsersConfigDrivesAndSkins
run_case SilentUninstallRemovesWhatItInstalledAndKeepsTheSettings
run_case InstallIntoAReadOnlyFolderKeepsSettingsPerUser
run_case PerUserInstallGoesIntoTheUsersOwnFoldersAndRegistry
run_case PortableZipRunsFromItsFolderAndKeepsSettingsThere
run_case WizardsByMouseInstallStartAndUninstall
as_user wineserver -k >/dev/null 2>&1
# The prefix takes about 600 MB: kept only to look into a failure.
[ "$failed" -eq 0 ] && rm -rf "$work"
echo "install tests: $passed passed, $failed failed ($(( $(date +%s) - start )) s)"
[ "$failed" -eq 0 ]
