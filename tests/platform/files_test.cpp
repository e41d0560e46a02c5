// File helpers of the platform layer, the same on every system.
#include "platform/files.h"
#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using testing_support::fileExists;
using testing_support::readFile;
using testing_support::WorkDir;
using testing_support::writeFile;

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FindFiles, ReturnsMatchingFileNamesWithoutFolder) {
    WorkDir dir;
    writeFile("Plugins\\a.ini", "");
    writeFile("Plugins\\b.ini", "");
    writeFile("Plugins\\c.txt", "");
    EXPECT_EQ(sorted(platform::findFiles("Plugins\\*.ini")),
              (std::vector<std::string>{"a.ini", "b.ini"}));
    EXPECT_EQ(sorted(platform::findFiles("Plugins\\?.txt")),
              (std::vector<std::string>{"c.txt"}));
}

TEST(FindFiles, SearchesTheCurrentFolderWithoutSeparator) {
    WorkDir dir;
    writeFile("Vexa2.ini", "");
    EXPECT_EQ(platform::findFiles("*.ini"), (std::vector<std::string>{"Vexa2.ini"}));
}

TEST(FindFiles, SkipsFolders) {
    WorkDir dir;
    std::filesystem::create_directory("Plugins/folder.ini");
    writeFile("Plugins\\real.ini", "");
    EXPECT_EQ(platform::findFiles("Plugins\\*.ini"), (std::vector<std::string>{"real.ini"}));
}

// Windows also matches a long name through its 8.3 alias ("notes.ini.bak"
// is "NOTES~1.INI"); only the real name may match.
TEST(FindFiles, MatchesTheLongNameOnly) {
    WorkDir dir;
    writeFile("Plugins\\notes.ini.bak", "");
    writeFile("Plugins\\settings.inix", "");
    writeFile("Plugins\\Longer Name With Blanks.ini", "");
    EXPECT_EQ(platform::findFiles("Plugins\\*.ini"),
              (std::vector<std::string>{"Longer Name With Blanks.ini"}));
}

TEST(FindFiles, MissingFolderGivesNothing) {
    WorkDir dir;
    EXPECT_TRUE(platform::findFiles("NoSuchFolder\\*.ini").empty());
    EXPECT_TRUE(platform::findFiles("Plugins\\*.ini").empty());
}

TEST(ReplaceFile, ReplacesAnExistingFileWithTheNewContent) {
    WorkDir dir;
    writeFile("Plugins\\data.txt", "old");
    writeFile("Plugins\\data.txt.tmp", "new");
    EXPECT_TRUE(platform::replaceFile("Plugins\\data.txt.tmp", "Plugins\\data.txt"));
    EXPECT_EQ(readFile("Plugins\\data.txt"), "new");
    EXPECT_FALSE(fileExists("Plugins\\data.txt.tmp"));
}

TEST(ReplaceFile, MovesWhenTheTargetIsMissing) {
    WorkDir dir;
    writeFile("Plugins\\data.txt.tmp", "new");
    EXPECT_TRUE(platform::replaceFile("Plugins\\data.txt.tmp", "Plugins\\data.txt"));
    EXPECT_EQ(readFile("Plugins\\data.txt"), "new");
}

TEST(ReplaceFile, FailureKeepsTheOldFile) {
    WorkDir dir;
    writeFile("Plugins\\data.txt", "old");
    EXPECT_FALSE(platform::replaceFile("Plugins\\missing.tmp", "Plugins\\data.txt"));
    EXPECT_EQ(readFile("Plugins\\data.txt"), "old");
}

TEST(RemoveFile, RemovesAndIgnoresMissingFiles) {
    WorkDir dir;
    writeFile("Plugins\\gone.txt", "x");
    platform::removeFile("Plugins\\gone.txt");
    EXPECT_FALSE(fileExists("Plugins\\gone.txt"));
    platform::removeFile("Plugins\\gone.txt");
    platform::removeFile("NoSuchFolder\\gone.txt");
}

TEST(OpenFile, KeepsBytesExactly) {
    WorkDir dir;
    std::FILE *file = platform::openFile("Plugins\\bytes.bin", "wb");
    ASSERT_NE(file, nullptr);
    const char bytes[] = "a\r\nb\nc\x1a" "d";
    std::fwrite(bytes, 1, sizeof bytes - 1, file);
    std::fclose(file);
    EXPECT_EQ(readFile("Plugins\\bytes.bin"), std::string(bytes, sizeof bytes - 1));
}

}  // namespace
