#!/usr/bin/env bash
# Takes a screenshot of each page of the main window and of the terminal
# dialog under Xvfb into docs/.
# Needs the program built and installed into run/ (./run.sh does that).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --screenshots
command -v xdotool >/dev/null || { apt-get install -y -qq xdotool >/dev/null; }

app=$(mktemp -d)
cp -r run/. "$app/"
rm -rf "$app/Ayarlar.ini" "$app/Cihazlar.Dat" "$app/Data" "$app/demo-terminals"
scripts/demo.sh prepare "$app"
# A registration of its own, so the copy leaves the user's registrations alone.
export XDG_DATA_HOME="$app/user-data"
"$app/regsvr32" /s sbxpc.ocx
mapfile -t emulators < <(scripts/demo.sh serve "$app")
trap 'kill "${emulators[@]}" 2>/dev/null || true; rm -rf "$app"' EXIT

xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  set -e
  app=$1
  "$app/tavlo-senkor" & pid=$!
  for _ in $(seq 50); do
    win=$(xdotool search --name "Tavlo Senkor" 2>/dev/null | head -1) && [ -n "$win" ] && break
    sleep 0.2
  done
  sleep 1
  # The page tabs are 150 pixels wide, starting at the left edge.
  for page in 1 2 3; do
    xdotool mousemove --window "$win" $((page * 150 - 65)) 22 click 1
    sleep 0.5
    import -window "$win" "docs/screenshot-page$page.png"
  done
  # The terminal dialog: "Düzenle" on the first terminal of the second page,
  # left again with Escape ("İptal"), which changes nothing.
  xdotool mousemove --window "$win" 235 22 click 1
  sleep 0.5
  xdotool mousemove --window "$win" 194 358 click 1
  for _ in $(seq 25); do
    dialog=$(xdotool search --onlyvisible --name "Cihaz Ekle / Düzenle" 2>/dev/null | head -1) \
      && [ -n "$dialog" ] && break
    sleep 0.2
  done
  sleep 0.5
  import -window "$dialog" docs/screenshot-terminal-dialog.png
  xdotool key --window "$dialog" Escape
  kill $pid
' _ "$app"
ls -l docs/screenshot-page*.png docs/screenshot-terminal-dialog.png
