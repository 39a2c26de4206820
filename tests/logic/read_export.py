#!/usr/bin/env python3
"""What an exported file shows, as tests/data/export-*.tsv: a web page's title,
h1 and paragraphs, then its rows as class:text; a spreadsheet's rows as s:text,
n:number or nothing. A character HTML needs escaped that stands unescaped in a
page's text shows as [c]: a browser may forgive it, the page is still wrong.
Exits 77 when openpyxl is missing."""
import html
import sys
from html.parser import HTMLParser


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=False)
        self.rows, self.text, self.cls = [[]], None, ""

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.rows.append([])
        if tag in ("title", "h1", "p", "th", "td"):
            self.text, self.cls = "", dict(attrs).get("class", "")

    def handle_endtag(self, tag):
        if tag in ("title", "h1", "p"):
            self.rows[0].append(self.text)
        elif tag in ("th", "td"):
            self.rows[-1].append(self.cls + ":" + self.text)
        self.text = None

    def handle_data(self, data):
        if self.text is not None:
            self.text += "".join("[%s]" % c if c in "&<>\"'" else c for c in data)

    def handle_entityref(self, name):
        if self.text is not None:
            self.text += html.unescape("&%s;" % name)

    def handle_charref(self, name):
        if self.text is not None:
            self.text += html.unescape("&#%s;" % name)


path = sys.argv[1]
if path.endswith(".html"):
    page = Page()
    page.feed(open(path, encoding="utf-8").read())
    rows = page.rows
else:
    try:
        import openpyxl
    except ImportError:
        sys.exit(77)
    shown = lambda v: "" if v is None else "s:" + v if isinstance(v, str) else "n:%.15g" % v
    sheet = openpyxl.load_workbook(path).active
    rows = [[]] + [[shown(v) for v in row] for row in sheet.iter_rows(values_only=True)]
sys.stdout.buffer.write("".join("\t".join(row) + "\n" for row in rows).encode("utf-8"))
