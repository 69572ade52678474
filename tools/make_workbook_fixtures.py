#!/usr/bin/python3
"""Writes the results workbooks the reader tests open, each by another producer.

Every draws_* file holds the same sheet: a heading row and three draws with
eighteen columns (draw number, date, six balls in drawn order, winner counts and
amounts). Run with Debian's python3-openpyxl, python3-xlsxwriter and
libreoffice-calc-nogui installed:

    tools/make_workbook_fixtures.py tests/data
"""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile
from xml.sax.saxutils import escape

HEADINGS = [
    "Тираж", "Дата тиража", "Шар 1", "Шар 2", "Шар 3", "Шар 4", "Шар 5", "Шар 6",
    "Угадали 6", "Выигрыш 6", "Угадали 5", "Выигрыш 5", "Угадали 4", "Выигрыш 4",
    "Угадали 3", "Выигрыш 3", "Джекпот", "Призовой фонд",
]

# Number formats of the columns (1-based); the others stay General.
GROUPED2 = "#,##0.00"
FORMATS = {
    2: "date",
    9: "0",
    10: "#,##0",
    12: GROUPED2,
    14: "0.00",
    18: GROUPED2,
}

# None leaves the cell out.
DRAWS = [
    [1201, datetime.date(2024, 6, 19), 17, 3, 45, 8, 29, 1,
     0, 0, 3, 150000, 212, 1500, 4025, 12.5, 3000000000, 1234],
    [1202, datetime.date(2024, 6, 22), 5, 49, 12, 33, 21, 40,
     1, 25000000, 0, 0, 150, 1750.25, 3900, 13.5, 50000000, 987654.32],
    [1203, datetime.date(2024, 6, 26), 2, 11, 7, 38, 44, 19,
     0, None, 2, 98765.4, 178, 1600, 4100, 2.675, 3000000000.5, -5],
]


MAIN_NS = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL_NS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_NS = "http://schemas.openxmlformats.org/package/2006/relationships"


def write_package(path, parts):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as package:
        for name, text in parts.items():
            package.writestr(name, text.encode("utf-8"))


def rows():
    yield HEADINGS
    yield from DRAWS


def write_openpyxl(path):
    import openpyxl
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Тиражи"
    for r, values in enumerate(rows(), start=1):
        for c, value in enumerate(values, start=1):
            if value is None:
                continue
            cell = sheet.cell(row=r, column=c, value=value)
            if r > 1 and c in FORMATS:
                cell.number_format = "DD.MM.YYYY" if FORMATS[c] == "date" else FORMATS[c]
    book.create_sheet("Прочее").cell(row=50, column=1, value="second sheet")
    book.save(path)


def write_xlsxwriter(path):
    import xlsxwriter
    book = xlsxwriter.Workbook(path)
    sheet = book.add_worksheet("Тиражи")
    formats = {c: book.add_format({"num_format": 14 if f == "date" else f})
               for c, f in FORMATS.items()}
    for r, values in enumerate(rows()):
        for c, value in enumerate(values):
            if value is None:
                continue
            fmt = formats.get(c + 1) if r > 0 else None
            if isinstance(value, datetime.date):
                sheet.write_datetime(r, c, datetime.datetime.combine(value, datetime.time()), fmt)
            else:
                sheet.write(r, c, value, fmt)
    book.close()


def column_name(c):
    name = ""
    while c:
        c, rest = divmod(c - 1, 26)
        name = chr(ord("A") + rest) + name
    return name


def excel_serial(day):
    return (day - datetime.date(1899, 12, 30)).days


def write_minimal(path):
    """A hand-made package: inline strings, custom number formats, relative parts."""
    style_of = {}
    numfmts = []
    xfs = ['<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>']
    for c, f in sorted(FORMATS.items()):
        code = "dd/mm/yyyy" if f == "date" else f
        fmt_id = 164 + len(numfmts)
        numfmts.append(f'<numFmt numFmtId="{fmt_id}" formatCode="{escape(code)}"/>')
        style_of[c] = len(xfs)
        xfs.append(f'<xf numFmtId="{fmt_id}" fontId="0" fillId="0" borderId="0" xfId="0" '
                   'applyNumberFormat="1"/>')

    sheet_rows = []
    for r, values in enumerate(rows(), start=1):
        cells = []
        for c, value in enumerate(values, start=1):
            if value is None:
                continue
            ref = f'{column_name(c)}{r}'
            style = f' s="{style_of[c]}"' if r > 1 and c in style_of else ""
            if isinstance(value, str):
                cells.append(f'<c r="{ref}" t="inlineStr"><is><t>{escape(value)}</t></is></c>')
            else:
                number = excel_serial(value) if isinstance(value, datetime.date) else value
                cells.append(f'<c r="{ref}"{style}><v>{number!r}</v></c>')
        sheet_rows.append(f'<row r="{r}">{"".join(cells)}</row>')

    ns, rel_ns, pkg_ns = MAIN_NS, REL_NS, PKG_NS
    parts = {
        "[Content_Types].xml":
            '<?xml version="1.0" encoding="UTF-8"?>'
            '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>'
            '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
            '</Types>',
        "_rels/.rels":
            f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{pkg_ns}">'
            f'<Relationship Id="rId1" Type="{rel_ns}/officeDocument" Target="xl/workbook.xml"/>'
            '</Relationships>',
        "xl/workbook.xml":
            f'<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="{ns}" xmlns:r="{rel_ns}">'
            '<sheets><sheet name="Draws" sheetId="7" r:id="rIdSheet"/></sheets></workbook>',
        "xl/_rels/workbook.xml.rels":
            f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{pkg_ns}">'
            f'<Relationship Id="rIdStyles" Type="{rel_ns}/styles" Target="styles.xml"/>'
            f'<Relationship Id="rIdSheet" Type="{rel_ns}/worksheet" Target="sheets/draws.xml"/>'
            '</Relationships>',
        "xl/styles.xml":
            f'<?xml version="1.0" encoding="UTF-8"?><styleSheet xmlns="{ns}">'
            f'<numFmts count="{len(numfmts)}">{"".join(numfmts)}</numFmts>'
            f'<cellXfs count="{len(xfs)}">{"".join(xfs)}</cellXfs></styleSheet>',
        "xl/sheets/draws.xml":
            f'<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="{ns}">'
            f'<sheetData>{"".join(sheet_rows)}</sheetData></worksheet>',
    }
    write_package(path, parts)


def write_features(path):
    """Hand-made corner cases: rich text, formulas, booleans, errors, implicit
    cell positions, a 1904 date system and absolute part names."""
    ns, rel_ns, pkg_ns = MAIN_NS, REL_NS, PKG_NS
    shared = (
        f'<sst xmlns="{ns}" count="3" uniqueCount="3">'
        '<si><t>plain</t></si>'
        '<si><r><rPr><b/></rPr><t xml:space="preserve">Дата </t></r><r><t>тиража</t></r>'
        '<rPh sb="0" eb="1"><t>ignored</t></rPh></si>'
        '<si><t>a &amp; b &lt;c&gt;</t></si>'
        '</sst>')
    styles = (
        f'<styleSheet xmlns="{ns}"><numFmts count="2">'
        '<numFmt numFmtId="170" formatCode="yyyy\\-mm\\-dd"/>'
        '<numFmt numFmtId="171" formatCode="[$-419]d/m/yy h:mm"/></numFmts>'
        '<cellXfs count="5"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="170"/>'
        '<xf numFmtId="4"/><xf numFmtId="171"/></cellXfs></styleSheet>')
    sheet = (
        f'<worksheet xmlns="{ns}"><dimension ref="A1:C9"/><sheetData>'
        '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c>'
        '<c r="C1" t="s"><v>2</v></c></row>'
        # Cells and rows without positions follow the previous ones.
        '<row><c><v>1</v></c><c t="b"><v>1</v></c><c t="b"><v>0</v></c></row>'
        '<row r="3"><c r="B3"><f>1+2</f><v>3</v></c><c t="str"><f>"x"&amp;"y"</f><v>xy</v></c>'
        '<c r="E3" t="e"><v>#DIV/0!</v></c></row>'
        '<row r="4"><c r="A4" s="1"><v>0</v></c><c r="B4" s="2"><v>1</v></c>'
        '<c r="C4" s="4"><v>100.75</v></c><c r="D4" s="1" t="d"><v>2024-06-19T10:00:00</v></c>'
        '</row>'
        '<row r="5"><c r="A5"><f>A4</f></c><c r="B5" s="3"/><c r="C5" t="inlineStr">'
        '<is><r><t>in</t></r><r><t>line</t></r></is></c></row>'
        # Styled but empty cells do not make a row used.
        '<row r="9" s="3"><c r="A9" s="3"/></row>'
        '</sheetData></worksheet>')
    parts = {
        "[Content_Types].xml":
            '<?xml version="1.0" encoding="UTF-8"?>'
            '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="xml" ContentType="application/xml"/></Types>',
        "_rels/.rels":
            f'<Relationships xmlns="{pkg_ns}"><Relationship Id="rId1" '
            f'Type="{rel_ns}/officeDocument" Target="/xl/workbook.xml"/></Relationships>',
        "xl/workbook.xml":
            f'<workbook xmlns="{ns}" xmlns:rel="{rel_ns}"><workbookPr date1904="1"/>'
            '<sheets><sheet name="Первый" sheetId="2" rel:id="rId9"/>'
            '<sheet name="Второй" sheetId="1" rel:id="rId8"/></sheets></workbook>',
        "xl/_rels/workbook.xml.rels":
            f'<Relationships xmlns="{pkg_ns}">'
            f'<Relationship Id="rId8" Type="{rel_ns}/worksheet" Target="/xl/worksheets/other.xml"/>'
            f'<Relationship Id="rId9" Type="{rel_ns}/worksheet" Target="/xl/worksheets/first.xml"/>'
            f'<Relationship Id="rId3" Type="{rel_ns}/sharedStrings" Target="/xl/strings.xml"/>'
            f'<Relationship Id="rId4" Type="{rel_ns}/styles" Target="/xl/styles.xml"/>'
            '</Relationships>',
        "xl/strings.xml": shared,
        "xl/styles.xml": styles,
        "xl/worksheets/first.xml": sheet,
        "xl/worksheets/other.xml":
            f'<worksheet xmlns="{ns}"><sheetData><row r="99"><c r="A99"><v>5</v></c></row>'
            '</sheetData></worksheet>',
    }
    write_package(path, parts)


def write_empty(path):
    import openpyxl
    openpyxl.Workbook().save(path)


def convert_with_libreoffice(source, target_dir, extension, name):
    """Saves the workbook again through LibreOffice Calc (headless, offline)."""
    with tempfile.TemporaryDirectory() as work:
        profile = os.path.join(work, "profile")
        subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless",
                        "--convert-to", extension, "--outdir", work, source],
                       check=True, stdout=subprocess.DEVNULL)
        produced = os.path.join(work, os.path.splitext(os.path.basename(source))[0] + "." +
                                extension.split(":")[0])
        shutil.move(produced, os.path.join(target_dir, name))


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else "tests/data"
    os.makedirs(target, exist_ok=True)
    source = os.path.join(target, "draws_openpyxl.xlsx")
    write_openpyxl(source)
    write_xlsxwriter(os.path.join(target, "draws_xlsxwriter.xlsx"))
    write_minimal(os.path.join(target, "draws_minimal.xlsx"))
    write_features(os.path.join(target, "features_minimal.xlsx"))
    write_empty(os.path.join(target, "empty_openpyxl.xlsx"))
    convert_with_libreoffice(source, target, "xlsx", "draws_libreoffice.xlsx")
    convert_with_libreoffice(source, target, "xls", "draws_libreoffice.xls")
    with zipfile.ZipFile(os.path.join(target, "plain_archive.xlsx"), "w") as archive:
        archive.writestr("readme.txt", "not a workbook")
    with open(os.path.join(target, "not_a_workbook.xlsx"), "wb") as text:
        text.write("<html><body>Страница не найдена</body></html>\n".encode("utf-8"))


if __name__ == "__main__":
    main()
