#!/usr/bin/python3
# Workbooks as a widely used Python spreadsheet library writes them
# (python3-openpyxl 3.0.9 from Debian 12). Run from this folder:
#   /usr/bin/python3 make_openpyxl.py
# The library names its sheet part with an absolute path in the workbook's
# relationships; dates become serial numbers with a date format, or, with
# iso_dates, ISO texts in cells of type "d"; texts are inline strings with
# numeric character references for non-ASCII characters.
import datetime
import openpyxl


def points_book(path, iso_dates):
    wb = openpyxl.Workbook()
    wb.iso_dates = iso_dates
    ws = wb.active
    ws.title = "ECamInfo"
    rows = [
        (0, 0),
        (12.5, "6.25"),                       # numeric text
        ("25", 12),                           # numeric text
        (datetime.datetime(2024, 1, 15), 8),  # a date: serial 45306
        (50, True),                           # boolean cell
        ("毫米", -3.75),                       # text that is no number
        (None, 99),                           # no master: row skipped
        (100, 1e-3),
    ]
    for r in rows:
        ws.append(list(r))
    wb.save(path)


points_book("openpyxl_points.xlsx", False)
points_book("openpyxl_isodates.xlsx", True)
