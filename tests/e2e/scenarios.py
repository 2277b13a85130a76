"""Runs one end-to-end scenario: scenarios.py BUILD_DIR QUIZTOOL SCENARIO; with --sources for
SCENARIO, makes the source files that scenarios share.

Every module beside this one that defines SCENARIOS (a name → function table) contributes, and
SOURCES (a folder name → function that fills the folder) when its scenarios share files."""
import importlib
import sys
from pathlib import Path

import harness

SCENARIOS, SOURCES = {}, {}
for path in sorted(Path(__file__).parent.glob("*.py")):
    if path.stem not in ("harness", "scenarios"):
        module = importlib.import_module(path.stem)
        SCENARIOS.update(getattr(module, "SCENARIOS", {}))
        SOURCES.update(getattr(module, "SOURCES", {}))

if __name__ == "__main__":
    sys.exit(harness.run(SCENARIOS, sys.argv, SOURCES))
