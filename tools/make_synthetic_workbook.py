#!/usr/bin/python3
"""Writes a synthetic results workbook of ROWS draws for timing the reader.

The sheet has the eighteen columns of the operator's workbook; the values are
made up from a fixed seed, so every run writes the same workbook. Needs
Debian's python3-xlsxwriter.

    tools/make_synthetic_workbook.py 10000 /tmp/synthetic.xlsx
"""

import datetime
import random
import sys

import xlsxwriter

HEADINGS = ["tir", "tirdate", "ss1", "ss2", "ss3", "ss4", "ss5", "ss6",
            "ch6", "chv6", "ch5", "chv5", "ch4", "chv4", "ch3", "chv3", "djp", "pfond"]


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_synthetic_workbook.py ROWS OUT.xlsx")
    count = int(sys.argv[1])
    rng = random.Random(49)
    book = xlsxwriter.Workbook(sys.argv[2])
    sheet = book.add_worksheet("Synthetic")
    date_format = book.add_format({"num_format": 14})
    # Amounts with two decimals and no digit grouping, as the import reads them.
    amount_format = book.add_format({"num_format": "0.00"})
    sheet.write_row(0, 0, HEADINGS)
    first_day = datetime.datetime(2000, 1, 1)
    # Three days between draws; after some 966,000 rows (8,000 years) the
    # dates start again, as the last day a workbook can hold is 31.12.9999.
    day_span = 2_900_000
    for r in range(1, count + 1):
        balls = rng.sample(range(1, 50), 6)
        sheet.write_number(r, 0, r)
        sheet.write_datetime(r, 1, first_day + datetime.timedelta(days=3 * r % day_span), date_format)
        sheet.write_row(r, 2, balls)
        for c in range(8, 16, 2):
            sheet.write_number(r, c, rng.randint(0, 5000))
            sheet.write_number(r, c + 1, rng.randint(0, 2_000_000) / 2, amount_format)
        sheet.write_number(r, 16, rng.randint(0, 4_000_000_000))
        sheet.write_number(r, 17, rng.randint(0, 90_000_000) / 4, amount_format)
    book.close()


if __name__ == "__main__":
    main()
