"""Puts the Wine harness and the fixture generator on the import path and
gives each test a scratch folder that the Windows programs can write to."""
import sys
import tempfile
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "harness"))
sys.path.insert(0, str(ROOT / "tests" / "fixtures"))

import suitewine  # noqa: E402


@pytest.fixture
def scratch():
    suitewine.SCRATCH.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=suitewine.SCRATCH) as folder:
        yield Path(folder)
