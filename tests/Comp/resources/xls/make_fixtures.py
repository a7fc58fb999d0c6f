#!/usr/bin/env python3
"""Writes the .xls workbooks the import tests read: python3 make_fixtures.py OUT_DIR."""
import datetime
import os
import sys

import xlwt


def book(path):
    wb = xlwt.Workbook(encoding="utf-8")
    first = wb.add_sheet("Numbers")
    first.write(0, 0, "Name")
    first.write(0, 1, "Value")
    first.write(0, 2, "Day")
    first.write(1, 0, "caf\u00e9")
    first.write(1, 1, 1.5)
    first.write(1, 2, datetime.date(2024, 3, 4), xlwt.easyxf(num_format_str="YYYY-MM-DD"))
    first.write(2, 0, "\u03a9mega")
    first.write(2, 1, 42)
    second = wb.add_sheet("Inset")
    second.write(1, 1, "b2")
    second.write(2, 2, "c3")
    lone = wb.add_sheet("Lone")
    lone.write(4, 2, "c5")
    wb.add_sheet("Empty")
    wb.save(path)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    book(os.path.join(out, "book.xls"))
    with open(os.path.join(out, "notabook.xls"), "w") as f:
        f.write("a,b\n")


if __name__ == "__main__":
    main()
