#!/usr/bin/env python3
"""Prints what an exported file shows, as JSON, for test_export to compare.

    read_export.py FILE.html  ->  {"heading": [title, h1, p...], "rows": [["l:text", ...], ...]}
    read_export.py FILE.xlsx  ->  {"rows": [["s:text" | "n:number" | "", ...], ...]}

Exits 77 when openpyxl is missing."""
import json
import sys
from html.parser import HTMLParser


class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.heading, self.rows, self.text, self.cls = [], [], None, ""

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.rows.append([])
        if tag in ("title", "h1", "p", "th", "td"):
            self.text, self.cls = "", dict(attrs).get("class", "")

    def handle_endtag(self, tag):
        if tag in ("title", "h1", "p"):
            self.heading.append(self.text)
        elif tag in ("th", "td"):
            self.rows[-1].append(self.cls + ":" + self.text)
        self.text = None

    def handle_data(self, data):
        if self.text is not None:
            self.text += data


path = sys.argv[1]
if path.endswith(".html"):
    page = Page()
    page.feed(open(path, encoding="utf-8").read())
    print(json.dumps({"heading": page.heading, "rows": page.rows}))
else:
    try:
        import openpyxl
    except ImportError:
        sys.exit(77)
    sheet = openpyxl.load_workbook(path).active
    kind = lambda v: "" if v is None else "s:" + v if isinstance(v, str) else "n:%.15g" % v
    print(json.dumps({"rows": [[kind(v) for v in row] for row in sheet.iter_rows(values_only=True)]}))
