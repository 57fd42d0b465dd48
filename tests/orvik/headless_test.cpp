#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "orvik/definition/location_address.h"
#include "orvik/wizard/definition_check.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;

// Four-byte locations L00 to L3F covering 0x00 to 0xFF, except the ones left out.
std::string CoveringLocations(const std::vector<int>& leftOut = {}) {
    std::string locations;
    for (int n = 0; n < 64; ++n) {
        if (std::find(leftOut.begin(), leftOut.end(), n) != leftOut.end()) continue;
        char id[8];
        std::snprintf(id, sizeof id, "L%02X", n);
        locations += "<loc id=\"" + std::string(id) + "\" address=\"" + FormatLocationAddress(static_cast<uint32_t>(4 * n)) +
                     "\" length=\"4\" eval=\"Rate\"/>";
    }
    return locations;
}

std::string Definition(const std::string& steps, const std::string& memory) {
    return "<profile-wizard><steps><step name=\"S\"><entry id=\"Rate\" min=\"0\" max=\"Limit\" eval=\"L00&amp;255\"/>"
           "<entry id=\"Limit\" default=\"10\"/><enable id=\"Heat\"/><entry id=\"Temp\" en-id=\"Heat\"/>"
           "<choose id=\"Mode\" en-id=\"disabled\"><option name=\"Fast\"><preset id=\"Gain\" val=\"2\"/></option>"
           "</choose><entry id=\"Level\" max=\"Gain*2\" depend-id=\"Mode\" depend-val=\"Fast\"/></step>" +
           steps + "</steps><memory>" + memory + "</memory></profile-wizard>";
}

struct CheckCase {
    std::string name;
    std::string steps;
    std::string memory;
    std::vector<std::string> problems;
};

class CheckDefinitionTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckDefinitionTest, ListsEveryProblem) {
    ProfileDefinition definition;
    definition.LoadText(Definition(GetParam().steps, GetParam().memory));
    EXPECT_EQ(CheckDefinition(definition), GetParam().problems);
}

const CheckCase kCheckDefinitionRows[] = {
    CheckCase{"Clean", "<step name=\"T\" depend-eqn=\"Heat&amp;&amp;Rate&gt;1\"/>", CoveringLocations(), {}},
    CheckCase{"DuplicateLocation",
              "",
              CoveringLocations() + "<loc id=\"L00\" address=\"0x100\" length=\"1\"/>",
              {"Duplicate ID found: L00 (the wizard ignores every later loc)"}},
    CheckCase{"CheckBoxOnOtherStep",
              "<step name=\"T\"><entry id=\"Late\" en-id=\"Heat\"/></step>",
              CoveringLocations(),
              {"step \"T\", entry \"Late\": en-id \"Heat\" names no check box on this step"}},
    CheckCase{"LimitDoesNotCompile",
              "<step name=\"T\"><entry id=\"X\" max=\"Limit=3\"/></step>",
              CoveringLocations(),
              {"step \"T\", entry \"X\": max \"Limit=3\": = is not a supported operator"}},
    CheckCase{"LimitNamesMissingValue",
              "<step><entry id=\"X\" min=\"Floor\" max=\"\"/></step>",
              CoveringLocations(),
              {"unnamed step, entry \"X\": min \"Floor\": Variable Floor not found.",
               "unnamed step, entry \"X\": max \"\": Empty expression"}},
    CheckCase{"ValueEvalNamesMissingLocation",
              "<step name=\"T\"><enable id=\"B\" eval=\"Loc_B&amp;1\"/></step>",
              CoveringLocations(),
              {"step \"T\", enable \"B\": eval \"Loc_B&1\": Variable Loc_B not found."}},
    CheckCase{"LocationEvalNamesMissingValue",
              "",
              CoveringLocations() + "<loc id=\"Extra\" address=\"0x100\" length=\"1\" eval=\"Ghost+Ghost\"/>",
              {"loc \"Extra\": eval \"Ghost+Ghost\": Variable Ghost not found."}},
    CheckCase{"AvailabilityRules",
              "<step name=\"T\" depend-eqn=\"Mode=1\"><entry id=\"X\" depend-id=\"Nothing\" depend-val=\"1\"/>"
              "<entry id=\"Y\" depend-id=\"Mode\"/></step>",
              CoveringLocations(),
              {"step \"T\": depend-eqn \"Mode=1\": = is not a supported operator",
               "step \"T\", entry \"X\": depend-id \"Nothing\" names no value",
               "step \"T\", entry \"Y\": depend-id \"Mode\" without depend-val is ignored"}},
    CheckCase{"OverlappingLocations",
              "",
              CoveringLocations() + "<loc id=\"Over\" address=\"0x02\" length=\"1\"/>",
              {"Location L00 (0x00, 4 bytes) and Location Over (0x02, 1 byte) overlap"}},
    CheckCase{"LocationAcrossRecords",
              "",
              CoveringLocations() + "<loc id=\"Cross\" address=\"0x10F\" length=\"2\"/>",
              {"Location Cross (0x10F, 2 bytes) crosses a 16-byte record boundary, so a saved profile cannot be "
               "loaded again"}},
    CheckCase{"UncoveredOffsets",
              "",
              CoveringLocations({8, 63}) + "<loc id=\"Part\" address=\"0xFC\" length=\"3\"/>",
              {"Offsets 0x20 to 0x23 are covered by no location", "Offset 0xFF is covered by no location"}},
    CheckCase{"EachOverlapOnce",
              "",
              CoveringLocations() + "<loc id=\"A\" address=\"0x00\" length=\"2\"/><loc id=\"B\" address=\"0x01\" length=\"4\"/>",
              {"Location L00 (0x00, 4 bytes) and Location A (0x00, 2 bytes) overlap",
               "Location L00 (0x00, 4 bytes) and Location B (0x01, 4 bytes) overlap",
               "Location B (0x01, 4 bytes) and Location L01 (0x04, 4 bytes) overlap"}},
    // The fault of a sealed lead-acid pack: a current allowed for 1C breaks 0.3C.
    CheckCase{"DefaultOutsideBoundsUnderAnOption",
              "<step name=\"T\"><choose id=\"Chem\" default=\"NiMH\"><option name=\"NiMH\"><preset id=\"CRate\" "
              "val=\"1\"/></option><option name=\"Lead\"><preset id=\"CRate\" val=\"0.3\"/></option></choose>"
              "<entry id=\"Cap\" default=\"2000\" min=\"1\" max=\"65535\"/>"
              "<entry id=\"Imax\" default=\"1000\" min=\"1\" max=\"Cap*CRate\"/></step>",
              CoveringLocations(),
              {"option \"Lead\" of \"Chem\": entry \"Imax\" starts at 1000, which is outside its bounds (Min: 1  Max: 600)"}},
    CheckCase{"PresetOutsideItsBounds",
              "<step name=\"T\"><choose id=\"Pack\"><option name=\"Small\"><preset id=\"Cells\" val=\"4\"/>"
              "</option><option name=\"Big\"><preset id=\"Cells\" val=\"40\"/></option><option name=\"Odd\">"
              "<preset id=\"Cells\" val=\"many\"/></option></choose><entry id=\"Cells\" min=\"1\" max=\"24\"/></step>",
              CoveringLocations(),
              {"option \"Big\" of \"Pack\": entry \"Cells\" starts at 40, which is outside its bounds (Min: 1  Max: 24)",
               "option \"Odd\" of \"Pack\": entry \"Cells\" starts at many, which is not a number"}},
    CheckCase{"UnusableLocations",
              "",
              CoveringLocations() + "<loc id=\"Bad\" address=\"0x300\" length=\"1\"/><loc address=\"0x101\"/>",
              {"Location Bad has the address 0x300; an address is 0x00 to 0x1FF.",
               "A loc without id is ignored (address \"0x101\")"}},
};

INSTANTIATE_TEST_SUITE_P(CheckDefinition, CheckDefinitionTest, testing::ValuesIn(kCheckDefinitionRows),
                         [](const testing::TestParamInfo<CheckCase>& testInfo) { return testInfo.param.name; });

// Overlaps are found by owner, not pairwise: thousands of locations on one
// address give one line each, where pairs would need gigabytes.
TEST(CheckDefinitionScaleTest, ManyLocationsOnOneAddressGiveOneProblemEach) {
    constexpr int kStacked = 10000;
    std::string memory = CoveringLocations();
    for (int n = 0; n < kStacked; ++n) {
        memory += "<loc id=\"S" + std::to_string(n) + "\" address=\"0x10\" length=\"2\"/>";
    }
    ProfileDefinition definition;
    definition.LoadText(Definition("", memory));
    const std::vector<std::string> problems = CheckDefinition(definition);
    ASSERT_EQ(problems.size(), static_cast<std::size_t>(kStacked));
    EXPECT_EQ(problems.front(), "Location L04 (0x10, 4 bytes) and Location S0 (0x10, 2 bytes) overlap");
}

// The definition we ship passes every check, its presets' bounds included.
TEST(ShippedDefinitionTest, PassesTheCheck) {
    ProfileDefinition definition;
    definition.LoadFile(ORVIK_SHIPPED_PROFILE);
    EXPECT_EQ(CheckDefinition(definition), std::vector<std::string>{});
}

// Runs the built program; its exit code, standard output and standard error.
struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadWhole(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Quote(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ProgramRun RunOrvik(const std::vector<std::string>& args, const fs::path& directory = fs::temp_directory_path()) {
    // CTest runs cases in parallel processes: the capture files carry the process id.
    static int runs = 0;
    const std::string tag = std::to_string(::getpid()) + "_" + std::to_string(runs++);
    const fs::path out = directory / ("orvik_headless_out_" + tag + ".txt");
    const fs::path err = directory / ("orvik_headless_err_" + tag + ".txt");
    std::string command = "cd " + Quote(directory.string()) + " && " + Quote(ORVIK_PROGRAM);
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " >" + Quote(out.string()) + " 2>" + Quote(err.string());
    const int status = std::system(command.c_str());
    ProgramRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadWhole(out);
    run.err = ReadWhole(err);
    fs::remove(out);
    fs::remove(err);
    return run;
}

TEST(HeadlessEvalTest, PrintsResultAndExitsZero) {
    const ProgramRun run = RunOrvik({"--eval", "Rate * 2 + 0x10", "Rate=21", "Mode=fast"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "58\n");
    EXPECT_EQ(run.err, "");
}

TEST(HeadlessEvalTest, PrintsFailureAndExitsOne) {
    const ProgramRun missing = RunOrvik({"--eval", "Foo+1"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Variable Foo not found.\n");

    const ProgramRun compile = RunOrvik({"--eval", "a=b"});
    EXPECT_EQ(compile.exitCode, 1);
    EXPECT_EQ(compile.err, "= is not a supported operator\n");
}

TEST(HeadlessEvalTest, RejectsMalformedArguments) {
    EXPECT_EQ(RunOrvik({"--eval"}).exitCode, 2);
    EXPECT_EQ(RunOrvik({"--eval", "1", "novalue"}).exitCode, 2);
}

class HeadlessCheckTest : public testing::Test {
protected:
    void SetUp() override {
        directory_ = fs::temp_directory_path() / ("orvik_check_" + std::to_string(::getpid()));
        fs::create_directories(directory_);
    }
    void TearDown() override { fs::remove_all(directory_); }

    void WriteDefinition(const std::string& name, const std::string& xml) { std::ofstream(directory_ / name) << xml; }

    fs::path directory_;
};

TEST_F(HeadlessCheckTest, ListsProblemsAndExitsOne) {
    WriteDefinition("faulty.xml",
                    Definition("<step name=\"T\"><entry id=\"X\" en-id=\"Heat\" max=\"Top\"/></step>",
                               CoveringLocations({1}) + "<loc id=\"L00\" address=\"0x04\" length=\"1\"/>"));
    const ProgramRun run = RunOrvik({"--check", "faulty.xml"}, directory_);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
              "Duplicate ID found: L00 (the wizard ignores every later loc)\n"
              "step \"T\", entry \"X\": max \"Top\": Variable Top not found.\n"
              "step \"T\", entry \"X\": en-id \"Heat\" names no check box on this step\n"
              "Offsets 0x04 to 0x07 are covered by no location\n");
}

TEST_F(HeadlessCheckTest, CleanDefaultFileIsOk) {
    WriteDefinition("profile.xml", Definition("", CoveringLocations()));
    const ProgramRun run = RunOrvik({"--check"}, directory_);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "OK\n");
}

TEST_F(HeadlessCheckTest, UnreadableDefinitionExitsOne) {
    WriteDefinition("broken.xml", "<profile-wizard><steps>");
    const ProgramRun broken = RunOrvik({"--check", "broken.xml"}, directory_);
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out.rfind("broken.xml is not valid XML: ", 0), 0u) << broken.out;

    const ProgramRun missing = RunOrvik({"--check"}, directory_);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "Cannot open " + (directory_ / "profile.xml").string() + ": No such file or directory\n");
}

// Help needs no display: the toolkit is never started for it.
TEST_F(HeadlessCheckTest, HelpPrintsTheUsageWithoutADisplay) {
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display != nullptr ? display : "";
    ::unsetenv("DISPLAY");
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);  // as on a desktop: would abort without a display
    const ProgramRun run = RunOrvik({"--help"}, directory_);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (display != nullptr) ::setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("usage: orvik [-f PROFILE]\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("--check"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace orvik
