# shellcheck shell=bash
# Helpers to run a private nginx in a folder of the project's (sourced, not run).
#   webserver_start DIR PORT ROOT   write DIR/nginx.conf, start nginx on 127.0.0.1:PORT serving ROOT
#   webserver_stop DIR              stop the nginx started in DIR; leaves no process behind
#   webserver_running DIR           status 0 when the nginx of DIR is alive
# Everything nginx writes (pid, logs, temp files) stays in DIR.

_webserver_bin() {
    if command -v nginx >/dev/null 2>&1; then command -v nginx; return 0; fi
    if [ -x /usr/sbin/nginx ]; then echo /usr/sbin/nginx; return 0; fi
    echo "webserver: nginx is not installed (Debian package nginx)" >&2
    return 1
}

webserver_running() {
    local dir=$1 pid
    [ -f "$dir/nginx.pid" ] || return 1
    pid=$(cat "$dir/nginx.pid" 2>/dev/null) || return 1
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 1
    # A stale pid file may name an unrelated process by now.
    grep -qa nginx "/proc/$pid/cmdline" 2>/dev/null
}

_webserver_config() {
    local dir=$1 port=$2 docroot=$3 user_line=""
    # As root the workers would otherwise drop to nobody, who may not read the project's folder.
    if [ "$(id -u)" -eq 0 ]; then user_line="user root root;"; fi
    cat <<EOF
# Written by scripts/lib/webserver.sh; rewritten on every start.
$user_line
daemon on;
worker_processes 1;
pid $dir/nginx.pid;
error_log $dir/logs/error.log warn;
events { worker_connections 256; }
http {
    include /etc/nginx/mime.types;
    default_type application/octet-stream;
    access_log $dir/logs/access.log;
    client_body_temp_path $dir/temp/client_body;
    proxy_temp_path $dir/temp/proxy;
    fastcgi_temp_path $dir/temp/fastcgi;
    uwsgi_temp_path $dir/temp/uwsgi;
    scgi_temp_path $dir/temp/scgi;
    sendfile on;
    keepalive_timeout 15;
    server {
        listen 127.0.0.1:$port;
        server_name localhost;
        root $docroot;
        # The shop's pages are GBK; say so in the header as well as in the page.
        charset gbk;
        charset_types text/css;
        location / {
            index zel_zel.htm;
        }
    }
}
EOF
}

webserver_start() {
    local dir=$1 port=$2 docroot=$3 bin
    bin=$(_webserver_bin) || return 1
    mkdir -p "$dir/logs" "$dir/temp"
    dir=$(cd "$dir" && pwd)
    if webserver_running "$dir"; then return 0; fi
    _webserver_config "$dir" "$port" "$docroot" >"$dir/nginx.conf"
    rm -f "$dir/nginx.pid"
    if ! "$bin" -p "$dir" -c "$dir/nginx.conf" -e "$dir/logs/error.log" -t >"$dir/logs/check.log" 2>&1; then
        echo "webserver: nginx rejects $dir/nginx.conf:" >&2
        cat "$dir/logs/check.log" >&2
        return 1
    fi
    if ! "$bin" -p "$dir" -c "$dir/nginx.conf" -e "$dir/logs/error.log" >"$dir/logs/start.log" 2>&1; then
        echo "webserver: nginx did not start; its log:" >&2
        cat "$dir/logs/start.log" >&2
        tail -n 20 "$dir/logs/error.log" >&2 2>/dev/null || true
        return 1
    fi
    for _ in $(seq 1 100); do
        if webserver_running "$dir"; then return 0; fi
        sleep 0.05
    done
    echo "webserver: nginx in $dir wrote no pid file; its log:" >&2
    tail -n 20 "$dir/logs/error.log" >&2 2>/dev/null || true
    return 1
}

webserver_stop() {
    local dir=$1 pid
    [ -f "$dir/nginx.pid" ] || return 0
    pid=$(cat "$dir/nginx.pid" 2>/dev/null || true)
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        # The master takes its workers down with it on TERM.
        kill -TERM "$pid" 2>/dev/null || true
        for _ in $(seq 1 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        if kill -0 "$pid" 2>/dev/null; then
            pkill -9 -P "$pid" 2>/dev/null || true
            kill -9 "$pid" 2>/dev/null || true
        fi
    fi
    rm -f "$dir/nginx.pid"
}
