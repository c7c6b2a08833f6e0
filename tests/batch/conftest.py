"""Puts the Wine harness and the fixture generator on the import path."""
import sys
from pathlib import Path

TESTS = Path(__file__).resolve().parents[1]
sys.path[:0] = [str(TESTS / "harness"), str(TESTS / "fixtures")]

from suitefixtures import scratch, x64, x86  # noqa: E402,F401
