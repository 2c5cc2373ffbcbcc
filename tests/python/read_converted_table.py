"""dbfread and dbf read a table made by `trelvan-cli abo2dbf`: all 22 fields and the memo text,
numbers as numbers, dates as dates, windows-1250 text.

Usage: read_converted_table.py TRELVAN_CLI
"""

import datetime
import os
import sys
import tempfile
import unittest

import dbf
import dbfread

from support import NAMES, line, run_cli

CLI = sys.argv.pop(1) if len(sys.argv) > 1 else "trelvan-cli"

# Statement 1: a balance beyond 32 bits, two items; statement 2: one item. Fields as given.
STATEMENT = b"".join([
    line("".join(["074", "0000001234567890", "Zelená louka s.r.o. ", "301126",
                  "00000001542305", "+", "00000000123456", "-", "00003000000000", "+",
                  "00000000000000", "+", "047", "011226"])),
    line("".join(["075", "0000001234567890", "0000002716354827", "0000000000001", "000000012500",
                  "1", "2026110001", "0308      ", " " * 10, "011226", "Úhrada Žluťoučký kůň",
                  "0", "1203", "031226"])),
    line("076Pohyb z účtu 2716354827/0800 – Ředitelství silnic"),
    line("078Zpráva pro příjemce: platba za listopad 2026"),
    line("".join(["075", "0000001234567890", "0000000019283746", "0000000000002", "000000000029",
                  "-", " " * 10, " " * 10, " " * 10, "021226", "Poplatek za vedení  ", "0",
                  "1203", "000000"])),
    line("".join(["074", "0000001234567890", "Modrá hora a.s.     ", "011226",
                  "00000000123456", "-", "09999999999999", "+", "00000000000000", "-",
                  "00000000000001", "+", "1  ", "020126"])),
    line("".join(["075", "0000001234567890", "Řeřicha ČR      ", " " * 13, "-00000000050", "2",
                  "0000000123", " " * 10, "9999999999", "021226", " " * 20, "1", "1204",
                  "290228"])),
    line("079Poznámka k platbě"),
])

MEMO_1 = (line("076Pohyb z účtu 2716354827/0800 – Ředitelství silnic")
          + line("078Zpráva pro příjemce: platba za listopad 2026")).decode("cp1250")
MEMO_3 = line("079Poznámka k platbě").decode("cp1250")

HEADER_1 = dict(CUST_ACCNT="0000001234567890", CUST_NAME="Zelená louka s.r.o.",
                REST_PR_DT=datetime.date(2026, 11, 30), REST_PREV=15423.05, REST_NEW=-1234.56,
                DEBET_MD=30000000.0, CREDIT_D=0.0, ORDER_NO=47,
                ISSUE_DATE=datetime.date(2026, 12, 1))
HEADER_2 = dict(CUST_ACCNT="0000001234567890", CUST_NAME="Modrá hora a.s.",
                REST_PR_DT=datetime.date(2026, 12, 1), REST_PREV=-1234.56,
                REST_NEW=99999999999.99, DEBET_MD=0.0, CREDIT_D=0.01, ORDER_NO=1,
                ISSUE_DATE=datetime.date(2026, 1, 2))
EXPECTED = [
    dict(HEADER_1, PROTIUCET="0000002716354827", DOC_NO="0000000000001", PRICE=125.0, CODE="1",
         V_SYMBOL="2026110001", K_SYMBOL="0308", S_SYMBOL="", VALUTA="011226",
         NOTE="Úhrada Žluťoučký kůň", CODE_CHAN="0", DATA_TYPE="1203",
         DUE_DATE=datetime.date(2026, 12, 3), OTHER_LN=MEMO_1),
    # "-" as code makes the amount negative; 000000 is no date: 19000101.
    dict(HEADER_1, PROTIUCET="0000000019283746", DOC_NO="0000000000002", PRICE=-0.29, CODE="-",
         V_SYMBOL="", K_SYMBOL="", S_SYMBOL="", VALUTA="021226", NOTE="Poplatek za vedení",
         CODE_CHAN="0", DATA_TYPE="1203", DUE_DATE=datetime.date(1900, 1, 1), OTHER_LN=None),
    dict(HEADER_2, PROTIUCET="Řeřicha ČR", DOC_NO="", PRICE=-0.5, CODE="2",
         V_SYMBOL="0000000123", K_SYMBOL="", S_SYMBOL="9999999999", VALUTA="021226", NOTE="",
         CODE_CHAN="1", DATA_TYPE="1204", DUE_DATE=datetime.date(2028, 2, 29), OTHER_LN=MEMO_3),
]
NUMBERS = {"REST_PREV", "REST_NEW", "DEBET_MD", "CREDIT_D", "ORDER_NO", "PRICE"}
DATES = {"REST_PR_DT", "ISSUE_DATE", "DUE_DATE"}


class ConvertedTableTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.directory = tempfile.TemporaryDirectory()
        source = os.path.join(cls.directory.name, "statement.gpc")
        cls.table = os.path.join(cls.directory.name, "statement.dbf")
        with open(source, "wb") as out:
            out.write(STATEMENT)
        run_cli(CLI, "abo2dbf", source, cls.table)

    @classmethod
    def tearDownClass(cls):
        cls.directory.cleanup()

    # `blank_memo` is what the reader gives for a row without other lines.
    def check_row(self, row, expected, blank_memo):
        for name in NAMES:
            want, got = expected[name], row[name]
            if name in NUMBERS:
                self.assertIsInstance(got, (int, float), name)
                self.assertNotIsInstance(got, bool, name)
            elif name in DATES:
                self.assertIs(type(got), datetime.date, name)
            if name == "OTHER_LN" and want is None:
                want = blank_memo
            self.assertEqual(got, want, name)

    def test_dbfread_reads_every_field_and_the_memo(self):
        table = dbfread.DBF(self.table, encoding="cp1250", char_decode_errors="strict")
        self.assertEqual(table.field_names, NAMES)
        self.assertEqual(table.date, datetime.date(2025, 12, 6))
        rows = list(table)
        self.assertEqual(len(rows), len(EXPECTED))
        for row, expected in zip(rows, EXPECTED):
            self.check_row(row, expected, blank_memo=None)

    def test_dbf_reads_every_field_and_the_memo(self):
        table = dbf.Table(self.table, codepage="cp1250")
        table.open(dbf.READ_ONLY)
        try:
            self.assertEqual([name.upper() for name in table.field_names], NAMES)
            self.assertEqual(len(table), len(EXPECTED))
            for record, expected in zip(table, EXPECTED):
                row = {}
                for name in NAMES:
                    value = record[name.lower()]
                    # dbf keeps the padding of character fields.
                    row[name] = value.rstrip(" ") if isinstance(value, str) and name != "OTHER_LN" \
                        else value
                self.check_row(row, expected, blank_memo="")
        finally:
            table.close()


if __name__ == "__main__":
    unittest.main()
