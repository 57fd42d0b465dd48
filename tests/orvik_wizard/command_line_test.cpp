#include "orvik/wizard/window/command_line.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

TEST(JoinArguments, TakesEverythingAfterTheProgramName) {
    const char* argv[] = {"/opt/orvik", "-f", "/tmp/my profiles/working.psd"};
    EXPECT_EQ(JoinArguments(3, argv), "-f /tmp/my profiles/working.psd");
    EXPECT_EQ(JoinArguments(1, argv), "");
}

struct OptionCase {
    const char* line;
    int start;  // -1: no option
    const char* file;
};

class LoadOptionTest : public testing::TestWithParam<OptionCase> {};

TEST_P(LoadOptionTest, FindsTheOptionAndItsFile) {
    const std::optional<std::size_t> start = FindLoadOption(GetParam().line);
    ASSERT_EQ(start ? static_cast<int>(*start) : -1, GetParam().start);
    if (start) {
        EXPECT_EQ(LoadOptionFileName(GetParam().line, *start), GetParam().file);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, LoadOptionTest,
                         testing::Values(OptionCase{"-f /tmp/a.psd", 0, "/tmp/a.psd"},
                                         OptionCase{"-f /tmp/my-files/a.psd", 0, "/tmp/my-files/a.psd"},
                                         OptionCase{"-x -f b.psd", 3, "b.psd"},
                                         OptionCase{"-f", 0, ""},
                                         OptionCase{"/tmp/my-file.psd", -1, ""},
                                         OptionCase{"", -1, ""}));

}  // namespace
}  // namespace orvik
