#!/bin/bash
# The catalogue tests' own MariaDB: catalogue-db.sh start|stop DIR PORT
# start: runs the server in DIR on 127.0.0.1:PORT and (re)loads fixture.sql; stop: stops it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/lib/mariadb.sh
source "$here/../../scripts/lib/mariadb.sh"

action=${1:?start|stop}
dir=${2:?DIR}
port=${3:-14331}

case "$action" in
start)
    mariadb_start "$dir" "$port"
    mariadb_root "$dir" --default-character-set=utf8mb4 <"$here/fixture.sql"
    ;;
stop)
    mariadb_stop "$dir"
    ;;
*)
    echo "usage: $0 start|stop DIR PORT" >&2
    exit 2
    ;;
esac
