#!/usr/bin/env bash
# Runs one of the README's commands as a newcomer would and checks what it starts:
#   betik_denetimi.sh run          ./scripts/run shows Morvane with a Varnel.mdb beside it
#   betik_denetimi.sh screenshots  ./scripts/screenshots renders every picture in docs/, and at
#                                  twice the density at twice the pixels
set -uo pipefail
kok=$(cd "$(dirname "$0")/.." && pwd)
export QT_QPA_PLATFORM=offscreen
gunluk=$(mktemp)
trap 'rm -f "$gunluk"' EXIT

hata() { echo "HATA: $*"; cat "$gunluk"; exit 1; }

calistir() {
  "$kok/scripts/run" >"$gunluk" 2>&1 &
  local pid=$! program= yarimSaniye=0
  # The script builds first (nothing to do in a built tree, long on a busy machine), then becomes
  # the program: the 300 s it may take start when the build has ended.
  while [ "$yarimSaniye" -lt 600 ]; do
    program=$(readlink "/proc/$pid/exe" 2>/dev/null) || { wait "$pid"; hata "./scripts/run ended with status $?"; }
    [ "$(basename "$program")" = morvane ] && break
    pgrep -P "$pid" -f scripts/build >/dev/null || yarimSaniye=$((yarimSaniye + 1))
    sleep 0.5
  done
  [ "$(basename "$program")" = morvane ] || { kill "$pid"; hata "Morvane did not start"; }
  sleep 3
  kill -0 "$pid" 2>/dev/null || { wait "$pid"; hata "Morvane ended at start with status $?"; }
  local dosya
  dosya="$(dirname "$program")/Varnel.mdb"
  kill "$pid"
  wait "$pid" 2>/dev/null
  [ -s "$dosya" ] || hata "no Varnel.mdb beside $program"
  echo "Morvane ran as $program with $dosya"
}

# "WIDTH HEIGHT" of a PNG file; nothing for anything else.
boyut() { file -b "$1" | sed -n 's/^PNG image data, \([0-9]*\) x \([0-9]*\),.*/\1 \2/p'; }

resimler() {
  local klasor g1 y1 g2 y2
  klasor=$(mktemp -d)
  "$kok/scripts/screenshots" "$klasor" >"$gunluk" 2>&1 || { rm -rf "$klasor"; hata "./scripts/screenshots failed"; }
  "$kok/scripts/screenshots" "$klasor/2" --olcek 2 >"$gunluk" 2>&1 || { rm -rf "$klasor"; hata "./scripts/screenshots --olcek 2 failed"; }
  for resim in "$kok"/docs/*.png; do
    resim=$(basename "$resim")
    read -r g1 y1 <<<"$(boyut "$klasor/$resim")"
    read -r g2 y2 <<<"$(boyut "$klasor/2/$resim")"
    [ -n "$g1" ] && [ -n "$g2" ] || { rm -rf "$klasor"; hata "$resim not rendered"; }
    # Twice as wide exactly; twice as high within 5 %, where rows follow the font's own measure.
    [ "$g2" -eq $((2 * g1)) ] && [ $((20 * y2)) -ge $((38 * y1)) ] && [ $((20 * y2)) -le $((42 * y1)) ] ||
      { rm -rf "$klasor"; hata "$resim is ${g1}x${y1}, at --olcek 2 ${g2}x${y2}"; }
  done
  rm -rf "$klasor"
  echo "every picture rendered, at twice the density at twice the pixels"
}

case "${1:-}" in
  run) calistir ;;
  screenshots) resimler ;;
  *) echo "usage: $0 run|screenshots"; exit 2 ;;
esac
