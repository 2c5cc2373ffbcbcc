"""Tables made by abo2dbf and saved by python's dbf, GDAL and LibreOffice Calc come back through
dbf2abo: unedited byte for byte; with one NOTE changed, one row deleted and one appended, as the
statement built here from the original lines. Prints each program's version and what dbf2abo said.

Usage: edit_in_other_programs.py TRELVAN_CLI STATEMENT.gpc [dbf|gdal|libreoffice ...] (default all)
"""

import os
import pathlib
import subprocess
import sys
import tempfile
import time
import unittest

CLI, STATEMENT = sys.argv[1], sys.argv[2]
PROGRAMS = sys.argv[3:] or ["dbf", "gdal", "libreoffice"]

NEW_NOTE = "Opraveno: účet"          # replaces the first item's NOTE
DELETED_DOC = "0000000000002"        # the item deleted, with its two other lines
NEW_ROW = {"DOC_NO": "0000000000008", "PRICE": 12.34, "CODE": "1", "NOTE": "Doplněno ručně"}
COPIED_DOC = "0000000000007"         # the appended row takes its other values from this item


def lines_of(data):
    assert len(data) % 130 == 0
    return [data[i:i + 130] for i in range(0, len(data), 130)]


def field(text, width):
    return text.encode("cp1250").ljust(width, b" ")


def expected_statement(original):
    """The statement after the edits, from the original lines alone."""
    out, skipping = [], False
    for line in lines_of(original):
        tag, doc = line[:3], line[35:48].decode("cp1250")
        if tag == b"075":
            skipping = doc == DELETED_DOC
            if doc == "0000000000001":
                line = line[:97] + field(NEW_NOTE, 20) + line[117:]
            if doc == COPIED_DOC:
                copied = line
        elif tag == b"074":
            skipping = False
        if not skipping:
            out.append(line)
    added = (copied[:35] + field(NEW_ROW["DOC_NO"], 13) + b"000000001234" + b"1" + copied[61:97]
             + field(NEW_ROW["NOTE"], 20) + copied[117:])
    return b"".join(out) + added


def run(*args):
    """Runs trelvan-cli; exit 3 (converted, with warnings about the statement's sums) passes."""
    env = dict(os.environ, SOURCE_DATE_EPOCH="1765000000")
    done = subprocess.run(args, env=env, stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=300)
    if done.returncode not in (0, 3):
        raise AssertionError(f"{args}: exit {done.returncode}\n{done.stdout!r}\n{done.stderr!r}")
    return done


def edit_with_dbf(path, edit):
    import dbf
    table = dbf.Table(path)
    table.open(dbf.READ_WRITE)
    names = table.field_names
    copied = None
    for record in table:
        doc = record.doc_no.strip()
        if doc == COPIED_DOC:
            copied = {name: record[name] for name in names}
        if not edit:
            dbf.write(record, **{name: record[name] for name in names})
        elif doc == "0000000000001":
            dbf.write(record, note=NEW_NOTE)
        elif doc == DELETED_DOC:
            dbf.delete(record)
    if edit:
        row = dict(copied, other_ln="")
        row.update({name.lower(): value for name, value in NEW_ROW.items()})
        table.append(row)
    table.close()
    return "python3-dbf " + ".".join(map(str, dbf.version))


def edit_with_gdal(path, edit):
    from osgeo import gdal, ogr
    gdal.UseExceptions()
    source = gdal.OpenEx(path, gdal.OF_VECTOR | gdal.OF_UPDATE)
    layer = source.GetLayer(0)
    features = list(layer)
    copied = None
    for feature in features:
        doc = feature.GetField("DOC_NO")
        if doc == COPIED_DOC:
            copied = feature
        if not edit:
            layer.SetFeature(feature)
        elif doc == "0000000000001":
            feature.SetField("NOTE", NEW_NOTE)
            layer.SetFeature(feature)
        elif doc == DELETED_DOC:
            layer.DeleteFeature(feature.GetFID())
    if edit:
        added = ogr.Feature(layer.GetLayerDefn())
        added.SetFrom(copied)
        added.SetFieldNull("OTHER_LN")
        for name, value in NEW_ROW.items():
            added.SetField(name, value)
        layer.CreateFeature(added)
    source = None
    return f"GDAL {gdal.__version__}"


class LibreOffice:
    """Calc, headless, driven through UNO: loads the table with the dBase filter in
    windows-1250 (text encoding 33), edits the sheet and stores it with the same filter."""

    def __init__(self, work):
        import uno
        self.uno = uno
        pipe = f"trelvan{os.getpid()}"
        self.office = subprocess.Popen(
            ["soffice", "--headless", "--invisible", "--norestore", "--nologo",
             "-env:UserInstallation=" + uno.systemPathToFileUrl(os.path.join(work, "profile")),
             f"--accept=pipe,name={pipe};urp;"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        for _ in range(240):
            try:
                context = resolver.resolve(f"uno:pipe,name={pipe};urp;StarOffice.ComponentContext")
                break
            except Exception:  # the office is still starting
                time.sleep(0.5)
        else:
            raise AssertionError("LibreOffice did not start")
        self.desktop = context.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", context)
        self.version = " ".join(subprocess.run(["soffice", "--version"], capture_output=True,
                                               text=True).stdout.split()[:2])

    def close(self):
        try:
            self.desktop.terminate()
        except Exception:  # the bridge goes down with the office
            pass
        self.office.wait(timeout=60)

    def edit(self, path, edit):
        from com.sun.star.beans import PropertyValue
        prop = lambda name, value: PropertyValue(name, 0, value, 0)  # name, handle, value, state
        dbase = (prop("FilterName", "dBase"), prop("FilterOptions", "33"))
        url = self.uno.systemPathToFileUrl(path)
        doc = self.desktop.loadComponentFromURL(url, "_blank", 0,
                                                (prop("Hidden", True),) + dbase)
        sheet = doc.Sheets.getByIndex(0)
        cursor = sheet.createCursor()
        cursor.gotoEndOfUsedArea(False)
        last_column, last_row = cursor.RangeAddress.EndColumn, cursor.RangeAddress.EndRow
        columns = {sheet.getCellByPosition(c, 0).getString().split(",")[0]: c
                   for c in range(last_column + 1)}
        rows = {sheet.getCellByPosition(columns["DOC_NO"], r).getString(): r
                for r in range(1, last_row + 1)}
        if edit:
            sheet.getCellByPosition(columns["NOTE"], rows["0000000000001"]).setString(NEW_NOTE)
            # The appended row: the copied item's cells with their formats, then the new values.
            source = sheet.getCellRangeByPosition(0, rows[COPIED_DOC], last_column,
                                                  rows[COPIED_DOC]).RangeAddress
            sheet.copyRange(sheet.getCellByPosition(0, last_row + 1).CellAddress, source)
            for name, value in dict(NEW_ROW, OTHER_LN="").items():
                cell = sheet.getCellByPosition(columns[name], last_row + 1)
                cell.setValue(value) if isinstance(value, float) else cell.setString(value)
            sheet.Rows.removeByIndex(rows[DELETED_DOC], 1)
        doc.storeToURL(url, dbase + (prop("Overwrite", True),))
        doc.close(True)
        return self.version


class EditInOtherProgramsTest(unittest.TestCase):
    reports = []

    def convert_after(self, program, edit):
        with tempfile.TemporaryDirectory() as work:
            table = os.path.join(work, "vypis.dbf")
            run(CLI, "abo2dbf", "--code-page", "1250", STATEMENT, table)
            version = program(table, edit)
            shown = run(CLI, "dbf2abo", table, os.path.join(work, "back.gpc"))
            self.assertTrue(edit or shown.returncode == 0, shown.stderr.decode())
            self.reports.append(f"{version}, {'edited' if edit else 'saved unedited'}: "
                                + (shown.stdout + shown.stderr).decode().strip())
            return pathlib.Path(work, "back.gpc").read_bytes()

    def check(self, program):
        original = pathlib.Path(STATEMENT).read_bytes()
        self.assertEqual(lines_of(self.convert_after(program, False)), lines_of(original))
        self.assertEqual(lines_of(self.convert_after(program, True)),
                         lines_of(expected_statement(original)))

    @unittest.skipUnless("dbf" in PROGRAMS, "not asked for")
    def test_python_dbf(self):
        self.check(edit_with_dbf)

    @unittest.skipUnless("gdal" in PROGRAMS, "not asked for")
    def test_gdal(self):
        self.check(edit_with_gdal)

    @unittest.skipUnless("libreoffice" in PROGRAMS, "not asked for")
    def test_libreoffice(self):
        with tempfile.TemporaryDirectory() as profile:
            office = LibreOffice(profile)
            try:
                self.check(office.edit)
            finally:
                office.close()

    @classmethod
    def tearDownClass(cls):
        print("", *cls.reports, sep="\n")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
