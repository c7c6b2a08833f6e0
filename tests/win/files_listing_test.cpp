// The listing folder test, the plain copy and the "\I386" probe.
#include "files_common.h"

class Listing : public Files {};

TEST_F(Listing, DirExistListsTheFolder)
{
    Mkdir("folder");
    Mkdir("hidden");
    SetFileAttributesA(At("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    Write("file.txt", "x");
    EXPECT_TRUE(FILE_FUNCTIONS::DIREXIST(At("folder").c_str()));
    EXPECT_TRUE(FILE_FUNCTIONS::DIREXIST(At("folder\\").c_str()));
    EXPECT_TRUE(FILE_FUNCTIONS::DIREXIST(At("hidden").c_str()));
    EXPECT_TRUE(FILE_FUNCTIONS::DIREXIST("C:\\"));
    EXPECT_TRUE(FILE_FUNCTIONS::DIREXIST("C:"));
    EXPECT_FALSE(FILE_FUNCTIONS::DIREXIST(At("file.txt").c_str()));
    EXPECT_FALSE(FILE_FUNCTIONS::DIREXIST(At("none").c_str()));
}

TEST_F(Listing, PlainCopyLeavesTheSourceAsItWas)
{
    Write("src", "data", FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(FILE_FUNCTIONS::COPY(At("src").c_str(), At("dst").c_str()));
    EXPECT_EQ(GetFileAttributesA(At("src").c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Read("dst"), "data");
    SetFileAttributesA(At("src").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(At("dst").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Listing, ProbeAppendsUpperCaseI386)
{
    Mkdir("dist");
    Mkdir("dist\\I386");
    Write("dist\\I386\\DOSNET.INF", "[Miscellaneous]\n");
    for (const char *given : {"dist", "dist\\i386", "dist\\I386"}) {
        char path[PATH_BUF + 8];
        strcpy(path, At(given).c_str());
        EXPECT_EQ(FixatePlatform(path, sizeof path), 1) << given;
        EXPECT_EQ(std::string(path), At("dist\\I386")) << given;
    }
}
