"""The real trelvan-cli for scripts: `check --json` read by Python's json module.

Usage: check_json_test.py TRELVAN_CLI SOURCE_DIR
"""

import json
import os
import subprocess
import sys
import unittest

CLI = sys.argv.pop(1)
SOURCE = sys.argv.pop(1)
EXAMPLE = os.path.join(SOURCE, "examples", "statement.gpc")
SAMPLES = os.path.join(SOURCE, "tests", "data", "samples")


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=60,
                          env=dict(os.environ, SOURCE_DATE_EPOCH="1765000000"))


class CheckJsonTest(unittest.TestCase):
    def test_one_object_per_file_with_every_statement_and_check(self):
        done = run("check", "--json", EXAMPLE, os.path.join(SAMPLES, "cs-lf-trimmed.gpc"))
        self.assertEqual(done.returncode, 3, done.stderr)
        example, made_up = [json.loads(line) for line in done.stdout.decode().splitlines()]

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
