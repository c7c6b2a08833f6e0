"""KENVO as batch files use it, through Wine's cmd.exe: ERRORLEVEL branches
and for /f capture of stdout."""
import make_distros
import suitewine

ROOT = suitewine.Path(__file__).resolve().parents[2]


def test_errorlevel_and_for_f_capture(scratch):
    make_distros.make_all(scratch)
    batch = scratch / "check.bat"
    batch.write_bytes(b"@echo off\r\n"
                      b"kenvo -s:%1 > nul\r\n"
                      b"if errorlevel 1 echo %1 failed\r\n"
                      b"if not errorlevel 1 echo %1 ok\r\n"
                      b"for /f \"delims=\" %%L in ('kenvo -s:%1 -m:2') do set LINE=%%L\r\n"
                      b"echo [%LINE%]\r\n")
    good = suitewine.run_batch(batch, [suitewine.winpath(scratch / "x64")])
    assert good.stdout.endswith(
        b" ok\r\n[Windows XP Professional x64 Edition amd64 Platform English version ServicePack 2.0]\r\n")
    bad = suitewine.run_batch(batch, [suitewine.winpath(scratch)])
    assert b" failed\r\n" in bad.stdout


def test_readme_example_batch(scratch):
    make_distros.make_all(scratch)
    result = suitewine.run_batch(ROOT / "examples" / "kenvo-report.bat", [suitewine.winpath(scratch / "x86")])
    assert result.stdout == (b"Windows XP Professional i386 Platform English version ServicePack 3.0\r\n"
                             b"Platform of " + suitewine.winpath(scratch / "x86").encode() + b" is i386\r\n")
    result = suitewine.run_batch(ROOT / "examples" / "kenvo-report.bat", [suitewine.winpath(scratch)])
    assert result.stdout.endswith(b" is not a distribution\r\n")


def test_samples_match_the_generator(tmp_path):
    make_distros.make_all(tmp_path)
    made = sorted(p.relative_to(tmp_path) for p in tmp_path.rglob("*") if p.is_file())
    kept = ROOT / "examples" / "dist"
    assert made == sorted(p.relative_to(kept) for p in kept.rglob("*") if p.is_file())
    for rel in made:
        assert (kept / rel).read_bytes() == (tmp_path / rel).read_bytes(), rel
