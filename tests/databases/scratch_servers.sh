# Database servers of a test's own, sourced by database_tests.sh: each lives in the test's scratch folder, listens
# on a Unix socket there and on no network port, and is stopped on every way out of the test. Tests run as root
# here and in CI, and PostgreSQL refuses to run as root, so servers and clients run as the unprivileged user
# `nobody`, who owns the scratch folder.
#   make_scratch_folder          sets $work and the traps that stop the servers and remove it
#   start_postgresql             exports PGHOST, PGUSER, PGDATABASE; on failure returns 1 with the reason in $why
#   start_mariadb                writes $work/.my.cnf, which the client reads as the user's own; same on failure
#   as_db_user COMMAND...        runs COMMAND as the servers' user, with the scratch folder as its home

db_uid="" db_gid="" pg_bin="" mariadb_started="" why=""

as_db_user() {
  if [ -n "$db_uid" ]; then
    HOME=$work setpriv --reuid="$db_uid" --regid="$db_gid" --clear-groups -- "$@"
  else
    HOME=$work "$@"
  fi
}

stop_servers() {
  if [ -n "$pg_bin" ]; then
    as_db_user "$pg_bin/pg_ctl" -D "$work/pg" -m immediate -w -t 30 stop >>"$work/pg.log" 2>&1
    pg_bin=""
  fi
  if [ -n "$mariadb_started" ] && [ -f "$work/mariadb.pid" ]; then
    local pid
    pid=$(cat "$work/mariadb.pid")
    kill "$pid" 2>/dev/null
    for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
    mariadb_started=""
  fi
}

make_scratch_folder() {
  umask 022
  # A socket's path holds at most 107 bytes.
  work=$(mktemp -d "${TMPDIR:-/tmp}/quarrow-db.XXXXXX")
  if [ ${#work} -gt 80 ]; then rmdir "$work"; work=$(mktemp -d /tmp/quarrow-db.XXXXXX); fi
  trap 'stop_servers; rm -rf "$work"' EXIT
  trap 'exit 130' INT TERM HUP
  if [ "$(id -u)" = 0 ]; then
    db_uid=$(id -u nobody) && db_gid=$(id -g nobody) || { echo "SKIP: no user 'nobody' to run the servers as"; exit 77; }
    chown "$db_uid:$db_gid" "$work"
  fi
  # ctest ends a test that runs past its time with SIGKILL, which no trap sees: a watcher outside the test's
  # process tree then stops what the test started (immediate shutdown for PostgreSQL) and removes the folder.
  setsid -f bash -c '
    while kill -0 "$1" 2>/dev/null; do sleep 1; done
    [ -f "$2/pg/postmaster.pid" ] && kill -QUIT "$(head -n 1 "$2/pg/postmaster.pid")"
    [ -f "$2/mariadb.pid" ] && kill -9 "$(cat "$2/mariadb.pid")"
    sleep 2; rm -rf "$2"' watcher $$ "$work" </dev/null >/dev/null 2>&1
}

start_postgresql() {
  local bin
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -x "$bin/initdb" ] || bin=$(dirname "$(command -v initdb 2>/dev/null || echo /nonexistent/initdb)")
  if [ ! -x "$bin/initdb" ] || ! command -v psql >/dev/null; then
    why="PostgreSQL's server or psql is not installed (scripts/setup installs postgresql)"; return 1
  fi
  if ! as_db_user "$bin/initdb" -D "$work/pg" -U quarrow -A trust -E UTF8 --no-locale -N >"$work/initdb.log" 2>&1; then
    why="initdb failed: $(tail -n 2 "$work/initdb.log" | tr '\n' ' ')"; return 1
  fi
  if ! as_db_user "$bin/pg_ctl" -D "$work/pg" -l "$work/pg.log" -w -t 60 \
      -o "-c listen_addresses='' -k $work -c fsync=off -c full_page_writes=off" start >"$work/pg_ctl.log" 2>&1; then
    pg_bin=$bin
    why="the server did not start: $(tail -n 2 "$work/pg.log" | tr '\n' ' ')"; return 1
  fi
  pg_bin=$bin
  unset PGPORT PGHOSTADDR PGSERVICE PGSERVICEFILE PGPASSFILE PGOPTIONS PGSSLMODE PSQLRC
  export PGHOST=$work PGUSER=quarrow PGDATABASE=postgres PGCLIENTENCODING=UTF8
}

start_mariadb() {
  local server
  server=$(command -v mariadbd || command -v /usr/sbin/mariadbd)
  if [ -z "$server" ] || ! command -v mariadb >/dev/null; then
    why="MariaDB's server or client is not installed (scripts/setup installs mariadb-server-core)"; return 1
  fi
  as_db_user mkdir "$work/mariadb"
  mariadb_started=yes
  # No grant tables: the server knows no users, so any name is let in, through the socket alone.
  as_db_user "$server" --no-defaults --datadir="$work/mariadb" --socket="$work/mariadb.sock" --skip-networking \
    --skip-grant-tables --pid-file="$work/mariadb.pid" --log-error="$work/mariadb.log" \
    --character-set-server=utf8mb4 --collation-server=utf8mb4_bin --innodb-flush-log-at-trx-commit=0 \
    --innodb-buffer-pool-size=32M </dev/null >/dev/null 2>&1 &
  local server_job=$!
  for _ in $(seq 600); do
    [ -S "$work/mariadb.sock" ] && [ -f "$work/mariadb.pid" ] && break
    kill -0 "$server_job" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "$work/mariadb.sock" ]; then
    why="the server did not start: $(tail -n 2 "$work/mariadb.log" 2>&1 | tr '\n' ' ')"; return 1
  fi
  printf '[client]\nsocket=%s\nuser=quarrow\n' "$work/mariadb.sock" >"$work/.my.cnf"
}
