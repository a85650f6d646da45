#!/usr/bin/env bash
# Runs one of the README's commands as a newcomer would and checks what it starts:
#   betik_denetimi.sh run          ./scripts/run shows Morvane with a Varnel.mdb beside it
#   betik_denetimi.sh screenshots  ./scripts/screenshots renders every picture in docs/
set -uo pipefail
kok=$(cd "$(dirname "$0")/.." && pwd)
export QT_QPA_PLATFORM=offscreen
gunluk=$(mktemp)
trap 'rm -f "$gunluk"' EXIT

hata() { echo "HATA: $*"; cat "$gunluk"; exit 1; }

calistir() {
  "$kok/scripts/run" >"$gunluk" 2>&1 &
  local pid=$! program=
  # The script builds first (nothing to do in a built tree), then becomes the program.
  for _ in $(seq 1 600); do
    program=$(readlink "/proc/$pid/exe" 2>/dev/null) || { wait "$pid"; hata "./scripts/run ended with status $?"; }
    [ "$(basename "$program")" = morvane ] && break
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

resimler() {
  local klasor
  klasor=$(mktemp -d)
  "$kok/scripts/screenshots" "$klasor" >"$gunluk" 2>&1 || { rm -rf "$klasor"; hata "./scripts/screenshots failed"; }
  for resim in "$kok"/docs/*.png; do
    resim=$(basename "$resim")
    file "$klasor/$resim" | grep -q 'PNG image' || { rm -rf "$klasor"; hata "$resim not rendered"; }
  done
  rm -rf "$klasor"
  echo "every picture rendered"
}

case "${1:-}" in
  run) calistir ;;
  screenshots) resimler ;;
  *) echo "usage: $0 run|screenshots"; exit 2 ;;
esac
