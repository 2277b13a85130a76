"""Runs one end-to-end scenario: scenarios.py BUILD_DIR QUIZTOOL SCENARIO.

Every module beside this one that defines SCENARIOS (a name → function table) contributes."""
import importlib
import sys
from pathlib import Path

import harness

SCENARIOS = {}
for path in sorted(Path(__file__).parent.glob("*.py")):
    if path.stem not in ("harness", "scenarios"):
        SCENARIOS.update(getattr(importlib.import_module(path.stem), "SCENARIOS", {}))

if __name__ == "__main__":
    sys.exit(harness.run(SCENARIOS, sys.argv))
