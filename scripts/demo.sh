#!/usr/bin/env bash
# Prepares the demo in an application folder: a terminal list the operator
# can try at once. Existing data of the folder is left as it is.
set -euo pipefail
app=${1:?application folder}

if [[ ! -f "$app/Cihazlar.Dat" ]]; then
  tab=$'\t'
  {
    printf 'CihazNo%sCihazAdi%sMakineNo%sBaglantiTipi%sIPAdres%sParola%sPort%sIsaret%sDurum%sAciklama%sTransferDurumu%sComportNo%sGCTip\r\n' \
      "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab"
    printf '1%sGiris Kapisi%s1%s1%s127.0.0.1%s0%s5005%s1%s%s%s%s0%s%s0\r\n' \
      "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab" "$tab"
  } > "$app/Cihazlar.Dat"
fi
