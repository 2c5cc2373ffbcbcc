"""Debian's dbfread reads a table made by `trelvan-cli abo2dbf` as the README says: numbers,
dates, windows-1250 text and the memo. Usage: dbfread_test.py TRELVAN_CLI"""

import datetime
import os
import subprocess
import sys
import tempfile
import unittest

import dbfread

CLI = sys.argv.pop(1) if len(sys.argv) > 1 else "trelvan-cli"


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


def run_cli(*args):
    env = dict(os.environ, SOURCE_DATE_EPOCH="1765000000")  # 6 December 2025, UTC
    done = subprocess.run([CLI, *args], env=env, capture_output=True, timeout=60)
    assert done.returncode in (0, 3), done  # 3: converted, with warnings (made-up balances)


class DbfreadTest(unittest.TestCase):
    def test_reads_every_kind_of_field_and_the_memo(self):
        with tempfile.TemporaryDirectory() as directory:
            path = lambda name: os.path.join(directory, name)
            with open(path("in.gpc"), "wb") as out:
                out.write(STATEMENT)
            run_cli("abo2dbf", path("in.gpc"), path("ours.dbf"))

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


if __name__ == "__main__":
    unittest.main()
