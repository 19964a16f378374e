#!/usr/bin/env python3
"""What a database gave back after a load, against what quarrow-batch wrote.

  loaded_rows.py columns WRITTEN ENCODING    the written file's columns by their plain names, space-separated
  loaded_rows.py compare WRITTEN ENCODING DUMP [--seq-text] [--empty-may-be-null]

WRITTEN is one of the program's csv or jsonl files, read here with Python's own csv and json modules. DUMP is the
loaded table as the database wrote it: one JSON object per line, or one JSON array (sqlite3 -json); a row whose one
column holds an object is a jsonb document. Column names may be the Chinese or the plain ones. Row numbers are
64-bit integers and every other value a text, unless --seq-text (a table that sqlite3's .import made has text
columns only); --empty-may-be-null lets NULL stand for an empty text (PostgreSQL's csv reads an unquoted empty field
as NULL).
"""
import csv
import io
import json
import sys

PLAIN = ["seq", "prefix", "province", "city", "county", "division_code", "town", "town_code", "road",
         "house_number", "community", "building", "unit", "room", "address"]
CHINESE = ["序号", "前缀", "省", "市", "区县", "区划代码", "乡镇街道", "乡镇代码", "路", "号", "小区", "号楼", "单元",
           "室", "地址"]
PLAIN_OF = dict(zip(PLAIN, PLAIN)) | dict(zip(CHINESE, PLAIN))


def plain_names(names, where):
    """The plain names of a header, which must be all Chinese or all plain and in the program's column order."""
    plain = [PLAIN_OF.get(name) for name in names]
    assert None not in plain, f"{where}: unknown column {names[plain.index(None)]!r}"
    assert set(names) <= set(PLAIN) or set(names) <= set(CHINESE), f"{where}: Chinese and plain names mixed"
    assert plain == [name for name in PLAIN if name in plain], f"{where}: columns out of order: {names}"
    assert {"seq", "prefix", "road", "address"} <= set(plain), f"{where}: columns missing: {names}"
    return plain


def written_rows(path, encoding):
    """The rows the program wrote, as (columns, [{plain name: text}]), the row number as its digits."""
    raw = open(path, "rb").read()
    bom = b"\xef\xbb\xbf"
    assert raw.startswith(bom) == (encoding == "utf-8-bom"), f"{path}: byte-order mark wrong for {encoding}"
    text = raw.removeprefix(bom).decode("gbk" if encoding == "gbk" else "utf-8")
    if path.endswith(".jsonl"):
        lines = text.split("\n")
        assert lines[-1] == "", f"{path}: the last line has no line feed"
        objects = [json.loads(line) for line in lines[:-1]]
        columns = plain_names(list(objects[0]), path)
        rows = []
        for obj in objects:
            assert plain_names(list(obj), path) == columns, obj
            values = list(obj.values())
            assert type(values[0]) is int, f"{path}: a row number that is no JSON number: {obj}"
            assert all(type(v) is str for v in values[1:]), f"{path}: a value that is no string: {obj}"
            rows.append({name: str(value) for name, value in zip(columns, obj.values())})
        return columns, rows
    assert text.count("\n") == text.count("\r\n") and text.endswith("\r\n"), f"{path}: lines do not end with CR LF"
    table = list(csv.reader(io.StringIO(text, newline="")))
    columns = plain_names(table[0], path)
    assert all(len(row) == len(columns) for row in table), f"{path}: rows of other lengths than the header"
    return columns, [dict(zip(columns, row)) for row in table[1:]]


def dumped_rows(path):
    text = open(path, encoding="utf-8").read()
    objects = json.loads(text) if text.startswith("[") else [json.loads(line) for line in text.splitlines()]
    rows = []
    for obj in objects:
        if len(obj) == 1 and isinstance(next(iter(obj.values())), dict):
            obj = next(iter(obj.values()))
        rows.append({PLAIN_OF.get(name, name): value for name, value in obj.items()})
    return rows


def compare(written, encoding, dump, options):
    columns, expected = written_rows(written, encoding)
    loaded = dumped_rows(dump)
    problems = []
    if len(loaded) != len(expected):
        problems.append(f"{len(loaded)} rows loaded, {len(expected)} written")
    seq_type = str if "--seq-text" in options else int
    for row in loaded:
        if set(row) != set(columns):
            problems.append(f"loaded columns {sorted(row)}, written {columns}")
            break
        if type(row["seq"]) is not seq_type:
            problems.append(f"row number {row['seq']!r} loaded as {type(row['seq']).__name__}")
            break
    else:
        loaded.sort(key=lambda row: int(row["seq"]))
        for want, got in zip(expected, loaded):
            for name in columns:
                value = got[name]
                if value is None and "--empty-may-be-null" in options and want[name] == "":
                    continue
                if name == "seq" and seq_type is int:
                    value = str(value)
                if value != want[name]:
                    problems.append(f"row {want['seq']} {name}: loaded {got[name]!r}, written {want[name]!r}")
    for problem in problems[:5]:
        print(f"  {written} -> {dump}: {problem}")
    if len(problems) > 5:
        print(f"  ... and {len(problems) - 5} more")
    return not problems


def main(argv):
    if argv[1] == "columns":
        print(" ".join(written_rows(argv[2], argv[3])[0]))
        return 0
    return 0 if compare(argv[2], argv[3], argv[4], argv[5:]) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
