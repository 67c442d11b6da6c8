#!/usr/bin/env python3
"""The shipped program has no test switch: the name of the variable that
makes the recording build log its system effects instead of performing
them appears in the recording build and nowhere in dist/Velmora.exe.

    no_test_switch.py DIST_DIR WIN_DIR
"""
import sys
from pathlib import Path

VARIABLE = "VELMORA_EFFECTS_LOG"


def mentions(exe: Path) -> bool:
    data = exe.read_bytes()
    return VARIABLE.encode("utf-16-le") in data or VARIABLE.encode("ascii") in data


def main() -> int:
    shipped = Path(sys.argv[1]) / "Velmora.exe"
    recording = Path(sys.argv[2]) / "VelmoraRecording.exe"
    failures = []
    if not mentions(recording):
        failures.append(f"{recording} does not name {VARIABLE}: the check would prove nothing")
    if mentions(shipped):
        failures.append(f"{shipped} names {VARIABLE}: the shipped program has a test switch")
    for f in failures:
        print("FAIL -", f)
    if not failures:
        print(f"ok   - only the recording build names {VARIABLE}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
