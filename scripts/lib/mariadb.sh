# Helpers to run a private MariaDB server in a folder of the project's (sourced, not run).
#   mariadb_start DIR PORT   initialise DIR/data on first use, start the server, wait until it answers
#   mariadb_stop DIR         stop the server started in DIR; leaves no process behind
#   mariadb_running DIR      status 0 when the server of DIR answers
#   mariadb_root DIR ARGS…   the command-line client as root over DIR's socket
# The server: loopback only, its own socket and datadir, table names without regard to case, gbk by default.

_mariadb_bin() {
    local name
    for name in "$@"; do
        if command -v "$name" >/dev/null 2>&1; then command -v "$name"; return 0; fi
        if [ -x "/usr/sbin/$name" ]; then echo "/usr/sbin/$name"; return 0; fi
    done
    return 1
}

mariadb_root() {
    local dir=$1; shift
    "$(_mariadb_bin mariadb mysql)" --no-defaults --user=root --socket="$dir/mysqld.sock" "$@"
}

mariadb_running() {
    local dir=$1
    [ -S "$dir/mysqld.sock" ] || return 1
    "$(_mariadb_bin mariadb-admin mysqladmin)" --no-defaults --user=root --socket="$dir/mysqld.sock" \
        --connect-timeout=2 ping >/dev/null 2>&1
}

mariadb_start() {
    local dir=$1 port=$2
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd)
    if mariadb_running "$dir"; then return 0; fi
    if [ ! -d "$dir/data/mysql" ]; then
        rm -rf "$dir/data"
        "$(_mariadb_bin mariadb-install-db mysql_install_db)" --no-defaults --user=root --datadir="$dir/data" \
            --lower-case-table-names=1 --auth-root-authentication-method=socket \
            --skip-test-db >"$dir/install.log" 2>&1 || { cat "$dir/install.log" >&2; return 1; }
    fi
    rm -f "$dir/mysqld.sock" "$dir/mysqld.pid"
    "$(_mariadb_bin mariadbd mysqld)" --no-defaults --user=root --datadir="$dir/data" \
        --port="$port" --bind-address=127.0.0.1 --socket="$dir/mysqld.sock" --pid-file="$dir/mysqld.pid" \
        --lower-case-table-names=1 --character-set-server=gbk --collation-server=gbk_chinese_ci \
        --general-log=1 --general-log-file="$dir/general.log" --log-error="$dir/error.log" \
        --skip-name-resolve --max-connections=500 \
        >/dev/null 2>&1 </dev/null &
    local i
    for i in $(seq 1 300); do
        if mariadb_running "$dir"; then return 0; fi
        if [ -f "$dir/mysqld.pid" ] && ! kill -0 "$(cat "$dir/mysqld.pid")" 2>/dev/null; then break; fi
        sleep 0.1
    done
    echo "mariadb: server in $dir did not start; its log:" >&2
    tail -n 30 "$dir/error.log" >&2 || true
    return 1
}

mariadb_stop() {
    local dir=$1
    [ -f "$dir/mysqld.pid" ] || return 0
    local pid
    pid=$(cat "$dir/mysqld.pid")
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        local i
        for i in $(seq 1 300); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$dir/mysqld.pid" "$dir/mysqld.sock"
}
