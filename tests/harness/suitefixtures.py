"""Fixtures that the end-to-end and batch tests share."""
import tempfile
from pathlib import Path

import pytest

import suitewine


@pytest.fixture
def scratch():
    """A folder of the test's own that the Windows programs can write to."""
    suitewine.SCRATCH.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=suitewine.SCRATCH) as folder:
        yield Path(folder)
