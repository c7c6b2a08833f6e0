"""SAPLOR under Wine: the folders it makes, its console bytes and exit codes,
from switches and from a tesmo.ini beside the program."""
import os
import re
import shutil
import stat

import pytest

import suitewine

SAPLOR = suitewine.exe("saplor.exe")
COMPLETE = b"Create TREE - Comlete.\r\n"
NOT_THE_CASE = b"Create TREE - not the case.\r\n"


def saplor(*args, program=SAPLOR, cwd=None):
    return suitewine.run(program, args, cwd=cwd)


def tree(root):
    """Every folder below root, as sorted Windows-style relative names."""
    found = []
    for folder, dirs, _ in os.walk(root):
        for name in dirs:
            found.append(os.path.relpath(os.path.join(folder, name), root).replace("/", "\\"))
    return sorted(found)


def made(names, subfolders=()):
    """The folders of a tree whose distributions are named by names."""
    folders = []
    for name in names:
        folders += [name, "BT_" + name] + [name + "\\" + sub for sub in subfolders]
    return sorted(folders)


def shown(dest, last_line):
    return b"\r\n" + dest.encode() + b"\r\n" + last_line


@pytest.mark.parametrize("args, folders", [
    (["-n:3", "-p:X64", "-t:B"], made("BCD", ["i64", "X64"])),
    ([], made("1")),
    (["/P:x86"], made("1", ["86"])),
    (["-p:i386"], made("1")),
    (["-p:X64", "-p:amd64"], made("1")),
    (["-N:2", "-T:Z"], made("Z[")),
    (["-n:10"], made("123456789")),
    (["-t:Disk", "-n:2"], made("DE")),
    (["-n:5", "-n: +2"], made("12")),
    (["-n:2x7"], made("12")),
    (["extra", "-d", "-n3", "-q:4", "/", "-t", "-p"], made("1")),
])
def test_switches_make_the_tree(scratch, args, folders):
    dest = suitewine.winpath(scratch)
    result = saplor(f"-d:{dest}", *args)
    assert (result.stdout, result.stderr, result.code) == (shown(dest, COMPLETE), b"", 0)
    assert tree(scratch) == folders


@pytest.mark.parametrize("count", ["0", "-3", "none", ""])
def test_no_distribution_is_not_the_case(scratch, count):
    dest = suitewine.winpath(scratch)
    result = saplor(f"-d:{dest}", f"-n:{count}")
    assert (result.stdout, result.code) == (shown(dest, NOT_THE_CASE), 0)
    assert tree(scratch) == []


def test_second_run_creates_nothing_and_says_so(scratch):
    dest = suitewine.winpath(scratch)
    args = (f"-d:{dest}", "-n:3", "-p:X64", "-t:B")
    assert saplor(*args).stdout == shown(dest, COMPLETE)
    again = saplor(*args)
    assert (again.stdout, again.code) == (shown(dest, NOT_THE_CASE), 0)
    assert tree(scratch) == made("BCD", ["i64", "X64"])


def test_only_new_boot_folders_count(scratch):
    (scratch / "1").mkdir()
    (scratch / "BT_1").mkdir()
    dest = suitewine.winpath(scratch)
    result = saplor(f"-d:{dest}", "-p:x86", "-n:1")
    assert (result.stdout, result.code) == (shown(dest, NOT_THE_CASE), 0)
    assert tree(scratch) == made("1", ["86"])
    result = saplor(f"-d:{dest}", "-n:2")
    assert result.stdout == shown(dest, COMPLETE)


def test_missing_folders_on_the_way_are_made(scratch):
    dest = suitewine.winpath(scratch / "multi" / "cd")
    result = saplor(f"-d:{dest}\\")
    assert (result.stdout, result.code) == (shown(dest, COMPLETE), 0)
    assert tree(scratch) == ["multi", "multi\\cd", "multi\\cd\\1", "multi\\cd\\BT_1"]


def test_trailing_backslash_is_removed_once(scratch):
    dest = suitewine.winpath(scratch)
    result = saplor(f"-d:{dest}\\", "-t:K")
    assert (result.stdout, result.code) == (shown(dest, COMPLETE), 0)
    assert tree(scratch) == made("K")


def test_names_that_cannot_be_folders_get_nothing(scratch):
    # From "." the names run . / 0 1: the first two get no folders, and
    # nothing lands beside or above the destination.
    dest = suitewine.winpath(scratch / "d")
    (scratch / "d").mkdir()
    result = saplor(f"-d:{dest}", "-t:.", "-n:4")
    assert (result.stdout, result.code) == (shown(dest, COMPLETE), 0)
    assert tree(scratch) == ["d"] + ["d\\" + f for f in made("01")]
    result = saplor(f"-d:{dest}", "-t:\\")
    assert (result.stdout, result.code) == (shown(dest, NOT_THE_CASE), 0)
    assert tree(scratch) == ["d"] + ["d\\" + f for f in made("01")]


def test_a_destination_at_a_drive_root(scratch):
    with suitewine.drive(scratch) as letter:
        for dest in (f"{letter}\\", letter):
            result = saplor(f"-d:{dest}", "-p:X64")
            assert result.code == 0
    assert tree(scratch) == made("1", ["i64", "X64"])


HELP = (b"SAPLOR by Quorvel.\r\n"
        b"\r\n"
        b"http://www.quorvel.example/tools/\r\n"
        b"Tavernisk.\r\n"
        b"saplor (-/)[(?h)(d,p,n)]\r\n"
        b"\r\n"
        b"?,H          This help screen.\r\n"
        b"D            Destination Path(Full path).\r\n"
        b"N            Numbers of destributive\r\n"
        b"P            Platform specified (x86 or x64)\r\n")
BANNER = re.compile(rb"SAPLOR \(version 1\.25\) \[ [A-Z][a-z]{2} [ \d]\d \d{4} \d\d:\d\d:\d\d \]  \S+ 0x0560\r\n")


@pytest.mark.parametrize("args", [["-?"], ["/h"], ["-H"], ["-help"], ["-n:2", "/?", "-d:C:\\nowhere"]])
def test_help(scratch, args):
    result = saplor(*args, cwd=scratch)
    banner = BANNER.match(result.stdout)
    assert banner, result.stdout
    assert (result.stdout[banner.end():], result.code) == (HELP, 0)
    assert tree(scratch) == []


def test_too_long_destination_ends_the_run(scratch):
    longest = "C:\\" + "a" * 257
    result = saplor("-d:" + longest + "b", "-h")
    assert (result.stdout, result.code) == (
        b" * Error! Very long line (source path). Programm Teminate.\r\n", 1)


def test_empty_first_name_is_refused(scratch):
    result = saplor(f"-d:{suitewine.winpath(scratch)}", "-t:")
    assert (result.stdout, result.code) == (b" * Error! Empty folder name. Programm Teminate.\r\n", 1)
    assert tree(scratch) == []


# ---- tesmo.ini beside the program ------------------------------------------

@pytest.fixture
def program(scratch):
    """A copy of saplor.exe in a folder of its own, and a work folder."""
    folder = scratch / "prog"
    folder.mkdir()
    shutil.copy(SAPLOR, folder / "saplor.exe")
    (scratch / "work").mkdir()
    return folder


def write_ini(program, text):
    (program / "tesmo.ini").write_bytes(text.replace("\n", "\r\n").encode())


@pytest.mark.parametrize("ini, args, below, names, echoed", [
    # workpath and distropath, no NTfoldername: B, C...
    ("[settings:rule]\nworkpath = {work}\ndistropath = \\XPCD\\\n", ["-n:2"], "work/XPCD", "BC",
     "settings"),
    # keys written in odd ways, comments, a section that is read for nothing
    ("-- the suite's settings\n  [ Main : RULE ]   -- ours\n  WorkPath   =   {work}   -- the work folder\n"
     "DESTROPATH=cd1\\\nNTFOLDERNAME = Disk -- D\n[other]\ndistropath = elsewhere\n",
     [], "work/cd1", "D", "Main\r\nSection->other"),
    # auto stands for 1 in SAPLOR; workpath auto keeps the program folder
    ("[s:rule]\nNTfoldername = auto\nworkpath = AUTO\n", ["-n:3"], "prog", "123", "s"),
    # switch t wins over the file's name
    ("[s:rule]\nworkpath={work}\nNTfoldername = X\n", ["-t:K"], "work", "K", "s"),
    # no rule section: the program folder and B
    ("[s]\nworkpath = {work}\n[t:rulebook]\nworkpath = {work}\n", [], "prog", "B", "s\r\nSection->t"),
    # a malformed header ends the rule section
    ("[s:rule]\nworkpath = {work}\n[broken\ndistropath = lost\n", [], "work", "B", "s"),
    # a quote right after "=" swallows it: the line is passed over
    ("[s:rule]\nworkpath = {work}\ndistropath=\"XPCD\"\n", [], "work", "B", "s"),
])
def test_tesmo_ini_completes_the_settings(scratch, program, ini, args, below, names, echoed):
    write_ini(program, ini.format(work=suitewine.winpath(scratch / "work")))
    result = saplor(*args, program=program / "saplor.exe", cwd=scratch)
    dest = suitewine.winpath(scratch / below)
    expected = b"Section->" + echoed.encode() + b"\r\n" + shown(dest, COMPLETE)
    assert (result.stdout, result.stderr, result.code) == (expected, b"", 0)
    assert tree(scratch / below) == made(names)


def test_a_destination_switch_skips_tesmo_ini(scratch, program):
    write_ini(program, "[s:rule]\nNTfoldername = Q\n")
    dest = suitewine.winpath(scratch / "work")
    result = saplor(f"-d:{dest}", program=program / "saplor.exe")
    assert (result.stdout, result.code) == (shown(dest, COMPLETE), 0)
    assert tree(scratch / "work") == made("1")


def test_read_only_tesmo_ini_is_read(scratch, program):
    write_ini(program, "[s:rule]\nworkpath = {}\n".format(suitewine.winpath(scratch / "work")))
    (program / "tesmo.ini").chmod(stat.S_IRUSR)
    result = saplor(program=program / "saplor.exe")
    assert (result.stdout, result.code) == (
        b"Section->s\r\n" + shown(suitewine.winpath(scratch / "work"), COMPLETE), 0)


def test_missing_tesmo_ini(scratch, program):
    result = saplor("-d:", "-n:2", program=program / "saplor.exe", cwd=scratch)
    assert (result.stdout, result.code) == (
        b" -- No file tesmo.ini\r\nand so on\r\nProgramm Teminate.\r\n", 1)
    assert tree(program) == []


@pytest.mark.parametrize("ini", ["", "workpath = C:\\work\n", "[s:rule -- ]\n", "[abc\n"])
def test_tesmo_ini_without_a_section(scratch, program, ini):
    write_ini(program, ini)
    result = saplor(program=program / "saplor.exe", cwd=scratch)
    assert (result.stdout, result.code) == (
        b"It is not enough of the data.\r\n"
        b" * Error:It was not possible to find paths. Programm Teminate.\r\n", 1)
    assert tree(program) == []


def test_empty_folder_name_in_tesmo_ini_is_refused(scratch, program):
    write_ini(program, "[s:rule]\nNTfoldername =\n")
    result = saplor(program=program / "saplor.exe", cwd=scratch)
    assert (result.stdout, result.code) == (
        b"Section->s\r\n * Error! Empty folder name. Programm Teminate.\r\n", 1)
    assert tree(program) == []


def test_too_long_value_in_tesmo_ini_is_passed_over(scratch, program):
    write_ini(program, "[s:rule]\nworkpath = {}\ndistropath = {}\n".format(
        suitewine.winpath(scratch / "work"), "x" * 300))
    result = saplor(program=program / "saplor.exe", cwd=scratch)
    assert (result.stdout, result.code) == (
        b"Section->s\r\n"
        b" * Value of distropath is longer than 259 characters: line passed over.\r\n"
        + shown(suitewine.winpath(scratch / "work"), COMPLETE), 0)
    assert tree(scratch / "work") == made("B")
