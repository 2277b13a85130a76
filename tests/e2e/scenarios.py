"""Runs one end-to-end scenario: scenarios.py BUILD_DIR QUIZTOOL SCENARIO."""
import sys

import harness
import media
import startup

SCENARIOS = {}
for module in (startup, media):
    SCENARIOS.update(module.SCENARIOS)

if __name__ == "__main__":
    sys.exit(harness.run(SCENARIOS, sys.argv))
