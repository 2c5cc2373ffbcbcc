"""Shared by the reader tests: the statement table's fields, ABO lines, running trelvan-cli."""

import os
import subprocess
import sys

# Name and dbf field definition, in record order.
FIELDS = [
    ("CUST_ACCNT", "C(16)"), ("CUST_NAME", "C(20)"), ("REST_PR_DT", "D"),
    ("REST_PREV", "N(14,2)"), ("REST_NEW", "N(14,2)"), ("DEBET_MD", "N(14,2)"),
    ("CREDIT_D", "N(14,2)"), ("ORDER_NO", "N(3,0)"), ("ISSUE_DATE", "D"),
    ("PROTIUCET", "C(16)"), ("DOC_NO", "C(13)"), ("PRICE", "N(12,2)"), ("CODE", "C(1)"),
    ("V_SYMBOL", "C(10)"), ("K_SYMBOL", "C(10)"), ("S_SYMBOL", "C(10)"), ("VALUTA", "C(6)"),
    ("NOTE", "C(20)"), ("CODE_CHAN", "C(1)"), ("DATA_TYPE", "C(4)"), ("DUE_DATE", "D"),
    ("OTHER_LN", "M"),
]
NAMES = [name for name, _ in FIELDS]


def line(text):
    """One line of a statement file: text in windows-1250, padded to 128 characters, CR LF."""
    data = text.encode("cp1250")
    assert len(data) <= 128, text
    return data.ljust(128, b" ") + b"\r\n"


def run_cli(cli, *args):
    """Runs trelvan-cli with a fixed table date; fails the test unless it succeeds."""
    env = dict(os.environ, SOURCE_DATE_EPOCH="1765000000")  # 6 December 2025, UTC
    done = subprocess.run([cli, *args], env=env, stdin=subprocess.DEVNULL,
                          capture_output=True, timeout=60)
    if done.returncode != 0:
        sys.exit(f"{args}: exit {done.returncode}\n{done.stdout!r}\n{done.stderr!r}")
    return done
