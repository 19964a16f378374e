#!/usr/bin/env bash
# quarrow-batch's rows loaded into real databases and read back:
#   database_tests.sh postgresql|sqlite|mariadb PROGRAM
# PostgreSQL and MariaDB are servers of the test's own (scratch_servers.sh); SQLite is the sqlite3 shell. Every
# value read back is compared with the file the program wrote, which loaded_rows.py reads with Python's csv and json
# modules; an sql file's table is compared with the csv file of the same run. The README's loading commands run as
# they are written there. A database this machine cannot start or lacks is skipped with the reason (exit code 77).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
database=$1
program=$(realpath "$2")
# shellcheck source=tests/databases/scratch_servers.sh
. "$here/scratch_servers.sh"

# Python's own interpreter, once: a version manager's shim in front of it takes a second or more a start.
python=$(python3 -c 'import sys; print(sys.executable)') || { echo "FAIL: no python3"; exit 1; }

failures=0
group=""
fail() { echo "FAIL [$group] $*"; failures=$((failures + 1)); }

# A few thousand rows: sql statements of 1,000 rows and a shorter last one.
rows=2500
# Sets $settings to the program's arguments for the rows of setting 1 to 5: each style, with and without regions,
# and names from lists. Setting 2's prefix holds the quotes and the comma that csv and sql must escape; the roads of
# setting 5 have characters whose second GBK byte is that of a backslash, which GBK sql must carry as they are.
settings_of() {
  case $1 in
    1) settings=(--seed 101 --style window) ;;
    2) settings=(--seed 102 --style window --regions --prefix "O'Hara \"东\",") ;;
    3) settings=(--seed 103 --style real) ;;
    4) settings=(--seed 104 --style real --regions) ;;
    5) settings=(--seed 105 --roads roads.txt --communities communities.txt --regions) ;;
  esac
  settings+=(--count "$rows")
}

# Writes FILE with the program, which must succeed: make_rows FILE ARGUMENTS...
make_rows() {
  local file=$1; shift
  timeout 120 "$program" "$@" --out "$file" 2>"$work/program.err" && return 0
  fail "exit code $? for quarrow-batch $* --out $file: $(head -n 2 "$work/program.err")"
  return 1
}

# Runs a loading command, which must succeed: loads WHAT COMMAND...
loads() {
  local what=$1; shift
  "$@" >"$work/load.log" 2>&1 && return 0
  fail "$what: the load failed: $(grep -v '^$' "$work/load.log" | head -n 3)"
  return 1
}

# Reads TABLE back with DUMP and compares it with what the program wrote: read_back WHAT DUMP TABLE WRITTEN
# ENCODING [loaded_rows.py's options]
read_back() {
  local what=$1 dump=$2 table=$3; shift 3
  "$dump" "$table" >"$work/$table.dump" 2>"$work/dump.err" || { fail "$what: reading $table back failed: $(head -n 2 "$work/dump.err")"; return; }
  "$python" "$here/loaded_rows.py" compare "$1" "$2" "$work/$table.dump" "${@:3}" || fail "$what: the rows read back are not those written"
}

# "seq bigint, prefix text, ..." for the plain column names given.
table_columns() {
  local name list=""
  for name in "$@"; do
    if [ "$name" = seq ]; then list+="${list:+, }seq bigint"; else list+="${list:+, }$name text"; fi
  done
  echo "$list"
}

# Sets $columns to the plain names of a written file's columns, in their order: columns_of FILE ENCODING
columns_of() {
  local names
  names=$("$python" "$here/loaded_rows.py" columns "$1" "$2") || { fail "$1: no columns to be read"; return 1; }
  read -ra columns <<<"$names"
}

is_bigint() { [ "$1" = bigint ] || fail "--create-table: the row number is $1, not bigint"; }

psql_do() { as_db_user timeout 120 psql -X -q -v ON_ERROR_STOP=1 "$@"; }
dump_postgresql() { psql_do -A -t -c "select row_to_json(t) from $1 t"; }
postgresql_type() {
  psql_do -A -t -c "select data_type from information_schema.columns where table_name = '$1' and column_name = '$2'"
}

sqlite_do() { as_db_user timeout 120 sqlite3 -bail "$@"; }
dump_sqlite() { sqlite_do -json "$sqlite_db" "select * from $1"; }

mariadb_database=loads
mariadb_do() { as_db_user timeout 120 mariadb --database="$mariadb_database" "$@"; }
dump_mariadb() {
  local pairs="" name
  for name in $(mariadb_do -N -B -e "select column_name from information_schema.columns where table_schema = '$mariadb_database' and table_name = '$1' order by ordinal_position"); do
    pairs+="${pairs:+, }'$name', $name"
  done
  mariadb_do --default-character-set=utf8mb4 -N -B -r -e "select json_object($pairs) from $1"
}
mariadb_type() {
  mariadb_do -N -B -e "select data_type from information_schema.columns where table_schema = '$mariadb_database' and table_name = '$1' and column_name = '$2'"
}

postgresql_loads() {
  local i s columns
  for i in 1 2 3 4 5; do
    settings_of $i
    group="postgresql ${settings[*]}"
    s=s$i
    make_rows $s-en.csv "${settings[@]}" --format csv --encoding utf-8 --header en || continue
    columns_of $s-en.csv utf-8 || continue

    make_rows $s.csv "${settings[@]}" --format csv &&
      loads "csv in GBK" psql_do -c "create table ${s}_csv ($(table_columns "${columns[@]}"))" \
        -c "\\copy ${s}_csv from '$s.csv' with (format csv, header, encoding 'GBK')" &&
      read_back "csv in GBK" dump_postgresql ${s}_csv $s.csv gbk --empty-may-be-null

    # The plain names in the header say which column each field goes to: the table has them the other way round.
    local reversed=() name list
    for name in "${columns[@]}"; do reversed=("$name" "${reversed[@]}"); done
    list=$(IFS=,; echo "${columns[*]}")
    loads "csv in UTF-8 by the header's names" psql_do -c "create table ${s}_en ($(table_columns "${reversed[@]}"))" \
        -c "\\copy ${s}_en ($list) from '$s-en.csv' with (format csv, header match, encoding 'UTF8')" &&
      read_back "csv in UTF-8 by the header's names" dump_postgresql ${s}_en $s-en.csv utf-8 --empty-may-be-null

    make_rows $s-bom.csv "${settings[@]}" --format csv --encoding utf-8-bom &&
      loads "csv in UTF-8 with a byte-order mark" psql_do -c "create table ${s}_bom ($(table_columns "${columns[@]}"))" \
        -c "\\copy ${s}_bom from '$s-bom.csv' with (format csv, header, encoding 'UTF8')" &&
      read_back "csv in UTF-8 with a byte-order mark" dump_postgresql ${s}_bom $s-bom.csv utf-8-bom --empty-may-be-null

    local header=zh; [ $((i % 2)) = 0 ] && header=en
    make_rows $s.jsonl "${settings[@]}" --format jsonl --header $header &&
      loads "jsonl into jsonb" psql_do -c "create table ${s}_json (doc jsonb)" \
        -c "\\copy ${s}_json (doc) from '$s.jsonl' with (format csv, quote e'\\x01', delimiter e'\\x02', encoding 'UTF8')" &&
      read_back "jsonl into jsonb" dump_postgresql ${s}_json $s.jsonl utf-8

    make_rows $s-gbk.sql "${settings[@]}" --format sql --table ${s}_sql &&
      loads "sql in GBK" psql_do -c "create table ${s}_sql ($(table_columns "${columns[@]}"))" &&
      PGCLIENTENCODING=GBK loads "sql in GBK" psql_do -f $s-gbk.sql &&
      read_back "sql in GBK" dump_postgresql ${s}_sql $s-en.csv utf-8

    make_rows $s-made.sql "${settings[@]}" --format sql --encoding utf-8 --create-table --table ${s}_made &&
      loads "sql in UTF-8 with its table" psql_do -f $s-made.sql &&
      read_back "sql in UTF-8 with its table" dump_postgresql ${s}_made $s-en.csv utf-8 &&
      is_bigint "$(postgresql_type ${s}_made seq)"
  done

  group="postgresql: texts that need quoting"
  # A backslash, which sql refuses, and quotes: csv and jsonl carry them as they are.
  local odd=(--seed 106 --count 300 --regions --prefix 'C:\路"徐汇'"',")
  make_rows odd.csv "${odd[@]}" --format csv --encoding utf-8 --header en &&
    columns_of odd.csv utf-8 &&
    loads "csv" psql_do -c "create table odd_csv ($(table_columns "${columns[@]}"))" \
      -c "\\copy odd_csv from 'odd.csv' with (format csv, header, encoding 'UTF8')" &&
    read_back "csv" dump_postgresql odd_csv odd.csv utf-8 --empty-may-be-null
  make_rows odd.jsonl "${odd[@]}" --format jsonl &&
    loads "jsonl" psql_do -c "create table odd_json (doc jsonb)" \
      -c "\\copy odd_json (doc) from 'odd.jsonl' with (format csv, quote e'\\x01', delimiter e'\\x02', encoding 'UTF8')" &&
    read_back "jsonl" dump_postgresql odd_json odd.jsonl utf-8

  group="postgresql: parts of a run"
  # 2,500 rows in three parts, none of them starting on a statement's first row.
  local whole=(--seed 107 --count 2500 --style real --regions) k
  make_rows parts.csv "${whole[@]}" --format csv --encoding utf-8 --header en && columns_of parts.csv utf-8 || return
  for k in 1 2 3; do
    make_rows joined-$k.sql "${whole[@]}" --shard $k/3 --format sql --encoding utf-8 --create-table --table joined
  done
  cat joined-1.sql joined-2.sql joined-3.sql >joined.sql
  loads "sql parts one after the other" psql_do -f joined.sql &&
    read_back "sql parts one after the other" dump_postgresql joined parts.csv utf-8
  # With --standalone-parts each part loads on its own: csv parts into one table, sql parts each into a
  # database of its own.
  psql_do -c "create table parts_csv ($(table_columns "${columns[@]}"))"
  for k in 1 2 3; do
    make_rows part-$k.csv "${whole[@]}" --shard $k/3 --standalone-parts --format csv --encoding utf-8 --header en &&
      loads "csv part $k/3 on its own" psql_do -c "\\copy parts_csv from 'part-$k.csv' with (format csv, header, encoding 'UTF8')"
    make_rows part-$k.sql "${whole[@]}" --shard $k/3 --standalone-parts --format sql --encoding utf-8 \
        --create-table --table parts_sql &&
      psql_do -c "create database part_$k" &&
      PGDATABASE=part_$k loads "sql part $k/3 on its own" psql_do -f part-$k.sql
  done
  read_back "csv parts, each on its own" dump_postgresql parts_csv parts.csv utf-8 --empty-may-be-null
  read_back "sql parts, each on its own" dump_postgresql_parts parts_sql parts.csv utf-8
}
dump_postgresql_parts() { local k; for k in 1 2 3; do PGDATABASE=part_$k dump_postgresql "$1" || return; done; }

sqlite_loads() {
  local i s columns
  for i in 1 2 3 4 5; do
    settings_of $i
    group="sqlite ${settings[*]}"
    s=s$i
    sqlite_db=$s.db
    # .import makes the table from the header: the Chinese names, or the plain ones, read as they are.
    make_rows $s.csv "${settings[@]}" --format csv --encoding utf-8 || continue
    columns_of $s.csv utf-8 || continue
    loads ".import of csv" sqlite_do $s.db ".import --csv $s.csv ${s}_csv" &&
      read_back ".import of csv" dump_sqlite ${s}_csv $s.csv utf-8 --seq-text
    make_rows $s-en.csv "${settings[@]}" --format csv --encoding utf-8-bom --header en &&
      loads ".import of csv with a byte-order mark" sqlite_do $s.db ".import --csv $s-en.csv ${s}_en" &&
      read_back ".import of csv with a byte-order mark" dump_sqlite ${s}_en $s-en.csv utf-8-bom --seq-text

    make_rows $s.sql "${settings[@]}" --format sql --encoding utf-8 --table ${s}_sql &&
      loads "sql" sqlite_do $s.db "create table ${s}_sql ($(table_columns "${columns[@]}"))" &&
      loads "sql" sqlite_do $s.db <$s.sql &&
      read_back "sql" dump_sqlite ${s}_sql $s.csv utf-8
    make_rows $s-made.sql "${settings[@]}" --format sql --encoding utf-8 --create-table --table ${s}_made &&
      loads "sql with its table" sqlite_do $s.db <$s-made.sql &&
      read_back "sql with its table" dump_sqlite ${s}_made $s.csv utf-8
  done
}

mariadb_loads() {
  local i s columns
  loads "a database" as_db_user mariadb -e "create database loads character set utf8mb4 collate utf8mb4_bin" || return
  for i in 1 2 3 4 5; do
    settings_of $i
    group="mariadb ${settings[*]}"
    s=s$i
    make_rows $s.csv "${settings[@]}" --format csv --encoding utf-8 || continue
    columns_of $s.csv utf-8 || continue
    make_rows $s-gbk.sql "${settings[@]}" --format sql --table ${s}_gbk &&
      loads "sql in GBK" mariadb_do -e "create table ${s}_gbk ($(table_columns "${columns[@]}"))" &&
      loads "sql in GBK" mariadb_do --default-character-set=gbk <$s-gbk.sql &&
      read_back "sql in GBK" dump_mariadb ${s}_gbk $s.csv utf-8
    make_rows $s-made.sql "${settings[@]}" --format sql --encoding utf-8 --create-table --table ${s}_made &&
      loads "sql in UTF-8 with its table" mariadb_do --default-character-set=utf8mb4 <$s-made.sql &&
      read_back "sql in UTF-8 with its table" dump_mariadb ${s}_made $s.csv utf-8 &&
      is_bigint "$(mariadb_type ${s}_made seq)"
  done
}

# Every table name the program lets through must be one the database takes as it is: each of the database's own
# keywords (in keywords.txt) that it refuses as a table's name (the rest are in created.txt) the program refuses too.
table_names_checked() {
  local refused accepted
  refused=$(grep -E '^[a-z_][a-z0-9_]*$' keywords.txt | sort -u | comm -23 - <(sort -u created.txt))
  group="$database: table names"
  grep -qx select <<<"$refused" || { fail "the database took 'select' as a table's name: $(head -c 300 keywords.log)"; return; }
  # Hundreds of runs that end at their arguments: two at a time, and without a sanitized build's leak check at
  # exit, which takes longer than the rest of such a run.
  accepted=$(ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 xargs -P 2 -I '{}' sh -c '"$1" --count 1 --format sql --table "$2" >/dev/null 2>&1; [ $? = 2 ] || echo "$2"' \
    check "$program" '{}' <<<"$refused" | sort | tr '\n' ' ')
  [ -z "$accepted" ] || fail "$(wc -w <<<"$accepted") names $database refuses are not refused: $accepted"
}

# A table of one column named after each keyword: create_statements <keywords.txt
create_statements() { tr 'A-Z' 'a-z' | sed 's/.*/create table & (x int);/'; }

postgresql_table_names() {
  psql_do -A -t -c "select word from pg_get_keywords()" >keywords.txt &&
    psql_do -c "create database keywords" || { fail "no keywords"; return; }
  create_statements <keywords.txt | PGDATABASE=keywords as_db_user psql -X -q >keywords.log 2>&1
  PGDATABASE=keywords psql_do -A -t -c "select tablename from pg_tables where schemaname = 'public'" >created.txt
  table_names_checked
}

mariadb_table_names() {
  mariadb_do -N -B -e "select lower(word) from information_schema.keywords" >keywords.txt &&
    mariadb_do -e "create database keywords" || { fail "no keywords"; return; }
  create_statements <keywords.txt | as_db_user mariadb --force keywords >keywords.log 2>&1
  as_db_user mariadb -N -B keywords -e "show tables" >created.txt
  table_names_checked
}

sqlite_table_names() {
  # The keywords of the library the sqlite3 shell runs on.
  "$python" - >keywords.txt <<'PY' || { fail "no keywords"; return; }
import ctypes, ctypes.util
library = ctypes.CDLL(ctypes.util.find_library("sqlite3"))
name, length = ctypes.c_char_p(), ctypes.c_int()
for i in range(library.sqlite3_keyword_count()):
    library.sqlite3_keyword_name(i, ctypes.byref(name), ctypes.byref(length))
    print(ctypes.string_at(name, length.value).decode().lower())
PY
  create_statements <keywords.txt | as_db_user sqlite3 keywords.db >keywords.log 2>&1
  sqlite_do keywords.db "select name from sqlite_master where type = 'table'" >created.txt
  table_names_checked
}

# The README's code blocks under "Loading the rows into a database", one command a line (a line ending in a
# backslash goes on in the next), each block followed by a NUL.
readme_blocks() {
  "$python" - "$top/README.md" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
section = (text.split("\n### Loading the rows into a database\n", 1) + [""])[1]
section = re.split(r"\n#+ ", section, maxsplit=1)[0]
for block in re.findall(r"(?:^    .*\n(?:\n(?=    ))?)+", section, re.M):
    print(re.sub(r"\\\n *", "", "\n".join(line[4:] for line in block.split("\n"))).strip(), end="\0")
PY
}

# Runs the README's blocks that load with LOADER (psql, sqlite3 or mariadb) as they are written, each in a folder
# and a database of its own, with the rows of its quarrow-batch line, and compares what they loaded with those rows.
readme_loads() {
  local loader=$1 block n=0 folder arguments format encoding out table options
  while IFS= read -r -d '' block; do
    grep -qE "^([A-Z_]+=[^ ]* )*$loader " <<<"$block" || continue
    n=$((n + 1))
    group="README, $loader block $n"
    folder=$work/readme-$n
    as_db_user mkdir "$folder"
    [ "$loader" = psql ] && psql_do -c "create database readme_$n"
    (
      cd "$folder" || exit 1
      [ "$loader" = psql ] && export PGDATABASE=readme_$n
      quarrow-batch() { printf '%s\0' "$@" >quarrow-batch.arguments; timeout 120 "$program" "$@"; }
      psql() { as_db_user timeout 120 psql "$@"; }
      sqlite3() { as_db_user timeout 120 sqlite3 "$@"; }
      mariadb() { as_db_user timeout 120 mariadb "$@"; }
      mapfile -t lines <<<"$block"
      for line in "${lines[@]}"; do
        eval "$line" </dev/null || { echo "exit code $? for: $line"; exit 1; }
      done
    ) >"$folder.log" 2>&1 || { fail "the commands failed: $(tail -n 3 "$folder.log")"; continue; }
    mapfile -d '' arguments <"$folder/quarrow-batch.arguments" || { fail "no quarrow-batch line"; continue; }
    format=text encoding=gbk out="" table=addresses
    local kept=()
    while [ ${#arguments[@]} -gt 0 ]; do
      case ${arguments[0]} in
        --format) format=${arguments[1]} ;;
        --encoding) encoding=${arguments[1]} ;;
        --out) out=${arguments[1]} ;;
        --table) table=${arguments[1]} ;;
        --header) ;;
        --create-table) arguments=("${arguments[@]:1}"); continue ;;
        *) kept+=("${arguments[0]}"); arguments=("${arguments[@]:1}"); continue ;;
      esac
      arguments=("${arguments[@]:2}")
    done
    grep -q -- --seed <<<"${kept[*]}" || { fail "no --seed, so its rows cannot be made again"; continue; }
    [ "$format" = jsonl ] && encoding=utf-8
    options=()
    case $loader:$format in
      psql:csv) options=(--empty-may-be-null) ;;
      sqlite3:csv) options=(--seq-text) ;;
      *:sql)
        make_rows "$folder/rows.csv" "${kept[@]}" --format csv --encoding utf-8 --header en || continue
        out=rows.csv encoding=utf-8 ;;
    esac
    case $loader in
      psql) PGDATABASE=readme_$n read_back "the rows loaded" dump_postgresql "$table" "$folder/$out" "$encoding" "${options[@]}" ;;
      sqlite3) sqlite_db=$(ls "$folder"/*.db) read_back "the rows loaded" dump_sqlite "$table" "$folder/$out" "$encoding" "${options[@]}" ;;
      mariadb) mariadb_database=quarrow read_back "the rows loaded" dump_mariadb "$table" "$folder/$out" "$encoding" "${options[@]}" ;;
    esac
  done < <(readme_blocks)
  group="README"
  [ $n -gt 0 ] || fail "no block loads with $loader"
}

make_scratch_folder
cd "$work" || exit 1
printf '淺水\n禱告\n籠\n' >roads.txt
printf "O'Neil\n幸福\n" >communities.txt
case $database in
  postgresql)
    start_postgresql || { echo "SKIP: PostgreSQL cannot be started here: $why"; exit 77; }
    postgresql_loads
    postgresql_table_names
    readme_loads psql ;;
  sqlite)
    command -v sqlite3 >/dev/null || { echo "SKIP: sqlite3 is not installed (scripts/setup installs it)"; exit 77; }
    sqlite_loads
    sqlite_table_names
    readme_loads sqlite3 ;;
  mariadb)
    start_mariadb || { echo "SKIP: MariaDB cannot be started here: $why"; exit 77; }
    mariadb_loads
    mariadb_table_names
    readme_loads mariadb ;;
  *) echo "database_tests.sh: no such database: $database"; exit 2 ;;
esac

[ "$failures" -eq 0 ] && echo "$database: every load read back as written"
exit $((failures > 0))
