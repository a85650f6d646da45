#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests. "start FOLDER" creates a cluster in FOLDER and starts
# it with its socket in FOLDER and a TCP listener on 127.0.0.1 that asks for a password
# (scram-sha-256); the port, free and picked from FOLDER's name, is written to FOLDER/port.
# "stop FOLDER" stops it and removes FOLDER; "pause FOLDER" and "resume FOLDER" stop and start it
# again with its data, as a server restarted under the program. As root the cluster belongs to the
# unprivileged user nobody (the server refuses to run as root).
# Connect with host=FOLDER, port=$(cat FOLDER/port), user morvane, database morvane; connections
# through the socket need no password.
set -euo pipefail
komut=${1:?start, stop, pause ya da resume}
klasor=${2:?klasör}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bin/pg_ctl" ] || { echo "PostgreSQL sunucusu kurulu değil (postgresql paketi)." >&2; exit 1; }

kullanici=()
[ "$(id -u)" -ne 0 ] || kullanici=(runuser -u nobody --)

pg_ctl() { "${kullanici[@]}" "$bin/pg_ctl" -D "$klasor/veri" -w "$@"; }

durdur() {
  if [ -f "$klasor/veri/postmaster.pid" ]; then
    pg_ctl -m immediate -t 20 stop >/dev/null || true
  fi
  rm -rf "$klasor"
}

baslat() {
  pg_ctl -l "$klasor/sunucu.log" -t 30 start >/dev/null
}

case $komut in
start)
  durdur # a server a killed run left behind
  mkdir -p "$klasor"
  [ "$(id -u)" -ne 0 ] || chown nobody: "$klasor"
  "${kullanici[@]}" "$bin/initdb" -D "$klasor/veri" -U morvane --auth-local=trust \
    --auth-host=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$klasor/initdb.log" 2>&1 ||
    { cat "$klasor/initdb.log" >&2; exit 1; }
  # Two build trees on one machine each get a port; one taken by another program is skipped.
  port=$((20000 + $(printf '%s' "$klasor" | cksum | cut -d' ' -f1) % 20000))
  for deneme in 1 2 3 4 5 6 7 8; do
    # fsync off: a test cluster is thrown away anyway.
    printf "listen_addresses = '127.0.0.1'\nport = %s\nunix_socket_directories = '%s'\nfsync = off\n" \
      "$port" "$klasor" >"$klasor/veri/morvane.conf"
    grep -q "^include_if_exists = 'morvane.conf'" "$klasor/veri/postgresql.conf" ||
      echo "include_if_exists = 'morvane.conf'" >>"$klasor/veri/postgresql.conf"
    if baslat; then
      echo "$port" >"$klasor/port"
      break
    fi
    if [ $deneme -eq 8 ] || ! grep -q "could not bind\|could not create any TCP" "$klasor/sunucu.log"; then
      cat "$klasor/sunucu.log" >&2
      durdur
      exit 1
    fi
    port=$((port + 1))
  done
  "${kullanici[@]}" "$bin/createdb" -h "$klasor" -p "$port" -U morvane morvane
  ;;
stop)
  durdur
  ;;
pause)
  pg_ctl -m fast -t 20 stop >/dev/null
  ;;
resume)
  baslat
  ;;
*)
  echo "kullanım: $0 start|stop|pause|resume KLASÖR" >&2
  exit 2
  ;;
esac
