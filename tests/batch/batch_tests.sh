#!/usr/bin/env bash
# quarrow-batch as a process: its arguments, the bytes it writes and its exit codes.
#   batch_tests.sh PROGRAM                      every group against one build (a .exe runs under Wine)
#   batch_tests.sh --same-bytes PROGRAM OTHER... the same seeds and settings give the same bytes on every build
#   batch_tests.sh --across-builds              --same-bytes for the native release build (make batch), the
#                                               win64 build, and the win32 build where a 32-bit prefix exists
# glibc's iconv is the independent judge of the GBK -> UTF-8 conversion, Python's csv and json modules of the
# quoting.
set -uo pipefail
# Bytes compare as bytes: GBK output is not text in a UTF-8 locale.
export LC_ALL=C
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
if [ "${1:-}" = --across-builds ]; then
  native=$top/build/native/quarrow-batch
  [ -x "$native" ] || { echo "FAIL: no native release build at $native (make batch)"; exit 1; }
  builds=("$native" "$top/build/win64/app/quarrow-batch.exe")
  if [ -f "$top/build/wine32/system.reg" ] && [ -f "$top/build/win32/app/quarrow-batch.exe" ]; then
    builds+=("$top/build/win32/app/quarrow-batch.exe")
  else
    echo "across builds: no 32-bit Wine prefix or win32 build, so the win32 build is left out"
  fi
  exec "$0" --same-bytes "${builds[@]}"
fi
failures=0
fail() { echo "FAIL [$group] $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; "$@" || fail "$what"; }

# Runs one build: a Windows build through the project's Wine prefix for its word size.
run_program() {
  local program=$1; shift
  case $program in
    *win32*.exe) env -u WINEPREFIX -u WINEARCH QUARROW_WINE_BITS=32 "$top/scripts/wine-run" "$program" "$@" ;;
    *.exe) env -u WINEPREFIX -u WINEARCH QUARROW_WINE_BITS=64 "$top/scripts/wine-run" "$program" "$@" ;;
    *) "$program" "$@" ;;
  esac
}

programs=()
for argument in "$@"; do
  case $argument in --*) programs+=("$argument") ;; *) programs+=("$(realpath "$argument")") ;; esac
done
set -- "${programs[@]}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
# Relative names only: a Windows build under Wine sees this folder as its current one.
printf '人民\n\n  \r\n解放\r\n建设\n' >roads.txt
printf '幸福\n和平\n' >communities.txt
iconv -f UTF-8 -t GBK roads.txt >roads-gbk.txt
iconv -f UTF-8 -t GBK communities.txt >communities-gbk.txt

if [ "${1:-}" = --same-bytes ]; then
  shift
  group="same bytes"
  first=$1; shift
  settings=(
    "--seed 0 --count 500"
    "--seed 4294967295 --count 500 --format csv --encoding utf-8-bom"
    "--seed 123456 --count 500 --format jsonl --prefix 北京市"
    "--seed 77 --count 500 --roads roads.txt --communities communities-gbk.txt --house 100-5 --room=１２-3"
    "--seed 2026 --count 150000"
    "--seed 31 --count 3000 --regions 32,北京市,4419 --format csv --encoding utf-8"
    "--seed 32 --count 150000 --regions"
  )
  for s in "${settings[@]}"; do
    # shellcheck disable=SC2086
    run_program "$first" $s >expected.out || fail "$first $s: exit code $?"
    for other in "$@"; do
      # shellcheck disable=SC2086
      run_program "$other" $s >actual.out || fail "$other $s: exit code $?"
      cmp -s expected.out actual.out || fail "$other and $first differ for: $s"
    done
  done
  [ "$failures" -eq 0 ] && echo "same bytes: ${#settings[@]} settings, $(($# + 1)) builds"
  exit $((failures > 0))
fi

program=$1
batch() { run_program "$program" "$@"; }
finish() {
  [ "$failures" -eq 0 ] && echo "quarrow-batch: every group passed against $program"
  exit $((failures > 0))
}

group="formats"
batch --seed 5 --count 200 --prefix 上海市 >text.out
check "text rows are number, prefix, auto address, CR LF" \
  python3 - text.out <<'PY'
import re, sys
data = open(sys.argv[1], "rb").read().decode("gbk")
rows = data.split("\r\n")
assert rows[-1] == "" and len(rows) == 201, len(rows)
pattern = re.compile(r"(\d+)上海市(..)路 (0[3-9]|1[0-9])号 (.)小区 ([1-9][0-9])号楼 ([1-9])单元 ([1-9][0-9][0-9])室")
for i, row in enumerate(rows[:-1], 1):
    m = pattern.fullmatch(row)
    assert m and int(m[1]) == i, row
    for c in m[2] + m[4]:
        b = c.encode("gbk")
        assert 0xB0 <= b[0] <= 0xDA and 0xB0 <= b[1] <= 0xDA, row
PY
batch --seed 5 --count 200 --prefix 上海市 --encoding utf-8 >utf8.out
check "utf-8 is the gbk output converted" cmp -s utf8.out <(iconv -f GBK -t UTF-8 text.out)
batch --seed 5 --count 200 --prefix 上海市 --encoding=utf-8-bom >bom.out
check "utf-8-bom is a byte-order mark and the utf-8 output" cmp -s bom.out <(printf '\357\273\277'; cat utf8.out)
batch --seed 5 --count 200 --prefix 上海市 --format csv >csv.out
batch --seed 5 --count 200 --prefix 上海市 --format jsonl --encoding utf-8 >jsonl.out
check "csv and jsonl hold the text output's rows, field by field" \
  python3 - text.out csv.out jsonl.out <<'PY'
import csv, io, json, sys
text = open(sys.argv[1], "rb").read().decode("gbk").split("\r\n")[:-1]
raw = open(sys.argv[2], "rb").read()
assert raw.count(b"\r\n") == 201 and raw.count(b"\n") == 201, "csv lines end with CR LF"
table = list(csv.reader(io.StringIO(raw.decode("gbk"), newline="")))
assert table[0] == ["序号", "前缀", "路", "号", "小区", "号楼", "单元", "室", "地址"], table[0]
objects = [json.loads(line) for line in open(sys.argv[3], "rb").read().decode("utf-8").split("\n")[:-1]]
assert len(table) == 201 and len(objects) == 200
for row, obj, line in zip(table[1:], objects, text):
    assert line == row[0] + row[8], (line, row)
    assert row[8] == row[1] + row[2] + "路 " + row[3] + "号 " + row[4] + "小区 " + row[5] + "号楼 " + row[6] + "单元 " + row[7] + "室"
    assert obj == dict(zip(table[0], [int(row[0])] + row[1:])), (obj, row)
PY

group="manual mode"
batch --seed 9 --count 300 --roads roads.txt --communities communities.txt >utf8-lists.out
batch --seed 9 --count 300 --roads roads-gbk.txt --communities communities-gbk.txt >gbk-lists.out
check "UTF-8 and GBK list files give the same rows" cmp -s utf8-lists.out gbk-lists.out
batch --seed 9 --count 300 --roads roads.txt --communities communities.txt --house 3-3 --building=100-5 \
  --unit １２-１２ --room 7-0012 >ranges.out
check "names, reversed bounds, full-width digits and the width of the high bound" \
  python3 - utf8-lists.out ranges.out <<'PY'
import re, sys
default = open(sys.argv[1], "rb").read().decode("gbk").split("\r\n")[:-1]
ranges = open(sys.argv[2], "rb").read().decode("gbk").split("\r\n")[:-1]
seen = set()
for line in default:
    m = re.fullmatch(r"\d+(人民|解放|建设)路 (\d\d)号 (幸福|和平)小区 (\d\d)号楼 (\d\d)单元 (\d\d)室", line)
    assert m and all(1 <= int(m[i]) <= 99 for i in (2, 4, 5, 6)), line
    seen.add(m[1])
assert seen == {"人民", "解放", "建设"}, "blank lines are skipped, every name is drawn"
buildings = set()
for line in ranges:
    m = re.fullmatch(r"\d+(人民|解放|建设)路 3号 (幸福|和平)小区 (\d+)号楼 12单元 (\d+)室", line)
    assert m, line
    assert 5 <= int(m[3]) <= 100 and m[3] == str(int(m[3])), "zero-filled to the width of 5: none"
    assert 7 <= int(m[4]) <= 12 and len(m[4]) == 2, "zero-filled to the width of 12, the number 0012 reads as"
    buildings.add(len(m[3]))
assert buildings == {1, 2, 3} or buildings >= {1, 2}, buildings
PY
batch --count 3 --prefix P --roads roads.txt --communities communities.txt --house=-9 >blank.out
check "a blank house-number bound gives the empty address" cmp -s blank.out <(printf '1P\r\n2P\r\n3P\r\n')
: >empty.txt
batch --count 2 --roads empty.txt --communities communities.txt --format csv >empty-list.out
check "an empty list gives empty addresses, numbered all the same" \
  cmp -s <(tail -n 2 empty-list.out) <(printf '1,,,,,,,,\r\n2,,,,,,,,\r\n')
printf 'A,"B"\n' >odd-road.txt
printf '幸福\n' >odd-community.txt
batch --count 1 --roads odd-road.txt --communities odd-community.txt --format csv --house 1-1 --building 1-1 \
  --unit 1-1 --room 1-1 >odd.csv
check "csv quotes a field with a comma or a quote" \
  cmp -s <(tail -n 1 odd.csv | iconv -f GBK -t UTF-8) <(printf '1,,"A,""B""",1,幸福,1,1,1,"A,""B""路 1号 幸福小区 1号楼 1单元 1室"\r\n')

group="seeds"
batch --seed 42 --count 1000 >a.out
batch --seed=42 --count=1000 >b.out
batch --seed 43 --count 1000 >c.out
check "the same seed gives the same bytes" cmp -s a.out b.out
check "another seed gives other rows" test "$(cmp -s a.out c.out; echo $?)" = 1
check "without a seed the rows still come" test "$(batch --count 10 | grep -c $'\r$')" = 10
# 200,000 rows are several blocks made side by side; --unique makes its rows one after the other, and with this
# many possible addresses it has (all but surely) nothing to skip, so both give the same rows.
batch --seed 11 --count 200000 >blocks.out
batch --seed 11 --count 200000 --unique >one-by-one.out
check "rows made in blocks are the rows made one by one" cmp -s blocks.out one-by-one.out
wide=(--roads roads.txt --communities communities.txt --house 1-30000 --building 1-30000)
batch --seed 12 --count 200000 "${wide[@]}" >blocks.out
batch --seed 12 --count 200000 "${wide[@]}" --unique >one-by-one.out
check "also in manual mode" cmp -s blocks.out one-by-one.out
check "--progress reports on standard error, not among the rows" \
  test "$(batch --seed 42 --count 1000 --progress 2>progress.txt | cmp - a.out && tr '\r' '\n' <progress.txt | grep . | tail -n 1)" \
  = "100% (1000 of 1000 rows)"

group="unique"
printf 'One\nTwo\nOne\n' >two-roads.txt
printf 'X\n' >one-community.txt
unique=(--roads two-roads.txt --communities one-community.txt --house 1-3 --building 1-1 --unit 1-1 --room 1-1)
batch --seed 3 --count 6 --unique "${unique[@]}" >unique.out
check "--unique makes every address the settings allow, each once" \
  test "$(cut -c2- unique.out | sort -u | wc -l)" = 6
batch --seed 3 --count 7 --unique --out refused.out "${unique[@]}" 2>refused.err
check "--unique refuses more rows than addresses with exit code 2" test $? = 2
check "the refusal gives both numbers" grep -q '6 .*7\|7 .*6' refused.err
check "a refused run writes nothing" test ! -e refused.out
batch --seed 8 --count 20000 --unique >many.out
check "--unique in auto mode" test "$(cut -d$'\r' -f1 many.out | sed 's/^[0-9]*//' | sort -u | wc -l)" = 20000

group="regions"
# The judge reads the committed table of divisions itself and applies the official reading on its own: a
# municipality's or a directly governed county's text has no city, a city without counties is not named twice,
# and development zones and the like (71 to 80 after a city's code) are no regions.
batch --seed 20 --count 100000 >plain.out
batch --seed 20 --count 100000 --regions >regions.out
batch --seed 20 --count 100000 --regions --format csv --encoding utf-8 --prefix 前 >regions.csv
check "100,000 rows: real regions, consistent, as likely each, the addresses as without --regions" \
  python3 - "$top/places/division_table.cpp" plain.out regions.out regions.csv <<'PY'
import csv, io, re, sys
source = open(sys.argv[1], encoding="utf-8").read()
def level(name):
    body = source.split(f"const {name} ")[1].split("};")[0]
    return [(int(m[1]), m[2], int(m[3] or -1)) for m in re.finditer(r'\{(\d+), "([^"]+)"(?:, (\d+))?\}', body)]
provinces, cities, counties = level("Province"), level("City"), level("County")
assert (len(provinces), len(cities), len(counties)) == (31, 342, 2978)
official = {}
for code, name, city_at in counties:
    city_code, city, province_at = cities[city_at]
    province = provinces[province_at][1]
    assert code // 100 == city_code and city_code // 100 == provinces[province_at][0]
    if 71 <= code % 100 <= 80 and city_code % 100 != 90:
        continue
    if city in ("市辖区", "县") or city.endswith("直辖县级行政区划"):
        city = ""
    official[str(code)] = (province, city, "" if name == city else name)
plain = open(sys.argv[2], "rb").read().decode("gbk").split("\r\n")[:-1]
texts = open(sys.argv[3], "rb").read().decode("gbk").split("\r\n")[:-1]
table = list(csv.reader(io.StringIO(open(sys.argv[4], encoding="utf-8", newline="").read())))
assert table[0] == ["序号", "前缀", "省", "市", "区县", "区划代码", "路", "号", "小区", "号楼", "单元", "室", "地址"]
counts = dict.fromkeys(official, 0)
for i, (row, without, text) in enumerate(zip(table[1:], plain, texts), 1):
    number, prefix, province, city, county, code = row[:6]
    assert official[code] == (province, city, county), row
    region = province + city + county
    assert text == without[:len(str(i))] + region + without[len(str(i)):], (text, without)
    assert row[12] == prefix + region + without[len(str(i)):], row
    counts[code] += 1
assert len(table) == 100001 and len(texts) == 100000
expected = 100000 / len(counts)
chi2 = sum((n - expected) ** 2 / expected for n in counts.values())
# One degree of freedom fewer than regions (2,854): chi-square's mean, and its spread of about 76; four spreads
# either way.
assert len(counts) == 2854
df = len(counts) - 1
assert df - 4 * (2 * df) ** 0.5 < chi2 < df + 4 * (2 * df) ** 0.5, chi2
assert min(counts.values()) > 0
PY
# As without --regions: blocks side by side, and --unique's rows one by one, which has nothing to skip here.
batch --seed 11 --count 200000 --regions >blocks.out
batch --seed 11 --count 200000 --regions --unique >one-by-one.out
check "regions of rows made in blocks are those of rows made one by one" cmp -s blocks.out one-by-one.out
for filter in 江苏省南京市 南京市 3201 "3201,320102"; do
  batch --seed 21 --count 2000 --regions "$filter" --format csv --encoding utf-8 >filtered.csv
  check "--regions $filter keeps Nanjing's 11 districts, each drawn" \
    test "$(tail -n +2 filtered.csv | cut -d, -f6 | sort -u | grep -c '^3201[0-9][0-9]$')" = 11
  check "--regions $filter keeps nothing else" test "$(tail -n +2 filtered.csv | cut -d, -f6 | grep -vc '^3201')" = 0
done
batch --seed 21 --count 50 --regions=北京市东城区,广东省东莞市 --format jsonl >two.jsonl
check "a municipality's and a city's own county-level text, in jsonl" \
  python3 - two.jsonl <<'PY'
import json, sys
rows = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
seen = {(r["省"], r["市"], r["区县"], r["区划代码"]) for r in rows}
assert seen == {("北京市", "", "东城区", "110101"), ("广东省", "东莞市", "", "441900")}, seen
assert all(r["地址"].startswith(r["省"] + r["市"] + r["区县"] + r["路"] + "路 ") for r in rows)
PY
unique=(--roads two-roads.txt --communities one-community.txt --house 1-1 --building 1-1 --unit 1-1 --room 1-1)
batch --seed 3 --count 22 --unique --regions 3201 "${unique[@]}" >unique-regions.out
check "--unique counts the regions: 2 addresses in 11 districts" test "$(sed "s/^[0-9]*//" unique-regions.out | sort -u | wc -l)" = 22
batch --seed 3 --count 23 --unique --regions 3201 "${unique[@]}" 2>refused.err >/dev/null
check "and refuses a 23rd" grep -q '22 .*23' refused.err
for filter in 朝阳区 江苏 3299 火星; do
  batch --count 5 --regions "$filter" --out kept.out 2>stderr.txt
  check "--regions $filter: exit code 2" test $? = 2
  check "--regions $filter: one line listing what was meant" \
    test "$(wc -l <stderr.txt)" = 1 -a "$(grep -o '([0-9]*)' stderr.txt | wc -l)" -ge 2
done

batch --count 5 --regions $'\xff\xfe' 2>stderr.txt
check "--regions with bytes that are no text: exit code 2" test $? = 2

group="bad arguments"
printf '好\n\xf0\x9f\x98\x80\n' >emoji.txt
printf '\xb0\xa1\n\xb0\n' >bad-gbk.txt
echo old >kept.out
while IFS= read -r args; do
  # shellcheck disable=SC2086
  batch $args --out kept.out >stdout.txt 2>stderr.txt
  code=$?
  [ "$code" = 2 ] || fail "$args: exit code $code, not 2"
  [ "$(wc -l <stderr.txt)" = 1 ] || fail "$args: not one line of message: $(cat stderr.txt)"
  [ -s stdout.txt ] && fail "$args: wrote to standard output"
  [ "$(cat kept.out)" = old ] || fail "$args: touched the output file"
done <<'ARGS'
--count 5 --bogus
--count 5 stray
--seed 1
--count 0
--count 100000001
--count 12x
--count
--count 5 --count 6
--count 5 --seed 4294967296
--count 5 --seed -1
--count 5 --format xml
--count 5 --encoding latin1
--count 5 --format jsonl --encoding gbk
--count 5 --unique=yes
--count 5 --roads roads.txt
--count 5 --house 1-9
--count 5 --roads roads.txt --communities missing.txt
--count 5 --roads roads.txt --communities communities.txt --house 19
--count 5 --roads roads.txt --communities communities.txt --room 1-2147483648
--count 5 --roads roads.txt --communities communities.txt --unit a-9
--count 5 --roads emoji.txt --communities communities.txt
--count 5 --roads bad-gbk.txt --communities communities.txt --encoding utf-8
--count 5 --roads bad-gbk.txt --communities communities.txt
ARGS
batch --count 5 --prefix $'\xb0' >stdout.txt 2>stderr.txt
check "a prefix that is no GBK is refused in GBK output too" test $? = 2 -a ! -s stdout.txt
batch --count 5 --roads bad-gbk.txt --communities communities.txt 2>stderr.txt
check "a list name that is no GBK is named by its line" grep -q 'bad-gbk.txt line 2' stderr.txt
batch --count 5 --roads emoji.txt --communities communities.txt 2>stderr.txt
check "a name GBK cannot hold is named by its line" grep -q 'emoji.txt line 2' stderr.txt
batch --help | grep -q -- '--count N' || fail "--help"
batch --version | grep -q 'quarrow-batch' || fail "--version"

group="writes"
windows=no
case $program in *.exe) windows=yes ;; esac
no_temporary() { test -z "$(ls -a | grep -i '^~qrw')"; }
batch --seed 2 --count 50 >expected-50.out
echo old >target.out
batch --count 10 --out missing-folder/target.out 2>stderr.txt
check "a missing folder fails with exit code 1" test $? = 1
check "the message names the file" grep -q 'missing-folder' stderr.txt
batch --seed 2 --count 50 --out target.out
check "a complete write replaces the file" cmp -s target.out expected-50.out
check "and leaves no temporary behind" no_temporary
batch --seed 2 --count 50 --out - >dash.out
check "--out - is standard output" cmp -s dash.out expected-50.out
check "and no file named -" test ! -e -
echo old >target.out
( ulimit -f 64; trap '' XFSZ; batch --count 100000 --out target.out 2>stderr.txt )
check "a write that runs out of room fails with exit code 1" test $? = 1
check "and leaves the old file intact" test "$(cat target.out)" = old
check "the message names the file" grep -q 'target.out' stderr.txt
echo keep >read-only.out
chmod 444 read-only.out
# Root may write a read-only file on Linux, as a shell's redirection would; the refusal is tested as another user.
if [ $windows = yes ] || [ "$(id -u)" != 0 ]; then
  batch --count 10 --out read-only.out 2>stderr.txt
  check "a read-only file is refused with exit code 1" test $? = 1
  check "and stays as it was" test "$(cat read-only.out)" = keep
fi
batch --count 1000000 2>pipe.err | head -c 10 >head.out
status=${PIPESTATUS[0]}
[ $windows = yes ] && broken=1 || broken=141
check "a reader that stops early ends the run with exit code $broken, not $status" test "$status" = $broken
check "and silently" test ! -s pipe.err
if [ $windows = yes ]; then
  batch --seed 2 --count 50 --out NUL
  check "the null device is written directly: exit 0" test $? = 0
  check "and no file takes its place" test -z "$(ls -a | grep -i '^nul$')"
fi

# An interrupt removes the temporary and ends the run as the interrupt would (under Wine, SIGINT is the console's
# Ctrl+C, after which Windows' exit code is STATUS_CONTROL_C_EXIT, of which the shell sees the low byte, 58). A
# run killed outright leaves its temporary, and the next write to the same target removes it. A background job's
# SIGINT is ignored unless it is set back.
launcher=(env --default-signal=INT)
[ $windows = yes ] && launcher+=("$top/scripts/wine-run")
for signal in INT KILL; do
  echo old >target.out
  # Started directly (wine-run ends in exec), not through a function: a background subshell would take the
  # signal in its place.
  "${launcher[@]}" "$program" --count 5000000 --out target.out &
  pid=$!
  # The barrier: the temporary exists, so the run is writing.
  for _ in $(seq 400); do ls -a | grep -qi '^~qrw' && break; sleep 0.05; done
  kill -s $signal $pid
  { wait $pid; } 2>/dev/null
  status=$?
  expected=$((128 + $(kill -l $signal)))
  [ $windows = yes ] && [ $signal = INT ] && expected=58
  check "killed with SIG$signal: exit status $expected, not $status" test $status = $expected
  check "killed with SIG$signal: the old file is intact" test "$(cat target.out)" = old
  left=$(ls -a | grep -ci '^~qrw')
  [ $signal = INT ] && check "an interrupt removes the temporary" test "$left" = 0
  [ $signal = KILL ] && check "killed outright, it leaves its temporary" test "$left" = 1
done
batch --seed 4 --count 10 --out target.out
check "the next write removes what a killed run left" no_temporary

# What follows, Linux has and Windows has not: links, FIFOs, sockets, device nodes, signals, owners.
[ $windows = yes ] && finish

group="writes (Linux)"
echo old >linked.out
ln -s linked.out link.out
ln -s not-yet.out dangling.out
batch --seed 2 --count 50 --out link.out
check "a symbolic link stays a link" test -L link.out
check "and the file it leads to is replaced" cmp -s linked.out expected-50.out
batch --seed 2 --count 50 --out dangling.out
check "a link to no file yet makes the file where it leads" test -L dangling.out -a -f not-yet.out
# A link of its own to what /dev/stdout leads to: a build that replaced links it should not would replace this
# one, not the machine's.
ln -s /proc/self/fd/1 standard-output
batch --seed 2 --count 50 --out standard-output | cat >piped.out
check "a link to the process's standard output, onto a pipe" cmp -s piped.out expected-50.out
echo earlier >appended.out
batch --seed 2 --count 50 --out standard-output >>appended.out
check "and onto a file opened for appending: appended to, not replaced" \
  cmp -s appended.out <(echo earlier; cat expected-50.out)
env --ignore-signal=PIPE "$program" --count 1000000 2>pipe.err | head -c 10 >head.out
status=${PIPESTATUS[0]}
check "with SIGPIPE ignored, a reader that stops early ends the run with exit code 1, not $status" test "$status" = 1
check "and silently" test ! -s pipe.err

# The machine's own devices are not put at risk: root writes nodes of its own made here, and only a user who may
# not replace anything in /dev writes its devices.
if mknod null-device c 1 3 2>/dev/null && mknod full-device c 1 7 2>/dev/null && : >null-device 2>/dev/null; then
  null=null-device full=full-device
elif [ "$(id -u)" != 0 ]; then
  null=/dev/null full=/dev/full
else
  null='' full=''
  echo "skipped [$group] devices: root may not make device nodes in $work, and /dev is not put at risk"
fi
if [ -n "$null" ]; then
  batch --count 1000 --out "$null"
  check "a null device is written directly: exit 0" test $? = 0
  batch --count 1000 --out "$full" 2>stderr.txt
  check "a full device: exit 1" test $? = 1
  check "with the reason" grep -q 'No space left' stderr.txt
  check "both stay devices" test -c "$null" -a -c "$full"
  check "with no temporary beside them" no_temporary
fi

mkfifo rows.fifo
timeout 30 cat rows.fifo >from-fifo.out &
reader=$!
timeout 30 "$program" --seed 2 --count 50 --out rows.fifo
check "a FIFO is written directly: exit 0" test $? = 0
wait $reader
check "its reader gets every row" cmp -s from-fifo.out expected-50.out
check "it stays a FIFO" test -p rows.fifo
check "with no temporary beside it" no_temporary

timeout 30 python3 - rows.socket from-socket.out <<'PY' &
import socket, sys
server = socket.socket(socket.AF_UNIX)
server.bind(sys.argv[1])
server.listen(1)
open("socket.ready", "w").close()
connection, _ = server.accept()
with open(sys.argv[2], "wb") as out:
    while data := connection.recv(65536):
        out.write(data)
PY
reader=$!
for _ in $(seq 400); do [ -e socket.ready ] && break; sleep 0.05; done
timeout 30 "$program" --seed 2 --count 50 --out rows.socket
check "a socket is connected to and written: exit 0" test $? = 0
wait $reader
check "its reader gets every row" cmp -s from-socket.out expected-50.out
check "it stays a socket" test -S rows.socket

# Names that a write's clean-up might take for its leftovers: a FIFO would keep an open waiting for ever.
stem=$(python3 -c '
import sys
h = 2166136261
for b in sys.argv[1].encode():
    h = ((h ^ (b - 32 if 97 <= b <= 122 else b)) * 16777619) & 0xFFFFFFFF
print("~qrw%08X" % h)' target.out)
mkfifo "${stem}0000000A.tmp"
echo keep >"${stem}0000000B.tmp"
chmod 444 "${stem}0000000B.tmp"
echo left >"${stem}0000000C.tmp"
timeout 30 "$program" --count 10 --out target.out
check "a FIFO and a read-only file of a temporary's name do not stop the write" test $? = 0
check "they are no leftovers and stay" test -p "${stem}0000000A.tmp" -a "$(cat "${stem}0000000B.tmp")" = keep
check "a plain one is a leftover, and goes" test ! -e "${stem}0000000C.tmp"
rm -f "${stem}"*

# Each run clears away what the others left while they all write the same target, and none may take another's
# live temporary for a leftover.
: >concurrent.err
for _ in $(seq 20); do
  for _ in 1 2 3 4 5 6; do
    ( "$program" --seed 2 --count 50 --out shared.out 2>>concurrent.err || echo "exit code $?" >>concurrent.err ) &
  done
  wait
done
check "runs writing one target at once all succeed: $(sort concurrent.err | uniq -c | head -n 3)" \
  test ! -s concurrent.err
check "and the target holds the rows" cmp -s shared.out expected-50.out

if command -v strace >/dev/null && strace -o probe.trace true 2>/dev/null; then
  strace -f -y -e trace=fsync,rename,renameat,renameat2 -o sync.trace "$program" --count 10 --out synced.out
  check "the folder is flushed after the rename, so that the rename is on the disk" \
    grep -q "fsync([0-9]*<$(pwd -P)>)" <(sed -n '/rename.*"synced.out"/,$p' sync.trace)
else
  echo "skipped [$group] the folder's flush: strace cannot trace a process here"
fi

# A hang-up that the parent ignores (as nohup does) stays ignored. Stopped, the run is still running when the
# hang-up comes, however fast it is.
env --ignore-signal=HUP "$program" --count 3000000 --out target.out --progress 2>progress.txt &
pid=$!
for _ in $(seq 400); do [ -s progress.txt ] && break; sleep 0.01; done
if kill -STOP $pid 2>/dev/null; then
  kill -HUP $pid
  kill -CONT $pid
  wait $pid
  status=$?
  check "a hang-up that nohup ignores leaves the run going: exit 0, not $status" test $status = 0
  check "to the last row" test "$(wc -l <target.out)" = 3000000
else
  wait $pid
  fail "the run ended before the hang-up could come; it needs more rows"
fi

if [ "$(id -u)" = 0 ] && id nobody >/dev/null 2>&1; then
  as_nobody=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
  chmod 711 "$work"
  mkdir shared
  chmod 777 shared
  echo x >shared/theirs.out
  chown nobody:"$(id -g nobody)" shared/theirs.out
  chmod 604 shared/theirs.out
  batch --seed 2 --count 50 --out shared/theirs.out
  check "a replaced file keeps its owner, group and mode" \
    test "$(stat -c '%u:%g %a' shared/theirs.out)" = "$(id -u nobody):$(id -g nobody) 604"
  check "and holds the rows" cmp -s shared/theirs.out expected-50.out
  echo keep >shared/owned-by-root.out
  echo keep >shared/read-only.out
  chown nobody shared/read-only.out
  chmod 444 shared/read-only.out
  for name in owned-by-root read-only; do
    "${as_nobody[@]}" "$program" --count 10 --out shared/$name.out 2>stderr.txt
    check "$name: a file the user may not open for writing is refused with exit code 1" test $? = 1
    check "$name: and stays as it was" test "$(cat shared/$name.out)" = keep
    check "$name: the message says why" grep -q 'Permission denied' stderr.txt
  done
  # A group the user is not in cannot be kept: the new group may then do only what anyone may.
  echo x >shared/group.out
  chown nobody:root shared/group.out
  chmod 2664 shared/group.out
  "${as_nobody[@]}" "$program" --seed 2 --count 50 --out shared/group.out
  check "a group that cannot be kept passes on no rights" \
    test "$(stat -c '%u:%g %a' shared/group.out)" = "$(id -u nobody):$(id -g nobody) 644"
  check "no temporary is left in the shared folder" test -z "$(ls -a shared | grep -i '^~qrw')"
else
  echo "skipped [$group] owners and read-only files: they need root, to act as another user (nobody)"
fi

finish
