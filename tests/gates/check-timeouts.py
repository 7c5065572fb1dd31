#!/usr/bin/env python3
"""Fails where a test of the tree has no timeout of its own: a test that
hangs (a modal dialog nobody closes) must fail in minutes, not hold the
test command for ctest's default of 25.

    check-timeouts.py CTEST BUILD_DIR
"""

import json
import subprocess
import sys


def main():
    ctest, build = sys.argv[1], sys.argv[2]
    listed = subprocess.run([ctest, "--test-dir", build, "--show-only=json-v1"],
                            check=True, capture_output=True, text=True)
    tests = json.loads(listed.stdout)["tests"]
    without = [test["name"] for test in tests
               if not any(p["name"] == "TIMEOUT" for p in test.get("properties", []))]
    for name in without:
        print(f"check-timeouts: {name} has no timeout", file=sys.stderr)
    if without or not tests:
        return 1
    print(f"check-timeouts: each of the {len(tests)} tests has a timeout")
    return 0


if __name__ == "__main__":
    sys.exit(main())
