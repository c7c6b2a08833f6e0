"""Every program in build/bin is a 32-bit Windows executable that Windows XP
SP3 can load: PE32 for i386, only system DLLs, no kernel32 function newer than
XP, and a subsystem and OS version of 5.1 at most."""
import re
import subprocess

import pytest

import suitewine

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "comdlg32.dll",
               "comctl32.dll", "ole32.dll", "advapi32.dll", "msvcrt.dll"}
VISTA_AND_LATER = re.compile(
    r"ConditionVariable|SRWLock|GetTickCount64|InitOnce|^Fls|GetFinalPathNameByHandle|CancelIoEx|"
    r"CreateSymbolicLink|GetFileInformationByHandleEx|SetFileInformationByHandle|CreateEventEx|"
    r"CreateMutexEx|CreateSemaphoreEx|InitializeCriticalSectionEx|GetLocaleInfoEx|CompareStringEx|"
    r"LCMapStringEx|GetSystemTimePreciseAsFileTime|QueryFullProcessImageName|GetCurrentProcessorNumber|"
    r"FlushProcessWriteBuffers|GetErrorMode|GetThreadId$|GetProcessId$|Wow64DisableWow64FsRedirection")

PROGRAMS = sorted((suitewine.BUILD / "bin").glob("*.exe"))


def headers(exe):
    return subprocess.run(["i686-w64-mingw32-objdump", "-p", str(exe)], capture_output=True, text=True,
                          check=True).stdout


def imports(dump):
    """{dll name: [function names]} from objdump's import table listing."""
    table, current = {}, None
    for line in dump.splitlines():
        dll = re.match(r"\s*DLL Name: (\S+)", line)
        if dll:
            current = dll.group(1).lower()
            table[current] = []
        elif current and re.match(r"\s+[0-9a-f]+\s+\d+\s+\S+$", line):
            table[current].append(line.split()[-1])
        elif not line.strip():
            current = None if current and table[current] else current
    return table


def test_there_are_programs():
    assert any(p.name == "kenvo.exe" for p in PROGRAMS)


@pytest.mark.parametrize("exe", PROGRAMS, ids=lambda p: p.name)
def test_program_runs_on_windows_xp(exe):
    dump = headers(exe)
    assert "file format pei-i386" in dump
    fields = dict(re.findall(r"^(Major\w+|Minor\w+)\s+(\d+)", dump, re.M))
    for kind in ("Subsystem", "OSystem"):
        version = (int(fields[f"Major{kind}Version"]), int(fields[f"Minor{kind}Version"]))
        assert version <= (5, 1), (kind, version)
    table = imports(dump)
    assert set(table) <= SYSTEM_DLLS, set(table) - SYSTEM_DLLS
    newer = [name for name in table.get("kernel32.dll", []) if VISTA_AND_LATER.search(name)]
    assert newer == []
    assert len(table.get("kernel32.dll", [])) > 10  # the table was read at all
