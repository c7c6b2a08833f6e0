"""The release zip: the programs, README, docs and examples, and the same
bytes from two separate builds of the same sources."""
import os
import subprocess
import zipfile

import suitewine

ROOT = suitewine.Path(__file__).resolve().parents[2]


def build_dist(build):
    env = dict(os.environ, SUITE_BUILD=str(build), SOURCE_DATE_EPOCH="1230000000")
    subprocess.run([str(ROOT / "scripts" / "dist")], env=env, check=True, timeout=1800,
                   stdout=subprocess.DEVNULL)
    return build / "dist" / "xp-setup-tools.zip"


def test_two_builds_give_the_same_zip(scratch):
    first, second = build_dist(scratch / "a"), build_dist(scratch / "b")
    assert first.read_bytes() == second.read_bytes()

    names = zipfile.ZipFile(first).namelist()
    programs = sorted(p.name for p in (scratch / "a" / "dist" / "bin").glob("*.exe"))
    assert {"harvel.exe", "kenvo.exe", "saplor.exe"} <= set(programs)
    assert set(programs) <= set(names)
    assert "README.md" in names and "docs/harvel.md" in names and "examples/demo.bat" in names
    assert "examples/dist/x86/I386/DOSNET.INF" in names
    # The programs are the 32-bit product, as built.
    with zipfile.ZipFile(first) as pack:
        assert pack.read("kenvo.exe") == (scratch / "a" / "dist" / "bin" / "kenvo.exe").read_bytes()
        assert pack.read("kenvo.exe")[:2] == b"MZ"
