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
    "--seed 33 --count 50000 --style real --regions --format jsonl"
    "--seed 34 --count 50000 --style real --format csv --header en --house 1-50"
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
# Messages end in CR LF on Windows, as its console's lines do.
batch --count 10 >unseeded.out 2>seed.txt
check "without a seed the rows still come" test "$(grep -c $'\r$' unseeded.out)" = 10
check "and the seed used is said on standard error" grep -qx $'seed: [0-9]\\+\r\\?' seed.txt
batch --count 10 --seed "$(tr -d '\r' <seed.txt | sed -n 's/^seed: //p')" >reseeded.out 2>seed-given.txt
check "which makes the run again" cmp -s unseeded.out reseeded.out
check "a seed given is not said" test ! -s seed-given.txt
# Runs started together get seeds of their own.
for i in $(seq 12); do batch --count 1 2>"together-$i.txt" >/dev/null & done
wait
check "runs started together get different seeds" test "$(cat together-*.txt | sort -u | grep -c '^seed: ')" = 12
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

group="window style kept"
# The bytes the window style wrote before real style came, for a few settings.
printf '人民\n解放\n' >kept-roads.txt
printf '幸福\n' >kept-communities.txt
while read -r sum args; do
  # shellcheck disable=SC2086
  check "window style as before: $args" test "$(batch $args 2>/dev/null | sha256sum | cut -c1-64)" = "$sum"
done <<'SUMS'
db8b59b9de8892f60f4ec286171f04a8175082f7260f04c8d3f9b616caf5d99e --seed 42 --count 100000
d08ac42e257939af6308a610ecdddb0dd784cae03b600f01ac43820954ba4de3 --seed 7 --count 30000 --format csv --regions
9a1606ff2a1fe1ad40ed2961238d2ccc93f312afeef19f9560c7c599b70223d9 --seed 9 --count 20000 --format jsonl --prefix 北京市
5837aa51d75b1f480a613b0709f0675d09adde3bf6cbc15b8bf7520a907e6f0e --seed 4 --count 20000 --roads kept-roads.txt --communities kept-communities.txt --house 5-300 --format csv --encoding utf-8-bom
SUMS

group="real style"
# The judge reads the committed town table and word lists itself: every town is its county's, every road's stem is
# a common one or one of the row's own place names, and the numbers read as real ones do.
batch --style real --seed 3 --count 30000 --regions --prefix 前 --format csv --encoding utf-8 >real.csv
batch --style real --seed 3 --count 30000 --regions --prefix 前 >real.txt
check "real style: towns of the row's county, local and common roads, numbers as real ones read" \
  python3 - "$top/places/town_table.cpp" "$top/places/words/road_stems.txt" real.csv real.txt <<'PY'
import collections, csv, re, sys
source = open(sys.argv[1], encoding="utf-8").read()
names_block = source.split("const char kTownNames[] =")[1].split(";")[0]
names = "".join(re.findall(r'"([^"]*)"', names_block)).encode("gbk")
ends = [int(n) for n in re.findall(r"\d+", source.split("kTownNameEnds[kTownCount] = {")[1].split("}")[0])]
codes = [int(n) for n in re.findall(r"\d+", source.split("kTownCodes[kTownCount] = {")[1].split("}")[0])]
towns = {str(code): names[start:end].decode("gbk") for code, start, end in zip(codes, [0] + ends, ends)}
own_names = collections.defaultdict(set)
for code, name in towns.items():
    own_names[code[:6]].add(name)
stems = {line.strip() for line in open(sys.argv[2], encoding="utf-8") if line.strip() and not line.startswith("#")}
table = list(csv.reader(open(sys.argv[3], encoding="utf-8", newline="")))
assert table[0] == ["序号", "前缀", "省", "市", "区县", "区划代码", "乡镇街道", "乡镇代码", "路", "号", "小区", "号楼", "单元",
                    "室", "地址"], table[0]
texts = open(sys.argv[4], "rb").read().decode("gbk").split("\r\n")[:-1]
local = houses_under_200 = without_community = 0
for row, text in zip(table[1:], texts):
    seq, prefix, province, city, county, code, town, town_code, road, house, community, building, unit, room, whole = row
    assert towns.get(town_code) == town and town_code[:6] == code, row
    own_names[code].add(county or city)  # a city without counties is its own county-level division
    m = re.fullmatch(r"(.+?)([东西南北中一二三四五]?)(大道|大街|路|街|巷|道)", road)
    assert m, road
    stem = m[1] + m[2]
    if stem not in stems and m[1] not in stems:
        assert any(n.startswith(stem) or n.startswith(m[1]) for n in own_names[code]), (road, county)
        local += 1
    h = re.fullmatch(r"(\d+)(之[123]|A|B)?", house)
    assert h and 1 <= int(h[1]) <= 999, house
    houses_under_200 += int(h[1]) < 200
    if community:
        assert 1 <= int(building) <= 40 and 1 <= int(room) // 100 <= 33 and 1 <= int(room) % 100 <= 4, row
        assert re.fullmatch(re.escape(road + house) + "号" + re.escape(community) + building + "(栋|幢|号楼)" +
                            (unit + "单元" if unit else "") + room + "室", whole[len(prefix + province + city + county + town):]), row
    else:
        without_community += 1
        assert not building and re.fullmatch(re.escape(road + house) + "号" + (unit + "单元" if unit else "") +
                                             (room + "室" if room else ""), whole[len(prefix + province + city + county + town):]), row
    assert unit == "" or 1 <= int(unit) <= 6, row
    assert whole.startswith(prefix + province + city + county + town + road) and " " not in whole, row
    assert text == seq + whole, (text, row)
n = len(table) - 1
assert n == 30000 == len(texts)
assert 0.2 < local / n < 0.4, local / n
assert houses_under_200 / n > 0.75, houses_under_200 / n
assert 0.15 < without_community / n < 0.35, without_community / n
PY
batch --style real --seed 5 --count 2000 --format csv --encoding utf-8 --regions 320102002,宝应县 >picked.csv
check "real style: a town filter keeps that town, a county filter all of its towns" \
  python3 - picked.csv <<'PY'
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8", newline="")))
towns = {(r["区划代码"], r["乡镇代码"]) for r in rows}
assert {c for c, t in towns if c == "320102"} and all(t == "320102002" for c, t in towns if c == "320102"), towns
assert len({t for c, t in towns if c == "321023"}) > 5, towns
PY
batch --style real --seed 7 --count 3000 --house 5-7 --building 9-9 --unit 3-3 --room 1301-1302 --format csv \
  --encoding utf-8 >ranges.csv
check "real style: the ranges given replace the numbers" \
  python3 - ranges.csv <<'PY'
import csv, sys
for row in list(csv.DictReader(open(sys.argv[1], encoding="utf-8", newline=""))):
    assert row["号"] in ("5", "6", "7") and row["室"] in ("", "1301", "1302"), row
    assert row["号楼"] in ("", "9") and row["单元"] in ("", "3") and (row["小区"] == "") == (row["号楼"] == ""), row
PY
printf '人民路\n解放路\n' >two-whole-roads.txt
printf '幸福小区\n' >one-whole-community.txt
fixed=(--style real --roads two-whole-roads.txt --communities one-whole-community.txt --house 8-8 --building 3-3
       --unit 2-2 --room 1203-1203)
batch "${fixed[@]}" --seed 6 --count 6 --unique --encoding utf-8 >real-unique.out
check "real style --unique: two roads and three ways to write a building, each once" \
  test "$(tr -d '\r' <real-unique.out | sed 's/^[0-9]*//' | sort -u | grep -c '^\(人民\|解放\)路8号幸福小区3\(栋\|幢\|号楼\)2单元1203室$')" = 6
batch "${fixed[@]}" --seed 6 --count 7 --unique 2>stderr.txt >/dev/null
check "and a seventh is refused with both numbers" grep -q '6 .*7' stderr.txt

group="parts"
# The parts of a run, one after the other, are the whole run, byte for byte.
for settings in "--format csv --encoding utf-8-bom --regions" "--style real --regions --format sql --create-table" \
                "--style real --format jsonl --header en" "--roads roads.txt --communities communities.txt"; do
  # shellcheck disable=SC2086
  batch --seed 5 --count 2501 $settings >whole.out 2>/dev/null
  for n in 1 3 8; do
    for k in $(seq "$n"); do
      # shellcheck disable=SC2086
      batch --seed 5 --count 2501 $settings --shard "$k/$n" 2>/dev/null
    done >parts.out
    check "$n parts of: $settings" cmp -s whole.out parts.out
  done
done
batch --seed 5 --count 2501 --style real --rows 1201-1300 >rows.out
batch --seed 5 --count 2501 --style real >whole.out
check "--rows gives those rows of the run, numbered as in it" cmp -s rows.out <(sed -n '1201,1300p' whole.out)
batch --seed 5 --count 10 --format csv --shard 2/2 --standalone-parts >part.csv
check "--standalone-parts: the header in a later part too" test "$(head -c 6 part.csv)" = "$(printf '\xd0\xf2\xba\xc5,\xc7')"
check "and its first row is row 6" test "$(sed -n 2p part.csv | cut -d, -f1)" = 6

group="sql"
# The databases' own tests load the statements; here their bytes: 1,000 rows a statement, counted in the whole
# run, so that parts one after the other are the whole run (see "parts").
batch --seed 8 --count 2500 --format sql --prefix "O'Hara" >rows.sql
check "INSERT statements of 1,000 rows and the rest, a quote written twice" \
  python3 - rows.sql <<'PY'
import re, sys
statements = open(sys.argv[1], "rb").read().decode("gbk").split(";\n")
assert statements[-1] == "", "the last statement ends the file"
head = "INSERT INTO addresses (seq,prefix,road,house_number,community,building,unit,room,address) VALUES\n"
assert all(s.startswith(head) for s in statements[:-1]), statements[0][:200]
rows = [s[len(head):].split(",\n") for s in statements[:-1]]
assert [len(r) for r in rows] == [1000, 1000, 500], [len(r) for r in rows]
for number, row in enumerate(sum(rows, []), 1):
    assert re.fullmatch(rf"\({number},'O''Hara',('[^',]*',){{6}}'O''Hara[^',]*'\)", row), row
PY

group="bad arguments"
printf '好\n\xf0\x9f\x98\x80\n' >emoji.txt
printf '\xb0\xa1\n\xb0\n' >bad-gbk.txt
printf '人民\n解\r放\n' >lone-cr.txt
printf 'C:\\路\n' >backslash.txt
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
--count 1000000000001
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
--count 5 --shard 3/2
--count 5 --shard 0/2
--count 5 --shard 1/65537
--count 5 --rows 4-6
--count 5 --rows 3-2
--count 5 --rows 1-2 --shard 1/2
--count 5 --unique --shard 1/2
--count 5 --standalone-parts
--count 5 --format sql --table select
--count 5 --format sql --table 1abc
--count 5 --format sql --table a-b
--count 5 --format sql --prefix a\b
--count 5 --format csv --table t
--count 5 --format sql --header en
--count 5 --header en
--count 5 --style fancy
--count 5 --style real --house 1-
--count 5 --roads emoji.txt --communities communities.txt
--count 5 --roads bad-gbk.txt --communities communities.txt --encoding utf-8
--count 5 --roads bad-gbk.txt --communities communities.txt
--count 5 --roads lone-cr.txt --communities communities.txt
--count 5 --format sql --table Order
--count 5 --format sql --roads backslash.txt --communities communities.txt
--count 5 --format sql --style real --communities backslash.txt
ARGS
# (Wine hands a Windows build its arguments through the code page, which turns such a byte into '?'.)
case $program in
  *.exe) ;;
  *)
    batch --count 5 --prefix $'\xb0' >stdout.txt 2>stderr.txt
    check "a prefix that is no GBK is refused in GBK output too" test $? = 2 -a ! -s stdout.txt ;;
esac
batch --count 5 --roads bad-gbk.txt --communities communities.txt 2>stderr.txt
check "a list name that is no GBK is named by its line" grep -q 'bad-gbk.txt line 2' stderr.txt
# The user's texts in a message are in the console's encoding: UTF-8 here, GBK under Windows.
case $program in *.exe) console() { iconv -f UTF-8 -t GBK; } ;; *) console() { cat; } ;; esac
batch --count 5 --roads roads.txt --communities communities.txt --house １x-9 2>stderr.txt
check "a bound is quoted as typed" grep -qF "'$(printf １x | console)'" stderr.txt
batch --count 5 --regions 火星 2>stderr.txt
check "a filter is quoted as typed" grep -qF "'$(printf 火星 | console)'" stderr.txt
batch --count 5 --format 😀 2>stderr.txt
# Windows hands the program its arguments in the ANSI code page, a '?' for each half of the pair.
check "a character GBK lacks is shown as '?'" grep -qE "not '\?{1,2}'" stderr.txt
batch --count 5 --roads emoji.txt --communities communities.txt 2>stderr.txt
check "a name GBK cannot hold is named by its line" grep -q 'emoji.txt line 2' stderr.txt
batch --help | grep -q -- '--count N' || fail "--help"
if [ -w /dev/full ]; then
  for word in --help --version; do
    batch $word >/dev/full 2>stderr.txt
    check "$word that cannot be written: exit code 1" test $? = 1
    check "$word that cannot be written: says why" grep -q 'cannot write standard output' stderr.txt
  done
fi
batch --version | grep -q 'quarrow-batch' || fail "--version"

group="memory"
# A run holds a few chunks of rows per worker, whatever a row's length: a prefix of 120 KB makes rows of 250 KB.
# (Not the sanitized build, whose shadow memory no limit allows, nor Wine, which reserves more than it uses.)
native=$top/build/native/quarrow-batch
case $program in
  *.exe) ;;
  *)
    if [ -x "$native" ]; then
      head -c 122880 /dev/zero | tr '\0' x >long-prefix.txt
      ( ulimit -v 400000; "$native" --seed 1 --count 1500 --prefix "$(cat long-prefix.txt)" --format jsonl \
          --regions >long.jsonl 2>stderr.txt )
      check "rows of 250 KB in 400 MB of address space: exit code 0" test $? = 0
      check "and every row written" test "$(wc -l <long.jsonl)" = 1500
      rm -f long.jsonl
    else
      echo "memory: no native release build at $native, so the memory group is left out"
    fi ;;
esac

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
batch --seed 1 --count 1000000 2>pipe.err | head -c 10 >head.out
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
env --ignore-signal=PIPE "$program" --seed 1 --count 1000000 2>pipe.err | head -c 10 >head.out
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
