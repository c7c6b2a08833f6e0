"""Fixtures that the end-to-end and batch tests share."""
import tempfile
from pathlib import Path

import pytest

import make_distros
import suitewine


@pytest.fixture
def scratch():
    """A folder of the test's own that the Windows programs can write to."""
    suitewine.SCRATCH.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=suitewine.SCRATCH) as folder:
        yield Path(folder)


@pytest.fixture
def x86(scratch):
    """A sample i386 distribution of the test's own."""
    make_distros.make_x86(scratch / "dist")
    return scratch / "dist"


@pytest.fixture
def x64(scratch):
    """A sample amd64 distribution of the test's own."""
    make_distros.make_x64(scratch / "dist64")
    return scratch / "dist64"
