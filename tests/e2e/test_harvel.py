"""HARVEL under Wine: the files it takes from the sample distributions
(names, folders, bytes, attributes, times), tag files, its console bytes
and exit codes, every failure, and names that would leave the destination."""
import os
import re
import shutil
import stat

import pytest

import make_distros
import suitewine

HARVEL = suitewine.exe("harvel.exe")
HEAD = b"Check ...\r\nSucc.\r\n"
TAIL = b"\r\nCheck. Please wait...\r" + b" " * 25 + b"\rComplete.\r\n"
TERMINATE = b"Programm Teminate.\r\n"
# "ERROR", the Russian for "no setup files" in code page 866, then the system's text.
NO_LOADER = ("ERRORН:ет_установочных_файловyyy??Custom: ").encode("cp866")
X86_FLOPPY = ["ntdetect.com", "setupldr.bin", "txtsetup.sif", "bootvid.dll", "kdcom.dll", "biosinfo.inf"]
X86_TAKEN = {  # boot folder file: source file in I386
    "ntdetect.com": "ntdetect.com", "setupldr.bin": "setupldr.bin", "txtsetup.sif": "TXTSETUP.SIF",
    "bootvid.dl_": "bootvid.dl_", "kdcom.dl_": "kdcom.dl_", "biosinfo.in_": "biosinfo.in_",
    "bootfont.bin": "bootfont.bin", "spcmdcon.sys": "spcmdcon.sys", "setupreg.hi_": "setupreg.hi_",
    "WINNT.SIF": "WINNT.SIF",
}
X64_TAKEN = {  # boot folder file: source below the root
    "ntdetect.co_": "AMD64/ntdetect.co_", "setupldr.bin": "I386/setupldr.bin",
    "txtsetup.sif": "AMD64/TXTSETUP.SIF", "bootvid.dl_": "AMD64/bootvid.dl_", "kdcom.dl_": "AMD64/kdcom.dl_",
    "biosinfo.in_": "AMD64/biosinfo.in_", "bootfont.bin": "I386/bootfont.bin",
    "spcmdcon.sys": "AMD64/spcmdcon.sys", "WINNT.SIF": "AMD64/WINNT.SIF",
}
WINDOWS_TAG = b"Windows\n\x00"
SP_TAG = b"SP" + b"\x00" * 9


def harvel(*args, program=HARVEL, cwd=None):
    return suitewine.run(program, args, cwd=cwd)


def progress(copies):
    """The progress display for the copies made, in order: (name, 'f' for a
    FloppyFiles line or 'c' for a CmdConsFiles line)."""
    out, dots = b"", 0
    for number, (name, kind) in enumerate(copies):
        out += b"%d %12s" % (number, name.encode()) + b"." * dots + b"\r"
        dots += 1
        if dots == (30 if kind == "f" else 50):
            dots = 0
            out += b"\r" + b" " * 79 + b"\r"
    return out


def files(root):
    """{relative path: bytes} of every file below root."""
    found = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            found[os.path.relpath(path, root)] = open(path, "rb").read()
    return found


def assert_taken(boot_folder, source_root, taken):
    assert sorted(os.listdir(boot_folder)) == sorted(taken)
    for name, source in taken.items():
        copy, original = boot_folder / name, source_root / source
        assert copy.read_bytes() == original.read_bytes(), name
        # Times are kept at two-second resolution, rounded down.
        assert int(copy.stat().st_mtime) == int(original.stat().st_mtime) // 2 * 2, name
        assert stat.S_IMODE(copy.stat().st_mode) & 0o222 == stat.S_IMODE(original.stat().st_mode) & 0o222, name


def test_x86_distribution_is_taken(x86, scratch):
    (x86 / "I386" / "kdcom.dl_").chmod(0o444)  # read-only stays read-only
    os.utime(x86 / "I386" / "setupldr.bin", (1200000001, 1200000001))  # an odd second
    dest = scratch / "dest"
    result = harvel(f"-s:{suitewine.winpath(x86)}", f"-d:{suitewine.winpath(dest)}")
    copies = [(name, "f") for name in X86_FLOPPY] + [(n, "c") for n in ["bootfont.bin", "spcmdcon.sys", "setupreg.hiv"]]
    assert (result.stdout, result.stderr, result.code) == (HEAD + progress(copies) + TAIL, b"", 1)
    assert sorted(os.listdir(dest)) == ["i386_"]
    assert_taken(dest / "i386_", x86 / "I386", X86_TAKEN)
    assert not (dest / "i386_" / "kdcom.dl_").stat().st_mode & 0o222


def test_x64_distribution_takes_loader_files_from_the_root_i386(x64, scratch):
    dest = scratch / "dest"
    result = harvel(f"-s:{suitewine.winpath(x64)}\\AMD64\\", f"-d:{suitewine.winpath(dest)}\\")
    copies = [(name, "f") for name in X86_FLOPPY] + [(n, "c") for n in ["bootfont.bin", "spcmdcon.sys"]]
    assert (result.stdout, result.code) == (HEAD + progress(copies) + TAIL, 2)
    assert sorted(os.listdir(dest)) == ["amd64_"]
    assert_taken(dest / "amd64_", x64, X64_TAKEN)


def test_markers_and_a_second_run(x86, scratch):
    dest = scratch / "dest"
    args = (f"-s:{suitewine.winpath(x86)}", f"-d:{suitewine.winpath(dest)}", "-markers")
    first = harvel(*args)
    assert first.code == 1
    assert first.stdout.endswith(b"\r\n[\\win51] [\\win51ip] [\\win51ip.SP3] " + TAIL)
    tags = {name: (dest / name).read_bytes() for name in ["WIN51", "WIN51IP", "win51ip.SP3"]}
    assert tags == {"WIN51": WINDOWS_TAG, "WIN51IP": WINDOWS_TAG, "win51ip.SP3": SP_TAG}

    # Again, with a copied file made read-only and a tag file changed: the
    # copies are made anew, the tag files are left alone.
    (dest / "i386_" / "ntdetect.com").write_bytes(b"old")
    (dest / "i386_" / "ntdetect.com").chmod(0o444)
    (dest / "WIN51").write_bytes(b"mine")
    second = harvel(*args)
    assert second.code == 1
    assert second.stdout == first.stdout.replace(b"[\\win51] [\\win51ip] [\\win51ip.SP3] ", b"")
    assert_taken(dest / "i386_", x86 / "I386", X86_TAKEN)
    assert (dest / "WIN51").read_bytes() == b"mine"


def test_platform_switch_names_the_folder(x64, scratch):
    dest = scratch / "dest"
    result = harvel(f"/S:{suitewine.winpath(x64)}", f"/D:{suitewine.winpath(dest)}", "/P:AMD64")
    assert result.code == 2
    # CmdConsFiles go to the boot folder named as typed, the same folder.
    assert sorted(os.listdir(dest)) == ["amd64_"]
    assert_taken(dest / "amd64_", x64, X64_TAKEN)


def test_unrecognised_platform_switch_leaves_it_to_the_probe(x86, scratch):
    result = harvel(f"-s:{suitewine.winpath(x86)}", f"-d:{suitewine.winpath(scratch / 'dest')}", "-p:x64")
    assert result.code == 1
    assert (scratch / "dest" / "i386_" / "WINNT.SIF").exists()


def test_missing_files_are_passed_over_and_compressed_targets_keep_their_name(x86, scratch):
    (x86 / "I386" / "bootvid.dl_").unlink()
    (x86 / "I386" / "ntdetect.com").rename(x86 / "I386" / "ntdetect.co_")
    (x86 / "I386" / "ntdetect.com").write_bytes(b"loader check only")  # hidden below
    os.setxattr(x86 / "I386" / "ntdetect.com", "user.DOSATTRIB", b"0x2")
    dosnet = x86 / "I386" / "DOSNET.INF"
    dosnet.write_bytes(dosnet.read_bytes().replace(b"d1,kdcom.dll", b"d1,kdcom.dll,kd.dll\r\nd1, setupldr.bin\r\nd9,WIN51\r\nd1,absent.sys"))
    dest = scratch / "dest"
    result = harvel(f"-s:{suitewine.winpath(x86)}", f"-d:{suitewine.winpath(dest)}")
    copies = [("ntdetect.com", "f"), ("setupldr.bin", "f"), ("txtsetup.sif", "f"), ("kd.dll", "f"),
              ("WIN51", "f"), ("biosinfo.inf", "f"), ("bootfont.bin", "c"), ("spcmdcon.sys", "c"),
              ("setupreg.hiv", "c")]
    # The loader check does not see the hidden ntdetect.com.
    assert result.code == 3
    assert result.stdout.startswith(HEAD + progress(copies) + b"\r\nCheck. Please wait... -- No file ntdetect.com\r\nand so on\r\n" + NO_LOADER)
    assert result.stdout.endswith(b"\r\n" + TERMINATE)
    taken = files(dest)
    assert sorted(taken) == sorted(["i386_/ntdetect.co_", "i386_/setupldr.bin", "i386_/txtsetup.sif",
                                    "i386_/kd.dl_", "WIN51", "i386_/biosinfo.in_", "i386_/bootfont.bin",
                                    "i386_/spcmdcon.sys", "i386_/setupreg.hi_", "i386_/WINNT.SIF"])
    assert taken["WIN51"] == (x86 / "WIN51").read_bytes()  # no directory entry: root to destination


def test_many_files_clear_the_progress_line(scratch):
    make_distros.make_x86(scratch / "dist")
    i386 = scratch / "dist" / "I386"
    names = [f"f{n:02}.bin" for n in range(31)]
    for name in names:
        (i386 / name).write_bytes(name.encode())
    dosnet = i386 / "DOSNET.INF"
    listed = "".join(f"d1,{name}\r\n" for name in names)
    dosnet.write_bytes(dosnet.read_bytes().split(b"[FloppyFiles.0]")[0] + b"[FloppyFiles.0]\r\n" + listed.encode())
    result = harvel(f"-s:{suitewine.winpath(scratch / 'dist')}", f"-d:{suitewine.winpath(scratch / 'dest')}")
    assert (result.stdout, result.code) == (HEAD + progress([(n, "f") for n in names]) + TAIL, 1)
    assert b"\r" + b" " * 79 + b"\r30      f30.bin\r" in result.stdout


def test_names_that_would_leave_the_destination_are_passed_over(x86, scratch):
    (scratch / "outside.txt").write_bytes(b"secret")
    (x86 / "evil.bin").write_bytes(b"evil")
    dosnet = x86 / "I386" / "DOSNET.INF"
    text = dosnet.read_bytes().replace(b"d1 = \\i386", b"d1 = \\i386\r\nd2 = \\..\\..\r\nd3 = C:\\x\r\nd4 = i386")
    text += (b"\r\n[FloppyFiles.2]\r\nd1,..\\..\\outside.txt\r\nd9,evil.bin,..\\evil.bin\r\nd9,evil.bin,C:\\evil.bin\r\n"
             b"d2,evil.bin\r\nd3,evil.bin\r\nd4,evil.bin\r\nd9,evil.bin,sub/../../evil.bin\r\nd9,evil.bin,\\evil.bin\r\n"
             b"[CmdConsFiles]\r\n..\\..\\..\\outside.txt\r\n")
    dosnet.write_bytes(text)
    layout = x86 / "I386" / "LAYOUT.INF"
    layout.write_bytes(layout.read_bytes() + b'cdtagfile2 = "\\..\\tag"\r\ncd2tagfilei = "tag"\r\n')
    dest = scratch / "dest"
    result = harvel(f"-s:{suitewine.winpath(x86)}", f"-d:{suitewine.winpath(dest)}", "-m")
    assert result.code == 1
    lines = re.findall(rb" \* [^\r\n]*passed over: [^\r\n ]*", result.stdout)
    assert lines == [
        b" * Name leaves its folder, passed over: ..\\..\\outside.txt",
        b" * Name leaves its folder, passed over: ..\\evil.bin",
        b" * Name leaves its folder, passed over: C:\\evil.bin",
        b" * Folder leaves the destination, passed over: \\..\\..",
        b" * Folder leaves the destination, passed over: C:\\x",
        b" * Folder leaves the destination, passed over: i386",
        b" * Name leaves its folder, passed over: sub/../../evil.bin",
        b" * Name leaves its folder, passed over: \\evil.bin",
        b" * Name leaves its folder, passed over: ..\\..\\..\\outside.txt",
        b" * Tag file leaves the destination, passed over: \\..\\tag",
        b" * Tag file leaves the destination, passed over: tag",
    ]
    # Nothing new beside the distribution and the destination, nothing in them
    # that was not asked for.
    assert sorted(os.listdir(scratch)) == ["dest", "dist", "outside.txt"]
    assert sorted(os.listdir(dest)) == ["WIN51", "WIN51IP", "i386_", "win51ip.SP3"]
    assert sorted(os.listdir(dest / "i386_")) == sorted(X86_TAKEN)


def test_paths_from_tesmo_ini_prepare_the_distribution_in_place(scratch):
    tools = scratch / "tools"
    make_distros.make_x86(tools / "cd")
    shutil.copy(HARVEL, tools)
    (tools / "tesmo.ini").write_bytes(b"[x:rule]\r\ndistropath = \\cd\\\r\n")
    result = harvel(program=tools / "harvel.exe")
    assert result.code == 1
    assert result.stdout.startswith(b"Section->x\r\n" + HEAD)
    assert_taken(tools / "cd" / "i386_", tools / "cd" / "I386", X86_TAKEN)

    # Only the destination given: the source still comes from tesmo.ini.
    result = harvel(f"-d:{suitewine.winpath(scratch / 'elsewhere')}", program=tools / "harvel.exe")
    assert result.code == 1
    assert_taken(scratch / "elsewhere" / "i386_", tools / "cd" / "I386", X86_TAKEN)


@pytest.mark.parametrize("tesmo, mode, expected, said", [
    (None, None, b" -- No file tesmo.ini\r\nand so on\r\n" + TERMINATE, b""),
    (b"; no section at all\r\n", None,
     b"It is not enough of the data.\r\n * Error:It was not possible to find paths. " + TERMINATE, b""),
    (b"[x:rule]\r\n", 0, b" * Error:It was not possible to find paths. " + TERMINATE,
     b"tesmo.ini: Permission denied\r\n"),
])
def test_paths_that_cannot_be_completed(scratch, tesmo, mode, expected, said):
    shutil.copy(HARVEL, scratch)
    if tesmo is not None:
        (scratch / "tesmo.ini").write_bytes(tesmo)
    if mode is not None:
        (scratch / "tesmo.ini").chmod(mode)
    result = harvel("-s:C:\\somewhere", program=scratch / "harvel.exe")
    assert (result.stdout, result.stderr, result.code) == (expected, said, 3)


def test_overlong_paths(scratch):
    long_value = "C:\\" + "a" * 257  # 260 characters: taken
    accepted = harvel(f"-s:{long_value}", f"-d:{long_value}")
    assert accepted.code == 3 and b"fixate" in accepted.stdout
    for switch in ["-s", "-d"]:
        result = harvel(f"{switch}:{long_value}b", "-?")
        assert (result.stdout, result.code) == (b" * Error! Very long line (source path). " + TERMINATE, 3)


def test_failures_before_taking(x86, scratch):
    dest = f"-d:{suitewine.winpath(scratch / 'dest')}"
    no_platform = harvel(f"-s:{suitewine.winpath(scratch)}", dest)
    assert (no_platform.stdout, no_platform.code) == (
        b" * The program could not fixate distributive platform\r\n" + TERMINATE, 3)

    os.setxattr(x86 / "I386" / "LAYOUT.INF", "user.DOSATTRIB", b"0x2")  # hidden counts as missing
    (x86 / "I386" / "WINNT32.EXE").unlink()
    folder = suitewine.winpath(x86) + "\\I386"
    not_dist = harvel(f"-s:{folder}", dest)
    assert (not_dist.stdout, not_dist.code) == (
        b"Check ...\r\n -- No file layout.inf\r\n -- No file WINNT32.EXE\r\nand so on\r\n"
        b" * The program has counted that the catalogue\r\n * " + folder.encode() + b"\r\n * is not distributive.\r\n"
        + TERMINATE, 3)

    # A platform switch skips the probe; a missing folder shows as missing files.
    wrong = harvel(f"-s:{suitewine.winpath(x86)}", dest, "-p:amd64")
    assert wrong.code == 3 and b" -- No file dosnet.inf\r\n" in wrong.stdout
    assert not (scratch / "dest").exists()


@pytest.mark.parametrize("name, switch", [("DOSNET.INF", ""), ("LAYOUT.INF", "-m")])
def test_unreadable_setup_files(x86, scratch, name, switch):
    (x86 / "I386" / name).chmod(0)
    result = harvel(f"-s:{suitewine.winpath(x86)}", f"-d:{suitewine.winpath(scratch / 'dest')}", switch)
    assert result.code == 3
    assert result.stdout.endswith(b"Can`t open file: Permission denied\r\n" + TERMINATE)
    assert b"Please wait" not in result.stdout


def test_copy_fails_with_its_own_message(x64, scratch):
    # CmdConsFiles do not make their boot folder; here no FloppyFiles list does.
    dosnet = x64 / "AMD64" / "DOSNET.INF"
    dosnet.write_bytes(dosnet.read_bytes().replace(b"d1 = \\amd64", b"d1 = \\I386"))
    dest = scratch / "dest"
    result = harvel(f"-s:{suitewine.winpath(x64)}", f"-d:{suitewine.winpath(dest)}")
    assert result.code == 2
    target = suitewine.winpath(dest) + "\\amd64_\\spcmdcon.sys"
    assert b"Cannot create destination file  " + target.encode() + b"\r\n" in result.stdout
    assert sorted(os.listdir(dest)) == ["I386_"]


@pytest.mark.parametrize("args", [["-?"], ["-h", "-s:x"], ["-m", "/H"]])
def test_help(args):
    result = harvel(*args)
    assert result.code == 0
    first, rest = result.stdout.split(b"\r\n", 1)
    assert first.startswith(b"HARVEL (version 1.27b) [ ") and first.endswith(b" ]  MinGW-GCC 0x0560")
    assert rest == (b"HARVEL by Quorvel.\r\n\r\nhttp://www.quorvel.example/tools/\r\nGrennafold(extractor).\r\n"
                    b"HARVEL (-/)[(?Hh)(sS)(dD)(pP)]\r\n\r\n?,H,h         This help screen.\r\n"
                    b"s,S           Source Path.\r\nd,D           Destination Path.\r\nm,M           Create markers.\r\n"
                    b"p,P           Platform specified\r\n              i368, amd64\r\n\r\nERRORLEVELS:\r\n"
                    b"\t1 - x86 destributive found.\r\n\t2 - x64 destributive found.\r\n\t3 - error exit code\r\n")


def test_distribution_at_a_drive_root(x86, scratch):
    with suitewine.drive(x86) as letter:
        result = harvel(f"-s:{letter}\\", f"-d:{letter}\\boot")
    assert result.code == 1
    assert_taken(x86 / "boot" / "i386_", x86 / "I386", X86_TAKEN)


@pytest.mark.parametrize("dosnet", [
    b"",
    b"[Directories]\r\nd1 = \\i386\r\n[FloppyFiles.0]\r\nd1,ntdetect.com",  # no final line break
    b"[Directories]\r\nd1 = \\i386\x00\\x\r\n[FloppyFiles.0]\r\nd1,ntdetect.com\x00junk\r\n",
    bytes(range(256)) * 40,
    b"[FloppyFiles.0]\r\nd1," + b"n" * 10000 + b"\r\nd1,ntdetect.com\r\n",
    b"[Directories]\r\n" + b"d1 = \\" + b"x" * 10000 + b"\r\n[FloppyFiles.0]\r\nd1,ntdetect.com\r\n",
])
def test_bad_dosnet_gives_a_result_not_a_crash(x86, scratch, dosnet):
    (x86 / "I386" / "DOSNET.INF").write_bytes(dosnet)
    dest = scratch / "dest"
    result = harvel(f"-s:{suitewine.winpath(x86)}", f"-d:{suitewine.winpath(dest)}")
    assert result.code == 1, result.stdout
    assert result.stdout.startswith(HEAD) and result.stdout.endswith(TAIL)
    assert sorted(p.name for p in scratch.iterdir()) == ["dest", "dist"]


def test_setup_file_that_is_a_folder(x86, scratch):
    (x86 / "I386" / "DOSNET.INF").unlink()
    (x86 / "I386" / "DOSNET.INF").mkdir()
    args = (f"-s:{suitewine.winpath(x86)}", f"-d:{suitewine.winpath(scratch / 'dest')}")
    probed = harvel(*args)
    assert (probed.stdout, probed.code) == (b" * The program could not fixate distributive platform\r\n" + TERMINATE, 3)
    named = harvel(*args, "-p:i386")
    assert named.code == 3
    assert b" -- No file dosnet.inf\r\nand so on\r\n" in named.stdout
