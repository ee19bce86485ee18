#!/usr/bin/env bash
# Screenshots of the editing windows under Wine, with the simulator's sample
# store, into docs/: the Wine test tour opens each window in turn and waits
# while this script takes it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
out=${1:-$here/docs}
work=$(mktemp -d /tmp/keystave-shots.XXXXXX)
display=:$(( 50 + RANDOM % 400 ))
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display WINEPREFIX=$work/prefix WINEDEBUG=-all
export KEYSTAVE_SHOT_DIR="Z:${work//\//\\}\\shots"
mkdir -p "$work/shots"
wine wineboot -i >/dev/null 2>&1 || true
# A second fixed drive, as the wizard's pages offer it.
mkdir -p "$work/prefix/drive_d" && ln -sfn ../drive_d "$work/prefix/dosdevices/d:"
wineserver -k 2>/dev/null || true  # started afresh, Wine sees the new drive
cd "$build/windows"
wine ./keystave_wine_tests.exe --gtest_filter=Screenshots.DISABLED_Tour --gtest_also_run_disabled_tests \
  >"$work/tour.log" 2>&1 &
tour=$!
declare -A caption=(
  [loader-properties]="Boot Loader Properties" [add-property]="Add a Property"
  [delete-property]="Delete a Property" [physical-pages]="Modify Physical Pages"
  [bootmgr-properties]="Boot Manager Properties" [display-order]="Modify List Order"
  [clone]="Clone Configuration" [debug-serial]="Modify Debug Settings"
  [debug-net]="Modify Debug Settings" [debug-key]="Network Debugging Key"
  [wizard]="Choose Application Type" [main-marked]="Keystave - Boot Configuration Data Editor"
  [delete-running]="Keystave" [history]="Command History" [backups]="Backups and Restore"
  [quick-settings]="Quick Settings" [firmware-menu]="Firmware Boot Menu"
  [boot-menus]="Keystave - Boot Configuration Data Editor"
  [create-os-loader]="Create OsLoader Application" [create-preview]="Create Entry: Commands"
  [create-boot-sector]="Create Boot Sector Application" [create-resume]="Create Resume Application")
for name in loader-properties add-property delete-property physical-pages bootmgr-properties \
            display-order clone debug-serial debug-net debug-key main-marked delete-running \
            history backups quick-settings wizard create-os-loader create-preview create-boot-sector \
            create-resume firmware-menu boot-menus; do
  for _ in $(seq 1 300); do
    [ -e "$work/shots/$name.ready" ] && break
    kill -0 $tour 2>/dev/null || { cat "$work/tour.log"; exit 1; }
    sleep 0.2
  done
  geometry=$(xwininfo -name "${caption[$name]}" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print w "x" h "+" x "+" y}')
  import -window root -crop "$geometry" "$out/$name.png"
  echo "$out/$name.png"
  touch "$work/shots/$name.done"
done
wait $tour || { cat "$work/tour.log"; exit 1; }
