#!/usr/bin/python3
"""A plain csv + sqlite3 import of a CSV draw history, as the yardstick of
numeron-cli import for CSV files: the same rows into the same table (razyg of
the database given, made by numeron_setup), one executemany, one commit.

    bench/baseline_csv_import.py HISTORY.csv DATABASE

The file has the header tir;date;b1..b6 and dates as DD.MM.YYYY.
"""

import csv
import sqlite3
import sys


def main():
    path, database = sys.argv[1], sys.argv[2]
    rows = []
    with open(path, newline="", encoding="utf-8-sig") as source:
        reader = csv.reader(source, delimiter=";")
        next(reader)
        for record in reader:
            day, month, year = record[1].split(".")
            drawn = [int(value) for value in record[2:8]]
            rows.append((int(record[0]), f"{year}-{int(month):02}-{int(day):02}", *drawn,
                         *sorted(drawn)))
    db = sqlite3.connect(database)
    db.executemany("INSERT INTO razyg (tir, tirdate, ss1, ss2, ss3, ss4, ss5, ss6, "
                   "s1, s2, s3, s4, s5, s6) VALUES (" + ",".join("?" * 14) + ")", rows)
    db.commit()
    db.close()


if __name__ == "__main__":
    main()
