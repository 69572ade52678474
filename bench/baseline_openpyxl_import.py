#!/usr/bin/python3
"""A plain openpyxl + sqlite3 import of a results workbook, as a yardstick for
numeron_bench_import: the same eighteen columns into the same schema, one
transaction, all rows new. Needs Debian's python3-openpyxl.

    bench/baseline_openpyxl_import.py WORKBOOK.xlsx [default|read-only]

With a mode only that mode runs (for timing the whole process); without one
both run.
"""

import os
import sqlite3
import sys
import tempfile
import time

SCHEMA = """CREATE TABLE razyg (id INTEGER PRIMARY KEY, tir INTEGER, s1, s2, s3, s4, s5, s6,
ss1, ss2, ss3, ss4, ss5, ss6, ch6, ch5, ch4, ch3, chv6, chv5, chv4, chv3, djp, pfond, tirdate);
CREATE INDEX razyg_tir ON razyg (tir);"""


def run(path, read_only):
    import openpyxl
    start = time.perf_counter()
    with tempfile.TemporaryDirectory() as folder:
        db = sqlite3.connect(os.path.join(folder, "baseline.db"))
        db.executescript(SCHEMA)
        sheet = openpyxl.load_workbook(path, read_only=read_only).worksheets[0]
        for row in sheet.iter_rows(min_row=2, values_only=True):
            if db.execute("SELECT 1 FROM razyg WHERE tir = ?", (int(row[0]),)).fetchone():
                continue
            drawn = [int(v) for v in row[2:8]]
            db.execute(
                "INSERT INTO razyg (tir, tirdate, ss1, ss2, ss3, ss4, ss5, ss6, ch6, chv6, ch5, chv5,"
                " ch4, chv4, ch3, chv3, djp, pfond, s1, s2, s3, s4, s5, s6)"
                " VALUES (" + ",".join("?" * 24) + ")",
                [int(row[0]), row[1].date().isoformat(), *drawn,
                 *[round(float(v)) for v in row[8:18]], *sorted(drawn)])
        db.commit()
        db.close()
    mode = "read-only mode" if read_only else "default mode"
    print(f"openpyxl ({mode}) + sqlite3: {(time.perf_counter() - start) * 1000:.1f} ms")


def main():
    modes = {"default": [False], "read-only": [True]}.get(sys.argv[2] if len(sys.argv) > 2 else "",
                                                          [False, True])
    for read_only in modes:
        run(sys.argv[1], read_only)


if __name__ == "__main__":
    main()
