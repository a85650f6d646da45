#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests: "start FOLDER" creates a cluster in FOLDER and starts
# it with its socket in FOLDER and no TCP listener; "stop FOLDER" stops it and removes FOLDER.
# As root the cluster belongs to the unprivileged user nobody (the server refuses to run as root).
# Connect with host=FOLDER, user morvane, database morvane; local connections need no password.
set -euo pipefail
komut=${1:?start ya da stop}
klasor=${2:?klasör}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bin/pg_ctl" ] || { echo "PostgreSQL sunucusu kurulu değil (postgresql paketi)." >&2; exit 1; }

kullanici=()
[ "$(id -u)" -ne 0 ] || kullanici=(runuser -u nobody --)

durdur() {
  if [ -f "$klasor/veri/postmaster.pid" ]; then
    "${kullanici[@]}" "$bin/pg_ctl" -D "$klasor/veri" -m immediate -w -t 20 stop >/dev/null || true
  fi
  rm -rf "$klasor"
}

case $komut in
start)
  durdur # a server a killed run left behind
  mkdir -p "$klasor"
  [ "$(id -u)" -ne 0 ] || chown nobody: "$klasor"
  "${kullanici[@]}" "$bin/initdb" -D "$klasor/veri" -U morvane -A trust -E UTF8 --locale=C.UTF-8 \
    >"$klasor/initdb.log" 2>&1 || { cat "$klasor/initdb.log" >&2; exit 1; }
  # fsync off: a test cluster is thrown away anyway.
  if ! "${kullanici[@]}" "$bin/pg_ctl" -D "$klasor/veri" -l "$klasor/sunucu.log" -w -t 30 \
      -o "-c listen_addresses='' -k $klasor -c fsync=off" start >/dev/null; then
    cat "$klasor/sunucu.log" >&2
    durdur
    exit 1
  fi
  "${kullanici[@]}" "$bin/createdb" -h "$klasor" -U morvane morvane
  ;;
stop)
  durdur
  ;;
*)
  echo "kullanım: $0 start|stop KLASÖR" >&2
  exit 2
  ;;
esac
