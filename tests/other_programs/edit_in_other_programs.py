"""Tables made by abo2dbf, edited and saved by other programs, come back through dbf2abo.

With each of python's dbf, GDAL and LibreOffice Calc: a save without edits gives the statement
back byte for byte; changing one NOTE, deleting one row and appending one gives exactly the
statement built here from the original lines. What each program changed in the table is
printed, with its version.

Usage: edit_in_other_programs.py TRELVAN_CLI STATEMENT.gpc [PROGRAM...]
(programs: dbf, gdal, libreoffice; all by default)
"""

import os
import struct
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


def read(path):
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        return f.read()


def run(*args):
    """Runs trelvan-cli; exit 3 (converted, with warnings about the statement's sums) passes."""
    env = dict(os.environ, SOURCE_DATE_EPOCH="1765000000")
    done = subprocess.run(args, env=env, stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=300)
    if done.returncode not in (0, 3):
        raise AssertionError(f"{args}: exit {done.returncode}\n{done.stdout!r}\n{done.stderr!r}")
    return done


def describe_changes(before, after, memo_before, memo_after):
    """What a program changed in the table: header bytes, descriptors, row 1, memo file."""
    notes = []
    for name, at, size in [("version", 0, 1), ("date", 1, 3), ("language driver", 29, 1)]:
        if before[at:at + size] != after[at:at + size]:
            notes.append(f"header {name}: {before[at:at + size].hex()} -> {after[at:at + size].hex()}")
    layouts = []
    for data in (before, after):
        count, header_length, record_length = struct.unpack_from("<IHH", data, 4)
        fields, at, offset = {}, 32, 1
        while data[at] != 0x0D:
            name, length = data[at:at + 11].split(b"\0")[0].decode(), data[at + 16]
            fields[name] = (chr(data[at + 11]), length, header_length + offset)
            at, offset = at + 32, offset + length
        flags = {data[header_length + record_length * i] for i in range(count)}
        layouts.append((fields, count, sorted(map(chr, flags))))
    if [(n, t, l) for n, (t, l, _) in layouts[0][0].items()] != \
            [(n, t, l) for n, (t, l, _) in layouts[1][0].items()]:
        notes.append(f"descriptors: {layouts[1][0]}")
    notes.append(f"rows {layouts[0][1]} -> {layouts[1][1]}, deletion flags {layouts[1][2]}")
    for name, (_, length, at) in layouts[0][0].items():
        if name in layouts[1][0]:
            _, new_length, new_at = layouts[1][0][name]
            if before[at:at + length] != after[new_at:new_at + new_length]:
                notes.append(f"{name} of row 1: {before[at:at + length]!r} -> "
                             f"{after[new_at:new_at + new_length]!r}")
    if memo_before != memo_after:
        notes.append(f"memo file: {len(memo_before)} -> {len(memo_after or b'')} bytes, header "
                     f"{memo_before[:20].hex()} -> {(memo_after or b'')[:20].hex()}")
    return notes


# --- the programs ------------------------------------------------------------------------------

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

    def _property(self, name, value):
        from com.sun.star.beans import PropertyValue
        prop = PropertyValue()
        prop.Name, prop.Value = name, value
        return prop

    def close(self):
        try:
            self.desktop.terminate()
        except Exception:  # the bridge goes down with the office
            pass
        try:
            self.office.wait(timeout=60)
        except subprocess.TimeoutExpired:
            self.office.kill()

    def edit(self, path, edit):
        dbase = (self._property("FilterName", "dBase"), self._property("FilterOptions", "33"))
        url = self.uno.systemPathToFileUrl(path)
        doc = self.desktop.loadComponentFromURL(url, "_blank", 0,
                                                (self._property("Hidden", True),) + dbase)
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
        doc.storeToURL(url, dbase + (self._property("Overwrite", True),))
        doc.close(True)
        return self.version


# --- the tests ---------------------------------------------------------------------------------

class EditInOtherProgramsTest(unittest.TestCase):
    reports = []

    def convert_after(self, program, edit):
        with tempfile.TemporaryDirectory() as work:
            table, memo = os.path.join(work, "vypis.dbf"), os.path.join(work, "vypis.dbt")
            run(CLI, "abo2dbf", "--code-page", "1250", STATEMENT, table)
            before, memo_before = read(table), read(memo)
            version = program(table, edit, work)
            changes = describe_changes(before, read(table), memo_before, read(memo))
            shown = run(CLI, "dbf2abo", table, os.path.join(work, "back.gpc"))
            self.assertTrue(edit or shown.returncode == 0, shown.stderr.decode())
            self.reports.append((f"{version}, {'edited' if edit else 'saved unedited'}",
                                 (shown.stdout + shown.stderr).decode(), changes))
            return read(os.path.join(work, "back.gpc"))

    def check(self, program):
        original = read(STATEMENT)
        self.assertEqual(lines_of(self.convert_after(program, False)), lines_of(original))
        self.assertEqual(lines_of(self.convert_after(program, True)),
                         lines_of(expected_statement(original)))

    @unittest.skipUnless("dbf" in PROGRAMS, "not asked for")
    def test_python_dbf(self):
        self.check(lambda path, edit, work: edit_with_dbf(path, edit))

    @unittest.skipUnless("gdal" in PROGRAMS, "not asked for")
    def test_gdal(self):
        self.check(lambda path, edit, work: edit_with_gdal(path, edit))

    @unittest.skipUnless("libreoffice" in PROGRAMS, "not asked for")
    def test_libreoffice(self):
        with tempfile.TemporaryDirectory() as profile:
            office = LibreOffice(profile)
            try:
                self.check(lambda path, edit, work: office.edit(path, edit))
            finally:
                office.close()

    @classmethod
    def tearDownClass(cls):
        for title, shown, notes in cls.reports:
            print(f"\n{title}\n  dbf2abo: {shown.strip()}")
            for note in notes:
                print(f"  {note}")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
