"""HARVEL as batch files use it, through Wine's cmd.exe: the example that
branches on its ERRORLEVEL (1 x86, 2 x64, 3 failure)."""
import make_distros
import suitewine

ROOT = suitewine.Path(__file__).resolve().parents[2]
TAKE = ROOT / "examples" / "harvel-take.bat"


def test_example_branches_on_the_platform(scratch):
    make_distros.make_all(scratch / "dist")
    for dist, boot, said in [("x86", "BT_1", "is an x86 distribution: boot files in {}\\i386_"),
                             ("x64", "BT_2", "is an x64 distribution: boot files in {}\\amd64_"),
                             ("", "BT_3", "could not be taken")]:
        source = suitewine.winpath(scratch / "dist" / dist)
        dest = suitewine.winpath(scratch / boot)
        result = suitewine.run_batch(TAKE, [source, dest])
        assert result.stdout == f"{source} {said.format(dest)}\r\n".encode()
    assert (scratch / "BT_1" / "i386_" / "setupldr.bin").exists()
    assert (scratch / "BT_2" / "amd64_" / "setupldr.bin").exists()
    assert (scratch / "BT_2" / "WIN51IP").read_bytes() == b"Windows\n\x00"
    assert not (scratch / "BT_3" / "i386_").exists()
