"""The real trelvan-cli from Python: Debian's dbfread reads a table made by `abo2dbf` as the README
says (numbers, dates, windows-1250 text and the memo); `check --json` read by the json module.

Usage: cli_in_python_test.py TRELVAN_CLI SOURCE_DIR [TEST ...]
"""

import datetime
import json
import os
import subprocess
import sys
import tempfile
import unittest

CLI = sys.argv.pop(1)
SOURCE = sys.argv.pop(1)
EXAMPLE = os.path.join(SOURCE, "examples", "statement.gpc")
SAMPLES = os.path.join(SOURCE, "tests", "data", "samples")


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=60,
                          env=dict(os.environ, SOURCE_DATE_EPOCH="1765000000"))  # 6 Dec 2025


def line(*fields):
    """One line of a statement file: the fields in windows-1250, padded to 128, CR LF."""
    return "".join(fields).encode("cp1250").ljust(128, b" ") + b"\r\n"


MEMO = line("076Pohyb z účtu 2716354827/0800 – Ředitelství silnic") + line("078Zpráva pro příjemce")
STATEMENT = b"".join([
    line("074", "0000001234567890", "Zelená louka s.r.o. ", "301126", "00000001542305+",
         "00000000123456-", "00003000000000+", "00000000000000+", "147", "011226"),
    line("075", "0000001234567890", "0000002716354827", "0000000000001", "000000012500", "1",
         "2026110001", "0308      ", " " * 10, "011226", "Úhrada Žluťoučký kůň", "0", "1203",
         "031226"),
    MEMO,
    line("075", "0000001234567890", "0000000019283746", "0000000000002", "000000000029", "-",
         " " * 30, "021226", "Poplatek za vedení  ", "0", "1203", "021226"),
    line("074", "0000001234567890", "Modrá hora a.s.     ", "011226", "00000000123456-",
         "09999999999999+", "00000000000000+", "00000000000001+", "148", "020126"),
    line("075", "0000001234567890", "Řeřicha ČR      ", " " * 13, "-00000000050", "2",
         "0000000123", " " * 10, "9999999999", "021226", " " * 20, "1", "1204", "290228"),
    line("079Poznámka k platbě"),
])


class DbfreadTest(unittest.TestCase):
    def test_reads_every_kind_of_field_and_the_memo(self):
        import dbfread  # only this test needs it installed
        with tempfile.TemporaryDirectory() as directory:
            path = lambda name: os.path.join(directory, name)
            with open(path("in.gpc"), "wb") as out:
                out.write(STATEMENT)
            done = run("abo2dbf", path("in.gpc"), path("ours.dbf"))
            self.assertIn(done.returncode, (0, 3), done.stderr)  # 3: made-up balances warned about

            ours = dbfread.DBF(path("ours.dbf"), encoding="cp1250", char_decode_errors="strict")
            rows = list(ours)
            self.assertEqual(ours.date, datetime.date(2025, 12, 6))
            self.assertEqual([row["PRICE"] for row in rows], [125.0, -0.29, -0.5])
            self.assertEqual([row["DUE_DATE"] for row in rows],
                             [datetime.date(2026, 12, 3), datetime.date(2026, 12, 2),
                              datetime.date(2028, 2, 29)])
            self.assertEqual((rows[0]["REST_NEW"], rows[2]["REST_NEW"], rows[2]["CREDIT_D"]),
                             (-1234.56, 99999999999.99, 0.01))
            self.assertEqual((rows[0]["ORDER_NO"], rows[0]["NOTE"], rows[2]["PROTIUCET"]),
                             (147, "Úhrada Žluťoučký kůň", "Řeřicha ČR"))
            self.assertEqual([row["OTHER_LN"] for row in rows],
                             [MEMO.decode("cp1250"), None, line("079Poznámka k platbě").decode("cp1250")])


class CheckJsonTest(unittest.TestCase):
    def test_one_object_per_file_with_every_statement_and_check(self):
        done = run("check", "--json", EXAMPLE, os.path.join(SAMPLES, "cs-lf-trimmed.gpc"))
        self.assertEqual(done.returncode, 3, done.stderr)
        example, made_up = [json.loads(text) for text in done.stdout.decode().splitlines()]

        self.assertTrue(example["passed"])
        self.assertEqual([s["number"] for s in example["statements"]], ["047", "048"])
        first, second = example["statements"]
        self.assertEqual((first["account"], first["date"], first["line"], first["items"]),
                         ("0000001234567890", "2026-12-01", 1, 4))
        self.assertEqual((first["debit_turnover"], first["credit_turnover"]), (12087.30, 19000.00))
        self.assertEqual(first["checks"]["balance"], {"passed": True, "difference": 0})
        self.assertIsNone(first["checks"]["sequence"])
        self.assertIsNone(second["checks"]["debits"])  # a "-" item: turnovers not checked
        self.assertTrue(second["checks"]["sequence"]["passed"])

        self.assertFalse(made_up["passed"])
        checks = made_up["statements"][0]["checks"]
        self.assertEqual(checks["balance"], {"passed": False, "difference": 64241.98})
        self.assertEqual(len(made_up["notes"]), 3)
        self.assertTrue(all(n["level"] == "warning" for n in made_up["notes"]))


if __name__ == "__main__":
    unittest.main()
