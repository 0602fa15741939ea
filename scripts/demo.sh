#!/usr/bin/env bash
# The demo of an application folder: two emulated terminals with a few
# thousand attendance records and a handful of users each, and a terminal
# list that points at them and at a third terminal that nothing answers.
#
#   scripts/demo.sh prepare DIR   seed DIR (data already there is kept)
#   scripts/demo.sh serve DIR     start the two emulators in the background;
#                                 prints their process ids
set -euo pipefail
command=${1:?prepare or serve}
app=${2:?application folder}
states="$app/demo-terminals"

# Terminal number, machine number, TCP port of each emulated terminal.
terminals=("1 1 5005" "2 2 5006")
unreachable_port=5099

records_of() {  # terminal number -> TAB-separated attendance records
  awk -v terminal="$1" 'BEGIN {
    OFS = "\t"
    print "user", "mode", "year", "month", "day", "hour", "minute", "second"
    srand(terminal)
    # Weekdays from the 1st of June 2026 onwards: an entry in the morning
    # (mode 1) and an exit in the evening (mode 1281: second byte 5).
    for (d = 0; d < 140; d++) {
      t = mktime("2026 06 01 12 00 00") + d * 86400
      if (strftime("%u", t) > 5) continue
      y = strftime("%Y", t) + 0; m = strftime("%m", t) + 0; dd = strftime("%d", t) + 0
      for (u = 1; u <= 12; u++) {
        user = terminal * 1000 + u
        print user, 1, y, m, dd, 7 + int(rand() * 2), int(rand() * 60), int(rand() * 60)
        print user, 1281, y, m, dd, 16 + int(rand() * 3), int(rand() * 60), int(rand() * 60)
      }
    }
  }'
}

users_of() {  # terminal number -> TAB-separated users with one enrolment each
  awk -v terminal="$1" 'BEGIN {
    OFS = "\t"
    print "user", "enrolment", "privilege", "enabled", "password", "data"
    for (u = 1; u <= 12; u++) {
      data = ""
      for (k = 0; k < 354; k++) data = data (k ? "," : "") ((terminal * 7919 + u * 104729 + k * 31) % 65536 - 32768)
      print terminal * 1000 + u, 0, (u == 1 ? 3 : 0), 1, 0, data
    }
  }'
}

prepare() {
  mkdir -p "$states"
  for entry in "${terminals[@]}"; do
    read -r number machine port <<<"$entry"
    local state="$states/terminal-$number"
    [[ -d "$state" ]] && continue
    records_of "$number" >"$app/demo-records.tsv"
    users_of "$number" >"$app/demo-users.tsv"
    "$app/terminal-emulator" --state "$state" --machine "$machine" --password 0 \
      --import-records "$app/demo-records.tsv" --import-users "$app/demo-users.tsv" >/dev/null
    rm -f "$app/demo-records.tsv" "$app/demo-users.tsv"
  done

  if [[ ! -f "$app/Cihazlar.Dat" ]]; then
    local tab=$'\t'
    {
      printf '%s\r\n' "CihazNo${tab}CihazAdi${tab}MakineNo${tab}BaglantiTipi${tab}IPAdres${tab}Parola${tab}Port${tab}Isaret${tab}Durum${tab}Aciklama${tab}TransferDurumu${tab}ComportNo${tab}GCTip"
      printf '%s\r\n' "1${tab}Giriş Kapısı${tab}1${tab}1${tab}127.0.0.1${tab}0${tab}5005${tab}1${tab}${tab}${tab}0${tab}${tab}0"
      printf '%s\r\n' "2${tab}Yemekhane${tab}2${tab}1${tab}127.0.0.1${tab}0${tab}5006${tab}1${tab}${tab}${tab}0${tab}${tab}0"
      printf '%s\r\n' "3${tab}Depo (kapalı)${tab}3${tab}1${tab}127.0.0.1${tab}0${tab}${unreachable_port}${tab}1${tab}${tab}${tab}0${tab}${tab}0"
    } | iconv -f UTF-8 -t CP1254 >"$app/Cihazlar.Dat"
  fi
}

serve() {
  for entry in "${terminals[@]}"; do
    read -r number machine port <<<"$entry"
    "$app/terminal-emulator" --state "$states/terminal-$number" --machine "$machine" \
      --password 0 --listen "127.0.0.1:$port" >/dev/null &
    echo $!
  done
}

case $command in
  prepare) prepare ;;
  serve) serve ;;
  *) echo "unknown command: $command" >&2; exit 2 ;;
esac
