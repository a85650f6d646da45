# Prints a workbook as the tests compare it, read by openpyxl as any spreadsheet reads it: a line
# with the document's title, subject and author, then per sheet its name, frozen cell and filter
# range, then its rows, cells separated by "|". A string cell is its text, a formula "ƒ" and its
# text, a number its value and number format ("12500 #,##0.00"), an empty cell nothing; a bold cell
# starts with "*".
import sys

import openpyxl


def hucre(c):
    if c.value is None:
        metin = ""
    elif c.data_type == "s":
        metin = c.value
    elif c.data_type == "f":
        metin = "ƒ" + c.value
    else:
        metin = "%s %s" % (format(c.value, ".10g"), c.number_format)
    return ("*" if c.font.b else "") + metin


sys.stdout.reconfigure(encoding="utf-8")
# From an open file, which openpyxl takes whatever its extension.
kitap = openpyxl.load_workbook(open(sys.argv[1], "rb"))
print("%s | %s | %s" % (kitap.properties.title, kitap.properties.subject, kitap.properties.creator))
for sayfa in kitap:
    print("== %s %s %s" % (sayfa.title, sayfa.freeze_panes, sayfa.auto_filter.ref))
    for satir in sayfa.iter_rows():
        print("|".join(hucre(c) for c in satir))
