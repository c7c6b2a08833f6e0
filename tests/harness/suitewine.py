"""The Wine side of the tests: one prefix inside the build folder, one shared
wineserver, and a way to run a program of the suite and get back its exact
stdout and stderr bytes and its exit code.

The product is 32-bit. Where this machine can run 32-bit code, the tests run
build/bin under a 32-bit prefix; where the kernel runs 64-bit user code only,
32-bit Wine cannot start at all, and the tests run the 64-bit twins of the
same sources (build/bin64) under a 64-bit prefix instead.

Used as a module by the tests, and as a command by scripts/wine-server and
scripts/wine-run: suitewine.py start | stop | run <exe> [args...] | batch <file.bat> [args...]
"""
import contextlib
import os
import signal
import string
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

BUILD = Path(os.environ.get("SUITE_BUILD", Path(__file__).resolve().parents[2] / "build"))
PREFIX = BUILD / "wineprefix"
PIDFILE = PREFIX / "suite-wineserver.pid"
ARCHFILE = PREFIX / "suite-arch"
SCRATCH = BUILD / "scratch"
WINE32 = "/usr/lib/wine/wine"
WINE64 = "/usr/lib/wine/wine64"


def can_run_32bit() -> bool:
    try:
        return subprocess.run([WINE32, "--version"], capture_output=True, timeout=20).returncode == 0
    except (OSError, subprocess.TimeoutExpired):
        return False


def arch() -> str:
    """'win32' or 'win64', fixed when the prefix was made."""
    if ARCHFILE.exists():
        return ARCHFILE.read_text().strip()
    return "win32" if can_run_32bit() else "win64"


def bin_dir() -> Path:
    return BUILD / ("bin" if arch() == "win32" else "bin64")


def exe(name: str) -> Path:
    """The build's program of that name, for the architecture Wine runs here."""
    return bin_dir() / name


def base_env(extra=None) -> dict:
    env = {
        "PATH": "/usr/bin:/bin",
        "HOME": os.environ.get("HOME", "/tmp"),
        "USER": os.environ.get("USER", "xpsuite"),
        "WINEPREFIX": str(PREFIX),
        "WINEARCH": arch(),
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "mscoree,mshtml=",
        "LANG": "C",
    }
    if "DISPLAY" in os.environ:
        env["DISPLAY"] = os.environ["DISPLAY"]
    env.update(extra or {})
    return env


def wine_binary() -> str:
    return WINE32 if arch() == "win32" else WINE64


@dataclass
class Result:
    stdout: bytes
    stderr: bytes
    code: int


def run(program, args=(), cwd=None, env=None, stdin=b"", timeout=120) -> Result:
    """Runs a Windows program. env holds extra variables (TMP, TEMP, RAMD...);
    a value of None removes the variable from the program's environment."""
    full_env = base_env()
    removed = []
    for key, value in (env or {}).items():
        if value is None:
            removed.append(key)
        else:
            full_env[key] = value
    # Wine fills TMP and TEMP from the prefix's registry; they are emptied
    # there at set-up, so the Unix environment decides as it would on Windows.
    for key in removed:
        full_env.pop(key, None)
    proc = subprocess.run([wine_binary(), str(program), *map(str, args)], cwd=cwd, env=full_env,
                          input=stdin, capture_output=True, timeout=timeout)
    return Result(proc.stdout, proc.stderr, proc.returncode)


def run_batch(batch, args=(), cwd=None, env=None, timeout=300) -> Result:
    """Runs a batch file through Wine's cmd.exe with the suite's programs on PATH."""
    extra = {"WINEPATH": winpath(bin_dir())}
    extra.update(env or {})
    return run("cmd", ["/c", winpath(batch), *args], cwd=cwd, env=extra, timeout=timeout)


def winpath(path) -> str:
    """The Windows name of a Unix path (Wine shows / as drive Z:)."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


@contextlib.contextmanager
def drive(folder):
    """Maps a free drive letter onto folder for the duration; yields 'X:'."""
    dosdevices = PREFIX / "dosdevices"
    for letter in "mnopqrstuvwxy":
        link = dosdevices / f"{letter}:"
        try:
            os.symlink(Path(folder).resolve(), link)
        except FileExistsError:
            continue
        try:
            yield f"{letter.upper()}:"
        finally:
            link.unlink()
        return
    raise RuntimeError("no free drive letter")


def _start():
    PREFIX.mkdir(parents=True, exist_ok=True)
    SCRATCH.mkdir(parents=True, exist_ok=True)
    fresh = not (PREFIX / "system.reg").exists()
    if fresh:
        ARCHFILE.write_text(("win32" if can_run_32bit() else "win64") + "\n")
    env = base_env()
    # The server that every later run of this test session talks to.
    server = subprocess.Popen(["sh", "-c", f'echo $$ > "{PIDFILE}"; exec wineserver -f -p'],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              start_new_session=True)
    for _ in range(100):
        if PIDFILE.exists() and PIDFILE.read_text().strip():
            break
        time.sleep(0.05)
    # wineboot starts the prefix's services under the new server. They live as
    # long as the server does, so their output goes to /dev/null: they would
    # otherwise hold the pipes of whichever captured run started them.
    quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
    subprocess.run([wine_binary(), "wineboot"] + (["-i"] if fresh else []), env=env, timeout=600,
                   **quiet)
    if fresh:
        # TMP and TEMP come from the environment the tests give, not the registry.
        for var in ("TEMP", "TMP"):
            subprocess.run([wine_binary(), "reg", "delete", r"HKCU\Environment", "/v", var, "/f"],
                           env=env, timeout=120, **quiet)
    probe = subprocess.run([wine_binary(), "cmd", "/c", "echo", "ready"], env=env,
                           capture_output=True, timeout=300)
    if b"ready" not in probe.stdout:
        sys.exit("wine-server: Wine does not run programs in " + str(PREFIX))
    print(f"wine-server: {arch()} prefix {PREFIX}, server pid {PIDFILE.read_text().strip()}")
    return server


def _prefix_processes():
    """Pids of the processes that run in this prefix, by their environment."""
    mark = f"WINEPREFIX={PREFIX}".encode()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        try:
            environ = Path("/proc", entry, "environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if mark in environ:
            found.append(int(entry))
    return found


def _stop():
    pid = 0
    if PIDFILE.exists():
        pid = int(PIDFILE.read_text().strip() or 0)
        PIDFILE.unlink()
    # The server's own processes (services, winedevice) would outlive a
    # server stopped by signal and keep running: end them through it first.
    with contextlib.suppress(OSError, subprocess.SubprocessError):
        subprocess.run(["wineserver", "-k"], env=base_env(), timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if pid:
        with contextlib.suppress(ProcessLookupError):
            os.kill(pid, signal.SIGTERM)
        for _ in range(100):
            try:
                os.kill(pid, 0)
            except ProcessLookupError:
                break
            time.sleep(0.05)
    for leftover in _prefix_processes():
        with contextlib.suppress(ProcessLookupError, PermissionError):
            os.kill(leftover, signal.SIGKILL)


def main(argv):
    if argv[:1] == ["start"]:
        _stop()
        _start()
    elif argv[:1] == ["stop"]:
        _stop()
    elif argv[:1] == ["batch"] and len(argv) > 1:
        result = run_batch(argv[1], argv[2:], cwd=os.getcwd())
        sys.stdout.buffer.write(result.stdout)
        sys.stderr.buffer.write(result.stderr)
        sys.exit(result.code)
    elif argv[:1] == ["run"] and len(argv) > 1:
        result = run(argv[1], argv[2:], cwd=os.getcwd(), stdin=None)
        sys.stdout.buffer.write(result.stdout)
        sys.stderr.buffer.write(result.stderr)
        sys.exit(result.code)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
