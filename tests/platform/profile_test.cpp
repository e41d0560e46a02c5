// Runs the INI case table against this platform's profile functions: our
// own implementation natively, the system's API on Windows.
#include "platform/profile.h"
#include "tests/platform/profile_cases.h"
#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>

namespace profile_cases {

void PrintTo(const ProfileCase &c, std::ostream *out) { *out << c.name; }

}  // namespace profile_cases

namespace {

using profile_cases::Call;
using profile_cases::ProfileCase;
using testing_support::fileExists;
using testing_support::readFile;
using testing_support::WorkDir;
using testing_support::writeFile;

std::set<std::string> filesIn(const std::string &folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(folder, error))
        names.insert(entry.path().filename().string());
    return names;
}

class ProfileCaseTest : public testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileCaseTest, Behaves) {
    const ProfileCase &c = GetParam();
    WorkDir dir;
    if (c.before) writeFile(c.fileName, *c.before);

    if (c.call == Call::Read) {
        EXPECT_EQ(platform::readProfileString(c.section, c.key, c.value, c.fileName,
                                              c.bufferSize),
                  c.expectedValue);
    } else {
        EXPECT_EQ(platform::writeProfileString(c.section, c.key, c.value, c.fileName),
                  c.expectedSuccess);
    }

    if (c.after) {
        ASSERT_TRUE(fileExists(c.fileName));
        EXPECT_EQ(readFile(c.fileName), *c.after);
    } else {
        EXPECT_FALSE(fileExists(c.fileName));
    }
    // Nothing else is left behind, such as a half-written temporary file.
    const std::set<std::string> expected =
        c.after && c.fileName.rfind("Plugins\\", 0) == 0 ? std::set<std::string>{"case.ini"}
                                                          : std::set<std::string>{};
    EXPECT_EQ(filesIn("Plugins"), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileCaseTest,
                         testing::ValuesIn(profile_cases::allCases()),
                         [](const testing::TestParamInfo<ProfileCase> &info) {
                             return info.param.name;
                         });

TEST(ProfileCaseTable, NamesAreUnique) {
    std::set<std::string> names;
    for (const ProfileCase &c : profile_cases::allCases())
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
}

// The plug-in's own use: a value written is read back, across repeated
// writes that each rewrite the file.
TEST(Profile, WrittenValuesReadBack) {
    WorkDir dir;
    const std::string ini = "Plugins\\Morvantia.ini";
    ASSERT_TRUE(platform::writeProfileString("Settings", "Start", "1", ini));
    ASSERT_TRUE(platform::writeProfileString("Settings", "Claimed", "1234", ini));
    ASSERT_TRUE(platform::writeProfileString("Settings", "Start", "0", ini));
    EXPECT_EQ(platform::readProfileString("Settings", "Start", "", ini), "0");
    EXPECT_EQ(platform::readProfileString("Settings", "Claimed", "", ini), "1234");
    EXPECT_EQ(readFile(ini), "[Settings]\r\nStart=0\r\nClaimed=1234\r\n");
}

}  // namespace
