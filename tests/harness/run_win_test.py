"""Runs one of the Windows unit test programs under Wine, in a scratch folder
of its own, and passes on its output and exit code."""
import shutil
import sys
import tempfile

import suitewine

name = sys.argv[1]
program = suitewine.BUILD / ("win" if suitewine.arch() == "win32" else "win64") / "tests" / "win" / f"{name}.exe"
suitewine.SCRATCH.mkdir(parents=True, exist_ok=True)
work = tempfile.mkdtemp(prefix=name + "-", dir=suitewine.SCRATCH)
try:
    result = suitewine.run(program, ["--gtest_color=no"], cwd=work, timeout=600)
finally:
    shutil.rmtree(work, ignore_errors=True)
sys.stdout.buffer.write(result.stdout)
sys.stdout.buffer.write(result.stderr)
sys.exit(result.code)
