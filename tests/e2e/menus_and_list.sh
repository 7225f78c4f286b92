#!/usr/bin/env bash
# End to end with a tray: a screenshot taken from the tray menu shows at once as a picture in
# the open recordings list; opening its row hands the file to the desktop's default
# application (an xdg-open of our own that writes down what it gets); deleting removes file and
# entry; without a file manager on the bus, "Show in Folder" opens the folder; the tray menu
# switches the floating camera picture on and off, and hides and shows the main window.
# Traditional Chinese from the menu bar retitles the main window, the tray menu and the list's
# headers at once, and is still chosen after a restart. "tapedeck screenshot" prints its path.
# Usage: menus_and_list.sh <tapedeck>
set -euo pipefail
here=$(dirname "$0")
app=$1
bin=$TAPEDECK_TEST_ROOT/bin
mkdir -p "$bin"
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$TAPEDECK_TEST_ROOT" >"$bin/xdg-open"
chmod +x "$bin/xdg-open"
export PATH="$bin:$PATH"
trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
  >/dev/null 2>&1 &
tray=$!
for _ in $(seq 50); do xdotool search --class '^trayer$' >/dev/null 2>&1 && break; sleep 0.1; done
export TAPEDECK_CAMERAS="Green=lavfi:color=c=0x00C000:size=320x240:rate=15"
source "$here/main_window.sh" "$app"
helpers+=("$tray")
shots=$HOME/Videos/Tapedeck
catalogue=$HOME/.cache/org.tapedeck.Tapedeck/filelist.plist

# wait_for CONDITION [tenths]: polls a shell condition, 10 s by default.
wait_for() {
  for _ in $(seq "${2:-100}"); do eval "$1" && return 0; sleep 0.1; done
  echo "timed out waiting for: $1"; cat "$log"; return 1
}
# tray_menu ITEM [--look]: clicks ITEM in the tray icon's menu (the icon is Tapedeck's small
# window inside the tray), or only sees it there.
tray_menu() {
  local icon=""
  wait_for 'icon=$(for w in $(xdotool search --class "^tapedeck$"); do
      [ "$(xdotool getwindowgeometry "$w" | awk "/Geometry/ {print \$2}")" = 22x22 ] && echo "$w"
    done | head -1); [ -n "$icon" ]'
  atspi popup "$icon" "$@"
}
# main_shown: the main window is on screen (the tray icon's window has the same name).
main_shown() {
  for w in $(xdotool search --onlyvisible --name '^Tapedeck$' 2>/dev/null); do
    [ "$(xdotool getwindowgeometry "$w" | awk '/Geometry/ {print $2}')" != 22x22 ] && return 0
  done
  return 1
}
entries() { /usr/bin/python3 -c "import plistlib,sys; [print(e['name'], e.get('isImage', 0)) for e in plistlib.load(open(sys.argv[1], 'rb'))]" "$catalogue"; }

press "Full Screen"
press Recordings
tray_menu Screenshot
wait_for 'ls "$shots"/*.png >/dev/null 2>&1'
shot=$(ls "$shots"/*.png)
name=$(basename "$shot")
wait_for '[ "$(entries)" = "$name 1" ]'
atspi wait "$name" # the open list shows it at once
row=$(atspi row "$name")
# A picture: its name, no duration, its size.
[ "$(cut -f1 <<<"$row")" = "$name" ] && [ -z "$(cut -f2 <<<"$row")" ] &&
  [[ $(cut -f3 <<<"$row") == *" M" ]] || { echo "the picture's row reads: $row"; exit 1; }
atspi click "$name"
press Open
wait_for 'grep -qx "file://$shot" "$TAPEDECK_TEST_ROOT/opened" 2>/dev/null'
# No file manager offers ShowItems on this bus: the folder itself opens.
press "Show in Folder"
wait_for 'grep -qx "file://$shots" "$TAPEDECK_TEST_ROOT/opened"'
press Delete
wait_for '[ ! -e "$shot" ] && [ -z "$(entries)" ]'
atspi gone "$name"

# camera_shown: the floating picture of the "Green" camera is on screen.
camera_shown() { xdotool search --onlyvisible --name '^Green$' >/dev/null 2>&1; }
tray_menu "Camera On/Off"
wait_for camera_shown
tray_menu "Camera On/Off"
wait_for '! camera_shown'

tray_menu "Hide Main Window"
wait_for '! main_shown'
tray_menu "Show Main Window"
wait_for main_shown

press Language
atspi click "繁體中文"
atspi wait "全螢幕"   # the main window's mode title
atspi wait "名稱"     # the list's first header
tray_menu "截圖" --look  # the tray's screenshot entry

kill "$pid"
wait "$pid" || true
"$app" >>"$log" 2>&1 &
pid=$!
helpers+=("$pid")
atspi wait "全螢幕"   # the mode button, after the restart

# From the command line: the whole display, its path printed, catalogued as a picture.
printed=$("$app" screenshot --output "$HOME/cli.png" 2>/dev/null)
[ "$printed" = "$HOME/cli.png" ] && [ "$(identify -format %wx%h "$HOME/cli.png")" = 1920x1080 ] &&
  [ "$(entries)" = "cli.png 1" ] || { echo "tapedeck screenshot printed: $printed"; exit 1; }
echo "menus and list: ok"
