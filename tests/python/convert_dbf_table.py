"""A table that python's dbf package writes with the statement table's 22 fields (its own
header date and code page byte, ORDER_NO right-justified, its own unpadded memo file) comes
back through `trelvan-cli dbf2abo` as the statement file expected.

Usage: convert_dbf_table.py TRELVAN_CLI
"""

import datetime
import os
import struct
import sys
import tempfile
import unittest

import dbf

from support import FIELDS, line, run_cli

CLI = sys.argv.pop(1) if len(sys.argv) > 1 else "trelvan-cli"

OTHER_LINES = line("076Pohyb z účtu 2716354827/0800") + line("078Zpráva pro příjemce")
STATEMENT_1 = ("0000001234567890", "Zelená louka s.r.o.", datetime.date(2026, 11, 30), -1234.56,
               30000000.0, 1208.73, 0, 47, datetime.date(2026, 12, 1))
STATEMENT_2 = ("0000001234567890", "Zelená louka s.r.o.", datetime.date(2026, 12, 1), 30000000.0,
               29999999.71, 0.29, 0, 48, datetime.date(2026, 12, 2))
ROWS = [
    STATEMENT_1 + ("0000002716354827", "0000000000001", -0.29, "-", "2026110001", "0308", "",
                   "011226", "Úhrada Žluťoučký kůň", "0", "1203", None,
                   OTHER_LINES.decode("cp1250")),
    STATEMENT_1 + ("0000000019283746", "2", 125.5, "1", "", "", "", "011226", "", "0", "1203",
                   datetime.date(2026, 12, 3), ""),
    STATEMENT_2 + ("Řeřicha", "", 0.29, "-", "", "", "", "", "Poplatek", "", "", None,
                   line("079 konec").decode("cp1250")),
]

EXPECTED = b"".join([
    line("".join(["074", "0000001234567890", "Zelená louka s.r.o. ", "301126",
                  "00000000123456", "-", "00003000000000", "+", "00000000120873", "+",
                  "00000000000000", "+", "047", "011226"])),
    # -0.29 with code "-" is written so that reading the line gives -0.29 again.
    line("".join(["075", "0000001234567890", "0000002716354827", "0000000000001", "000000000029",
                  "-", "2026110001", "0308      ", " " * 10, "011226", "Úhrada Žluťoučký kůň",
                  "0", "1203", " " * 6])),
    OTHER_LINES,
    line("".join(["075", "0000001234567890", "0000000019283746", "2            ", "000000012550",
                  "1", " " * 10, " " * 10, " " * 10, "011226", " " * 20, "0", "1203",
                  "031226"])),
    line("".join(["074", "0000001234567890", "Zelená louka s.r.o. ", "011226",
                  "00003000000000", "+", "00002999999971", "+", "00000000000029", "+",
                  "00000000000000", "+", "048", "021226"])),
    line("".join(["075", "0000001234567890", "Řeřicha         ", " " * 13, "-00000000029", "-",
                  " " * 10, " " * 10, " " * 10, " " * 6, "Poplatek            ", " ", "    ",
                  " " * 6])),
    line("079 konec"),
])


class DbfPackageTableTest(unittest.TestCase):
    def test_converts_back_to_the_statement_file(self):
        with tempfile.TemporaryDirectory() as directory:
            table_path = os.path.join(directory, "ucty.dbf")
            definition = "; ".join(f"{name} {kind}" for name, kind in FIELDS)
            table = dbf.Table(table_path, definition, codepage="cp1250", dbf_type="db3")
            table.open(dbf.READ_WRITE)
            for row in ROWS:
                table.append(row)
            table.close()

            # What makes this table dbf's own and not one trelvan wrote.
            with open(table_path, "rb") as raw:
                data = raw.read()
            count, header_length, record_length = struct.unpack_from("<IHH", data, 4)
            self.assertEqual((count, header_length, record_length), (3, 737, 233))
            self.assertEqual(data[29], 0xC8, "code page byte of windows-1250")
            self.assertEqual(data[737 + 101:737 + 104], b" 47", "ORDER_NO right-justified")
            memo_size = os.path.getsize(os.path.join(directory, "ucty.dbt"))
            self.assertNotEqual(memo_size % 512, 0, "the memo file is not padded")

            output = os.path.join(directory, "vypis.gpc")
            run_cli(CLI, "dbf2abo", table_path, output)
            with open(output, "rb") as converted:
                got = converted.read()
            self.assertEqual(got.split(b"\r\n"), EXPECTED.split(b"\r\n"))


if __name__ == "__main__":
    unittest.main()
