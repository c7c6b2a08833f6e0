"""KENVO under Wine: console bytes, report file and exit codes."""
import os
import re

import pytest

import make_distros
import suitewine

KENVO = suitewine.exe("kenvo.exe")
TERMINATE = b"Programm Teminate.\r\n"
X86_ALL = b"Windows XP Professional\r\ni386\r\nEnglish\r\n3.0\r\n"


def kenvo(*args, cwd=None):
    return suitewine.run(KENVO, args, cwd=cwd)


@pytest.mark.parametrize("args, expected", [
    ([], X86_ALL),
    (["all", "SvcPack", "ALL"], X86_ALL),
    (["-m:2"], b"Windows XP Professional i386 Platform English version ServicePack 3.0\r\n"),
    (["-m:25"], b"Windows XP Professional i386 Platform English version ServicePack 3.0\r\n"),
    (["-M:x"], X86_ALL),
    (["-m:"], X86_ALL),
    (["-m:1"], b"Windows XP Professional i386 English 3.0\r\n"),
    (["-m:1", "productname", "Platform"], b"Windows XP Professional i386 "),
    (["Language", "platform"], b"i386\r\nEnglish\r\n"),
    (["-m2", "-x:1", "/", "bogus", "SVCPACK"], b"3.0\r\n"),
])
def test_report_modes_and_items(x86, args, expected):
    result = kenvo(f"-s:{suitewine.winpath(x86)}", *args)
    assert (result.stdout, result.stderr, result.code) == (expected, b"", 0)


@pytest.mark.parametrize("suffix", ["", "\\", "\\i386", "\\I386\\"])
def test_root_or_platform_folder_give_the_same_report(x86, suffix):
    result = kenvo("/S:" + suitewine.winpath(x86) + suffix)
    assert (result.stdout, result.code) == (X86_ALL, 0)


def test_amd64_distribution(x64):
    result = kenvo(f"-s:{suitewine.winpath(x64)}", "-m:2")
    assert result.stdout == b"Windows XP Professional x64 Edition amd64 Platform English version ServicePack 2.0\r\n"
    assert result.code == 0


def test_distribution_at_a_drive_root(x86):
    with suitewine.drive(x86) as letter:
        for source in (f"{letter}\\", f"{letter}\\i386", letter):
            result = kenvo(f"-s:{source}")
            assert (result.stdout, result.code) == (X86_ALL, 0), source


def test_missing_facts_are_reported_empty(x86):
    (x86 / "I386" / "PRODSPEC.INI").unlink()
    (x86 / "I386" / "DOSNET.INF").write_bytes(b"[Miscellaneous]\r\nServicePack = none\r\n")
    (x86 / "I386" / "LAYOUT.INF").write_bytes(b"[Strings]\r\nproductname = \"a \"b\" c\"\r\n")
    result = kenvo(f"-s:{suitewine.winpath(x86)}", "-m:2")
    assert (result.stdout, result.code) == (b'a "b" c  Platform  version ServicePack 0.0\r\n', 0)


def test_long_platform_value_is_unknown(x86):
    (x86 / "I386" / "DOSNET.INF").write_bytes(
        b"DestinationPlatform = i386\r\n[x]\r\nDestinationPlatformOverride=averylongvalue\r\n")
    result = kenvo(f"-s:{suitewine.winpath(x86)}", "Platform")
    assert result.stdout == b"unknown\r\n"


def test_report_file_with_crlf_lines(x86, scratch):
    reports = scratch / "reports"
    reports.mkdir()
    first = scratch / "first"
    first.mkdir()
    (reports / "rozevazu.log").write_bytes(b"old content that is longer than the report\r\n" * 5)
    result = kenvo(f"-s:{suitewine.winpath(x86)}", f"-d:{suitewine.winpath(first)}",
                   f"-d:{suitewine.winpath(reports)}\\", "all")
    log = suitewine.winpath(reports) + "\\rozevazu.log"
    assert (result.stdout, result.code) == (b" * See report in " + log.encode() + b"\r\n", 0)
    assert (reports / "rozevazu.log").read_bytes() == X86_ALL
    assert not (first / "rozevazu.log").exists()


def test_report_file_that_cannot_be_created(x86, scratch):
    result = kenvo(f"-s:{suitewine.winpath(x86)}", f"-d:{suitewine.winpath(scratch)}\\none")
    assert result.stdout == b" * Can`t create or open resultat file.\r\n" + TERMINATE
    assert result.code == 1


def test_no_source(scratch):
    for args in ([], ["-s"], ["all", "-d:C:\\"]):
        result = kenvo(*args)
        assert (result.stdout, result.code) == (b"Please, do set source path. Programm Teminate.\r\n", 1)


def test_no_platform_folder(scratch):
    (scratch / "i386").mkdir()  # no DOSNET.INF in it
    result = kenvo(f"-s:{suitewine.winpath(scratch)}")
    assert result.stdout == b" * Could not fixate distributive platform\r\n" + TERMINATE
    assert result.code == 1


def test_platform_folder_that_is_not_a_distribution(x86):
    (x86 / "I386" / "WINNT32.EXE").unlink()
    (x86 / "I386" / "TXTSETUP.SIF").unlink()
    result = kenvo(f"-s:{suitewine.winpath(x86)}")
    folder = (suitewine.winpath(x86) + "\\i386").encode()
    assert result.stdout == (b" -- No file TXTSETUP.SIF\r\n -- No file WINNT32.EXE\r\nand so on\r\n"
                             b" * The program has counted that the catalogue\r\n * " + folder +
                             b"\r\n * is not distributive.\r\n" + TERMINATE)
    assert result.code == 1


def test_unreadable_dosnet(x86):
    os.chmod(x86 / "I386" / "DOSNET.INF", 0)
    result = kenvo(f"-s:{suitewine.winpath(x86)}")
    assert result.stdout == b"Can`t open file: Permission denied\r\n" + TERMINATE
    assert result.code == 1


def test_overlong_paths_are_refused(scratch):
    for switch in ("-s:", "-d:"):
        result = kenvo(switch + "C:\\" + "a" * 258)
        assert (result.stdout, result.code) == (b" * Error! Very long line (source path). Programm Teminate.\r\n", 1)
    # 260 characters are still taken (and then not found).
    result = kenvo("-s:C:\\" + "a" * 257)
    assert result.stdout == b" * Could not fixate distributive platform\r\n" + TERMINATE


HELP = (b"KENVO by Quorvel.\r\n\r\n" + b"http://www.quorvel.example/tools/\r\n"
        b"Vermitane.\r\nLORIDAN (?Hh)(sS)(dD)]\r\n\r\n"
        b"-?,H              This help screen.\r\n"
        b"-M                output mode.\r\n"
        b"-S                Source Path.\r\n"
        b"-D                Report file Path.\r\n"
        b" * if Report file mode then cant put to output.\r\n"
        b"productname       Name of version\r\n"
        b"Platform          Platform( x64 or x86 ).\r\n"
        b"Language          Localization.\r\n"
        b"SvcPack           Number of Service Pack.\r\n")
BANNER = re.compile(rb"KENVO \(version 1\.26b\) \[ [A-Z][a-z]{2} [ \d]\d \d{4} \d\d:\d\d:\d\d \]  \S+ 0x0560\r\n")


@pytest.mark.parametrize("args", [["-?"], ["/h"], ["-H"], ["-help"], ["-s:C:\\nowhere", "all", "-h", "-s:"]])
def test_help(args):
    result = kenvo(*args)
    banner = BANNER.match(result.stdout)
    assert banner, result.stdout
    assert result.stdout[banner.end():] == HELP
    assert result.code == 0


def test_overlong_path_before_help_ends_the_run_first():
    result = kenvo("-s:" + "a" * 261, "-h")
    assert result.code == 1
