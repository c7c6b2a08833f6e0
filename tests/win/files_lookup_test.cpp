// The lookup folder test, the attribute-keeping copy and the "\i386" probe.
#include "files_common.h"

class Lookup : public Files {};

TEST_F(Lookup, DirExistLooksTheEntryUp)
{
    Mkdir("folder");
    Mkdir("hidden");
    SetFileAttributesA(At("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Write("file.txt", "x");
    EXPECT_TRUE(FILE_FUNCTIONS::DIREXIST(At("folder").c_str()));
    EXPECT_TRUE(FILE_FUNCTIONS::DIREXIST(At("hidden").c_str()));
    EXPECT_FALSE(FILE_FUNCTIONS::DIREXIST(At("folder\\").c_str()));
    EXPECT_FALSE(FILE_FUNCTIONS::DIREXIST("C:\\"));
    EXPECT_FALSE(FILE_FUNCTIONS::DIREXIST(At("file.txt").c_str()));
    EXPECT_FALSE(FILE_FUNCTIONS::DIREXIST(At("none").c_str()));
}

TEST_F(Lookup, KeepingCopyGivesTheSourceItsAttributesBackOnEveryWayOut)
{
    const DWORD attrs = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE;
    Write("src", "data", attrs);
    EXPECT_TRUE(FILE_FUNCTIONS::COPY(At("src").c_str(), At("dst").c_str()));
    EXPECT_EQ(GetFileAttributesA(At("src").c_str()) & 0x27u, attrs);
    EXPECT_EQ(GetFileAttributesA(At("dst").c_str()) & 0x27u, attrs);
    Captured([&] { EXPECT_FALSE(FILE_FUNCTIONS::COPY(At("src").c_str(), At("no\\dst").c_str())); });
    EXPECT_EQ(GetFileAttributesA(At("src").c_str()) & 0x27u, attrs);
    SetFileAttributesA(At("src").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(At("dst").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Lookup, ProbeFindsThePlatformFolder)
{
    Mkdir("x86");
    Mkdir("x86\\i386");
    Write("x86\\i386\\DOSNET.INF", "");
    Mkdir("x64");
    Mkdir("x64\\I386");  // boot files only, no DOSNET.INF
    Mkdir("x64\\AMD64");
    Write("x64\\AMD64\\DOSNET.INF", "");
    Mkdir("both");
    Mkdir("both\\i386");
    Write("both\\i386\\DOSNET.INF", "");
    Mkdir("both\\amd64");
    Write("both\\amd64\\DOSNET.INF", "");
    Mkdir("fake");
    Mkdir("fake\\i386");
    Mkdir("fake\\i386\\DOSNET.INF");  // a folder does not count
    Mkdir("i386old");
    struct Case {
        const char *given;
        int code;
        const char *result;
    } cases[] = {
        {"x86", 1, "x86\\i386"},       {"x86\\I386", 1, "x86\\i386"},  {"x64", 2, "x64\\AMD64"},
        {"x64\\amd64", 2, "x64\\AMD64"}, {"both", 1, "both\\i386"},    {"fake", 0, "fake\\AMD64"},
        {"i386old", 0, "i386old\\AMD64"},
    };
    for (const Case &c : cases) {
        char path[PATH_BUF + 8];
        strcpy(path, At(c.given).c_str());
        EXPECT_EQ(FixatePlatform(path, sizeof path), c.code) << c.given;
        EXPECT_EQ(std::string(path), At(c.result)) << c.given;
    }
}
