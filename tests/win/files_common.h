// Tests of the file operations that every build shares. Included by each
// build's test program; each test works in a fresh folder below the
// current one.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "files.h"
#include "platform.h"

class Files : public ::testing::Test {
protected:
    std::string dir;  // full Windows path of this test's folder

    void SetUp() override
    {
        const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("t_") + info->test_suite_name() + "_" + info->name();
        char full[MAX_PATH];
        GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
        dir = full;
        CreateDirectoryA(dir.c_str(), nullptr);
    }

    std::string At(const std::string &relative) const { return dir + "\\" + relative; }

    void Write(const std::string &relative, const std::string &bytes, DWORD attributes = 0)
    {
        FILE *f = fopen(At(relative).c_str(), "wb");
        ASSERT_NE(f, nullptr) << relative;
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
        if (attributes)
            SetAttributes(relative, attributes);
    }

    // Read-only last: Wine keeps hidden and system in an extended attribute,
    // which a read-only file no longer takes.
    void SetAttributes(const std::string &relative, DWORD attributes)
    {
        SetFileAttributesA(At(relative).c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
        SetFileAttributesA(At(relative).c_str(), attributes);
    }

    std::string Read(const std::string &relative) const
    {
        std::string bytes;
        FILE *f = fopen(At(relative).c_str(), "rb");
        if (!f)
            return "<missing>";
        char chunk[4096];
        size_t got;
        while ((got = fread(chunk, 1, sizeof chunk, f)) > 0)
            bytes.append(chunk, got);
        fclose(f);
        return bytes;
    }

    void Mkdir(const std::string &relative) { CreateDirectoryA(At(relative).c_str(), nullptr); }

    bool IsDir(const std::string &relative) const
    {
        DWORD a = GetFileAttributesA(At(relative).c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }

    static FILETIME LastWrite(const std::string &path)
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
        return data.ftLastWriteTime;
    }

    // Sets a last-write time with odd seconds and a fraction, so that the
    // two-second rounding of a copy shows.
    static void SetOddTime(const std::string &path)
    {
        SYSTEMTIME st = {2007, 3, 0, 14, 10, 21, 33, 250};
        FILETIME local, utc;
        SystemTimeToFileTime(&st, &local);
        LocalFileTimeToFileTime(&local, &utc);
        HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(h, nullptr, nullptr, &utc);
        CloseHandle(h);
    }

    static SYSTEMTIME LocalTime(const FILETIME &utc)
    {
        FILETIME local;
        SYSTEMTIME st;
        FileTimeToLocalFileTime(&utc, &local);
        FileTimeToSystemTime(&local, &st);
        return st;
    }

    // Runs fn and returns what it printed on stdout.
    template <typename Fn>
    static std::string Captured(Fn fn)
    {
        ::testing::internal::CaptureStdout();
        fn();
        fflush(stdout);
        return ::testing::internal::GetCapturedStdout();
    }
};

TEST_F(Files, ExistSeesOnlyPlainFiles)
{
    Write("plain.txt", "x");
    Write("readonly.txt", "x", FILE_ATTRIBUTE_READONLY);
    Write("hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN);
    Write("system.txt", "x", FILE_ATTRIBUTE_SYSTEM);
    Mkdir("folder");
    EXPECT_TRUE(FILE_FUNCTIONS::EXIST(At("plain.txt").c_str()));
    EXPECT_TRUE(FILE_FUNCTIONS::EXIST(At("readonly.txt").c_str()));
    EXPECT_FALSE(FILE_FUNCTIONS::EXIST(At("hidden.txt").c_str()));
    EXPECT_FALSE(FILE_FUNCTIONS::EXIST(At("system.txt").c_str()));
    EXPECT_FALSE(FILE_FUNCTIONS::EXIST(At("folder").c_str()));
    EXPECT_FALSE(FILE_FUNCTIONS::EXIST(At("none.txt").c_str()));
    // Wildcards: true when any plain file matches, even after hidden ones.
    EXPECT_TRUE(FILE_FUNCTIONS::EXIST(At("*.txt").c_str()));
    EXPECT_FALSE(FILE_FUNCTIONS::EXIST(At("h*.txt").c_str()));
    SetFileAttributesA(At("readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Files, TryCreateMakesAnEmptyFileOrAnswersMinusOne)
{
    Write("full.txt", "content");
    EXPECT_EQ(FILE_FUNCTIONS::TRYCREATE(At("full.txt").c_str()), 0);
    EXPECT_EQ(Read("full.txt"), "");
    EXPECT_EQ(FILE_FUNCTIONS::TRYCREATE(At("new.txt").c_str()), 0);
    EXPECT_EQ(Read("new.txt"), "");
    EXPECT_EQ(FILE_FUNCTIONS::TRYCREATE(At("nofolder\\x.txt").c_str()), -1);
    Write("locked.txt", "keep", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(FILE_FUNCTIONS::TRYCREATE(At("locked.txt").c_str()), -1);
    SetFileAttributesA(At("locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Read("locked.txt"), "keep");
}

TEST_F(Files, CopyCarriesBytesTimeAndAttributes)
{
    std::string bytes;
    for (int i = 0; i < 40000; ++i)  // more than two chunks, with CR, LF and NUL bytes
        bytes.push_back(static_cast<char>(i * 7));
    Write("src.bin", bytes);
    SetOddTime(At("src.bin"));
    SetAttributes("src.bin", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    DWORD source_attributes = GetFileAttributesA(At("src.bin").c_str()) & 0x27u;
    ASSERT_EQ(source_attributes & 7u, 7u);
    ASSERT_TRUE(FILE_FUNCTIONS::COPY(At("src.bin").c_str(), At("dst.bin").c_str()));
    EXPECT_EQ(Read("dst.bin"), bytes);
    EXPECT_EQ(GetFileAttributesA(At("dst.bin").c_str()) & 0x27u, source_attributes);
    SYSTEMTIME copied = LocalTime(LastWrite(At("dst.bin")));
    EXPECT_EQ(copied.wYear, 2007);
    EXPECT_EQ(copied.wHour, 10);
    EXPECT_EQ(copied.wMinute, 21);
    EXPECT_EQ(copied.wSecond, 32);  // packed time: even seconds
    EXPECT_EQ(copied.wMilliseconds, 0);
    SetFileAttributesA(At("src.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(At("dst.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Files, CopyOfAnEmptyFileIsAnEmptyFile)
{
    Write("empty", "");
    Write("dst", "old content");
    EXPECT_TRUE(FILE_FUNCTIONS::COPY(At("empty").c_str(), At("dst").c_str()));
    EXPECT_EQ(Read("dst"), "");
}

TEST_F(Files, CopyFailuresSayWhatFailed)
{
    std::string src = At("none.bin"), dst = At("dst.bin");
    std::string out = Captured([&] { EXPECT_FALSE(FILE_FUNCTIONS::COPY(src.c_str(), dst.c_str())); });
    EXPECT_EQ(out, "Cannot open source file  " + src + "\n");

    Write("src.bin", "abc");
    src = At("src.bin");
    dst = At("nofolder\\dst.bin");
    out = Captured([&] { EXPECT_FALSE(FILE_FUNCTIONS::COPY(src.c_str(), dst.c_str())); });
    EXPECT_EQ(out, "Cannot create destination file  " + dst + "\n");
}

TEST_F(Files, MkTreeCreatesTheMissingChain)
{
    Mkdir("a");
    EXPECT_EQ(FILE_FUNCTIONS::MKTREE(At("a\\b\\c").c_str()), 2);
    EXPECT_TRUE(IsDir("a\\b\\c"));
    EXPECT_EQ(FILE_FUNCTIONS::MKTREE(At("a\\b\\c").c_str()), 0);
    EXPECT_EQ(FILE_FUNCTIONS::MKTREE(At("x\\y\\file.txt").c_str()), 2);
    EXPECT_TRUE(IsDir("x\\y"));
    EXPECT_FALSE(IsDir("x\\y\\file.txt"));
    EXPECT_EQ(FILE_FUNCTIONS::MKTREE(At("x\\\\z\\").c_str()), 1);  // empty pieces skipped
    EXPECT_TRUE(IsDir("x\\z"));
}

TEST_F(Files, CheckFilesListsEachMissingFileThenAndSoOn)
{
    Write("layout.inf", "x");
    Write("WINNT32.EXE", "x");
    const FileNameEntry table[] = {"layout.inf", "", "TXTSETUP.SIF", "WINNT32.EXE", "dosnet.inf"};
    bool all = true;
    std::string out = Captured([&] { all = FILE_FUNCTIONS::CHECKFILES(dir.c_str(), table, 5); });
    EXPECT_FALSE(all);
    EXPECT_EQ(out, " -- No file TXTSETUP.SIF\n -- No file dosnet.inf\nand so on\n");

    const FileNameEntry present[] = {"layout.inf", "WINNT32.EXE"};
    out = Captured([&] { all = FILE_FUNCTIONS::CHECKFILES(dir.c_str(), present, 2); });
    EXPECT_TRUE(all);
    EXPECT_EQ(out, "");
}

TEST_F(Files, CheckFilesWithoutAFolderLooksInTheCurrentOne)
{
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    Write("here.txt", "x");
    SetCurrentDirectoryA(dir.c_str());
    const FileNameEntry table[] = {"here.txt"};
    EXPECT_TRUE(FILE_FUNCTIONS::CHECKFILES(nullptr, table, 1));
    SetCurrentDirectoryA(old);
}

TEST_F(Files, WorkDirPrefersTheProgramFolderAndLeavesNoProbe)
{
    char out[PATH_BUF];
    std::string program = At("tool.exe");
    ASSERT_NE(FILE_FUNCTIONS::WORKDIR(program.c_str(), out), nullptr);
    EXPECT_EQ(std::string(out), dir);
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(At("*").c_str(), &found);
    int entries = 0;
    do {
        if (found.cFileName[0] != '.')
            ++entries;
    } while (FindNextFileA(h, &found));
    FindClose(h);
    EXPECT_EQ(entries, 0);
}

TEST_F(Files, WorkDirFallsBackToTmpTempRamdThenC)
{
    // A folder that does not exist cannot take a probe file.
    std::string program = At("missing\\tool.exe");
    struct Case {
        const char *tmp, *temp, *ramd, *expected;
    } cases[] = {
        {"C:\\TEMP", "D:\\t", "R:", "C:\\TEMP\\"},
        {nullptr, "D:\\t", "R:", "D:\\t\\"},
        {nullptr, nullptr, "R:", "R:\\"},
        {nullptr, nullptr, nullptr, "C:\\"},
    };
    for (const Case &c : cases) {
        SetEnvironmentVariableA("TMP", c.tmp);
        SetEnvironmentVariableA("TEMP", c.temp);
        SetEnvironmentVariableA("RAMD", c.ramd);
        _putenv((std::string("TMP=") + (c.tmp ? c.tmp : "")).c_str());
        _putenv((std::string("TEMP=") + (c.temp ? c.temp : "")).c_str());
        _putenv((std::string("RAMD=") + (c.ramd ? c.ramd : "")).c_str());
        char out[PATH_BUF];
        ASSERT_NE(FILE_FUNCTIONS::WORKDIR(program.c_str(), out), nullptr);
        EXPECT_EQ(std::string(out), c.expected);
    }
}
