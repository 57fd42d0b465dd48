#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "orvik/definition/availability.h"
#include "orvik/definition/element.h"
#include "orvik/definition/enabling_rule.h"
#include "orvik/definition/location_address.h"
#include "orvik/definition/memory_map_reader.h"
#include "orvik/definition/profile_definition.h"
#include "orvik_test_support.h"

namespace orvik {
namespace {

using test::RecordingReporter;

std::string Wizard(const std::string& steps, const std::string& memory = "") {
    return "<profile-wizard><steps>" + steps + "</steps><memory>" + memory + "</memory></profile-wizard>";
}

struct LoadFailureCase {
    std::string name;
    std::string xml;
    std::string message;
};

class LoadFailureTest : public testing::TestWithParam<LoadFailureCase> {};

TEST_P(LoadFailureTest, ReportsWhyTheDefinitionCannotBeUsed) {
    ProfileDefinition definition;
    try {
        definition.LoadText(GetParam().xml);
        FAIL() << "loaded";
    } catch (const DefinitionError& error) {
        EXPECT_EQ(error.what(), GetParam().message);
    }
    EXPECT_FALSE(definition.Steps());
}

const LoadFailureCase kLoadTextRows[] = {
    LoadFailureCase{"Malformed", "<profile-wizard>\n<steps>\n</memory>",
                    "profile.xml is not valid XML: Start-end tags mismatch (line 3)"},
    LoadFailureCase{"Empty", "", "profile.xml is not valid XML: No document element found (line 1)"},
    LoadFailureCase{"NoRoot", "<wizard/>", "profile.xml has no \"profile-wizard\" element"},
    LoadFailureCase{"RootNameIsCaseSensitive", "<Profile-Wizard><steps><step/></steps><memory/></Profile-Wizard>",
                    "profile.xml has no \"profile-wizard\" element"},
    LoadFailureCase{"NoSteps", "<profile-wizard><memory/></profile-wizard>",
                    "profile.xml has no \"steps\" element in \"profile-wizard\""},
    LoadFailureCase{"NoStep", "<profile-wizard><steps/><memory/></profile-wizard>",
                    "profile.xml has no \"step\" element in \"steps\""},
    LoadFailureCase{"NoMemory", "<profile-wizard><steps><step/></steps></profile-wizard>",
                    "profile.xml has no \"memory\" element in \"profile-wizard\""},
};

INSTANTIATE_TEST_SUITE_P(LoadText, LoadFailureTest, testing::ValuesIn(kLoadTextRows),
                         [](const testing::TestParamInfo<LoadFailureCase>& testInfo) { return testInfo.param.name; });

// What LoadFile says about something that is no readable definition.
std::string LoadFailure(const std::string& path) {
    ProfileDefinition definition;
    try {
        definition.LoadFile(path);
    } catch (const DefinitionError& error) {
        return error.what();
    }
    return "loaded";
}

// Anything but a regular file of a sane size is refused before it is read: a
// folder is no XML, a FIFO would block the reader, a huge file would exhaust memory.
TEST(ProfileDefinitionTest, RefusesWhatIsNoRegularFileOfSaneSize) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(testing::TempDir()) / ("definition_kinds_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "sub");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::ofstream(folder / "huge.xml").close();
    fs::resize_file(folder / "huge.xml", ProfileDefinition::kLargestFileBytes + 1);  // sparse, no disk used

    EXPECT_EQ(LoadFailure("/nonexistent/profile.xml"), "Cannot open /nonexistent/profile.xml: No such file or directory");
    EXPECT_EQ(LoadFailure((folder / "sub").string()),
              "Cannot open " + (folder / "sub").string() + ": it is a folder, not a file");
    EXPECT_EQ(LoadFailure((folder / "fifo").string()),
              "Cannot open " + (folder / "fifo").string() + ": it is not a regular file");
    EXPECT_EQ(LoadFailure((folder / "huge.xml").string()),
              "Cannot open " + (folder / "huge.xml").string() + ": it has " +
                  std::to_string(ProfileDefinition::kLargestFileBytes + 1) + " bytes, more than the " +
                  std::to_string(ProfileDefinition::kLargestFileBytes) + " accepted");
    fs::remove_all(folder);
}

TEST(ProfileDefinitionTest, LoadsFileAndFindsSectionsByName) {
    const auto path = std::filesystem::path(testing::TempDir()) / "definition_test_profile.xml";
    std::ofstream(path) << "<?xml version=\"1.0\"?>\n<!-- top -->\n"
                           "<profile-wizard><other/><steps><step name=\"A\"/></steps><steps><step name=\"B\"/></steps>"
                           "<memory><loc id=\"X\"/></memory></profile-wizard>";
    ProfileDefinition definition;
    definition.LoadFile(path.string());
    EXPECT_EQ(AttributeText(definition.Steps().child("step"), "name"), "A");  // the first "steps" counts
    EXPECT_EQ(AttributeText(definition.Memory().child("loc"), "id"), "X");
    std::filesystem::remove(path);
}

TEST(ProfileDefinitionTest, KeepsCommentsAndDropsWhitespaceBetweenElements) {
    ProfileDefinition definition;
    definition.LoadText(
        Wizard("<step>\n  <choose id=\"c\">\n    <!-- first -->\n    <option name=\"a\"/>\n"
               "  </choose>\n</step>"));
    const pugi::xml_node choose = definition.Steps().child("step").child("choose");
    std::vector<pugi::xml_node_type> kinds;
    for (pugi::xml_node child : choose.children()) kinds.push_back(child.type());
    EXPECT_EQ(kinds, (std::vector<pugi::xml_node_type>{pugi::node_comment, pugi::node_element}));
}

TEST(ElementTest, AbsentAndEmptyAttributesDiffer) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<entry default=\"\" Caption=\"x\"/>"));
    const pugi::xml_node entry = document.child("entry");
    EXPECT_TRUE(HasAttribute(entry, "default"));
    EXPECT_EQ(AttributeText(entry, "default"), "");
    EXPECT_FALSE(HasAttribute(entry, "units"));
    EXPECT_EQ(AttributeText(entry, "units"), "");
    EXPECT_FALSE(HasAttribute(entry, "caption"));  // names are case-sensitive
    EXPECT_FALSE(HasAttribute(pugi::xml_node(), "id"));
}

TEST(ElementTest, TextContentJoinsAllTextBelowTheElement) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<desc>Line 1<!-- note --> and <b>bold<i>!</i></b><![CDATA[ <raw>]]></desc>",
                                     pugi::parse_default | pugi::parse_comments));
    EXPECT_EQ(TextContent(document.child("desc")), "Line 1 and bold! <raw>");
    EXPECT_EQ(TextContent(pugi::xml_node()), "");
}

// An element's availability against a fixed value table.
struct AvailabilityCase {
    std::string name;
    std::string element;
    bool available;
    std::vector<RecordingReporter::Message> messages;
};

class AvailabilityTest : public testing::TestWithParam<AvailabilityCase> {};

TEST_P(AvailabilityTest, AppliesTheRule) {
    TValMap values;
    values["Mode"].value = "1";
    values["Name"].value = "fast";
    values["Count"].value = "3";
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(GetParam().element.c_str()));
    RecordingReporter reporter;
    EXPECT_EQ(IsAvailable(document.first_child(), values, reporter), GetParam().available);
    EXPECT_EQ(reporter.messages, GetParam().messages);
}

const AvailabilityCase kIsAvailableRows[] = {
    AvailabilityCase{"NoRule", "<step/>", true, {}},
    AvailabilityCase{"TextEqual", "<step depend-id=\"Mode\" depend-val=\"1\"/>", true, {}},
    AvailabilityCase{"TextNotNumber", "<step depend-id=\"Mode\" depend-val=\"1.0\"/>", false, {}},
    AvailabilityCase{"TextCaseSensitive", "<entry depend-id=\"Name\" depend-val=\"Fast\"/>", false, {}},
    AvailabilityCase{"IdWithoutValFallsThrough", "<step depend-id=\"Mode\" depend-eqn=\"Count-3\"/>", false, {}},
    AvailabilityCase{
        "IdAndValWinOverEquation", "<step depend-id=\"Mode\" depend-val=\"1\" depend-eqn=\"0\"/>", true, {}},
    AvailabilityCase{"EquationNonZero", "<choose depend-eqn=\"Count&gt;2\"/>", true, {}},
    AvailabilityCase{"EquationZero", "<enable depend-eqn=\"Count&lt;2\"/>", false, {}},
    AvailabilityCase{"EquationFractionIsTrue", "<step depend-eqn=\"Count/4\"/>", true, {}},
    AvailabilityCase{"EquationFails",
                     "<step depend-eqn=\"Missing+1\"/>",
                     false,
                     {{"Equation error:", "Variable Missing not found."}}},
    AvailabilityCase{"EquationDoesNotCompile",
                     "<step depend-eqn=\"Count=3\"/>",
                     false,
                     {{"Equation error:", "= is not a supported operator"}}},
    AvailabilityCase{"DependIdNamesNoValue",
                     "<step depend-id=\"Ghost\" depend-val=\"\"/>",
                     false,
                     {{"Error:", MissingDependIdMessage("Ghost")}}},
};

INSTANTIATE_TEST_SUITE_P(IsAvailable, AvailabilityTest, testing::ValuesIn(kIsAvailableRows),
                         [](const testing::TestParamInfo<AvailabilityCase>& testInfo) { return testInfo.param.name; });

struct EnablingCase {
    std::string name;
    std::string element;
    EnablingRule::Kind kind;
    std::string checkBoxId;
};

class EnablingRuleTest : public testing::TestWithParam<EnablingCase> {};

TEST_P(EnablingRuleTest, ReadsEnId) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(GetParam().element.c_str()));
    const EnablingRule rule = ReadEnablingRule(document.first_child());
    EXPECT_EQ(rule.kind, GetParam().kind);
    EXPECT_EQ(rule.checkBoxId, GetParam().checkBoxId);
}

const EnablingCase kReadEnablingRuleRows[] = {
    EnablingCase{"Absent", "<entry id=\"a\"/>", EnablingRule::kAlways, ""},
    EnablingCase{"Disabled", "<entry id=\"a\" en-id=\"disabled\"/>", EnablingRule::kNever, ""},
    EnablingCase{"DisabledIsCaseSensitive", "<entry en-id=\"Disabled\"/>", EnablingRule::kCheckBox, "Disabled"},
    EnablingCase{"NamesCheckBox", "<choose id=\"c\" en-id=\"Heat\"/>", EnablingRule::kCheckBox, "Heat"},
    EnablingCase{"CheckBoxWithId", "<enable id=\"b\" en-id=\"Heat\"/>", EnablingRule::kCheckBox, "Heat"},
    EnablingCase{"CheckBoxWithoutIdIgnoresRule", "<enable en-id=\"Heat\"/>", EnablingRule::kAlways, ""},
};

INSTANTIATE_TEST_SUITE_P(ReadEnablingRule, EnablingRuleTest, testing::ValuesIn(kReadEnablingRuleRows),
                         [](const testing::TestParamInfo<EnablingCase>& testInfo) { return testInfo.param.name; });

TEST(EnablingRuleTest, NotOnPageMessageHasTwoSpaces) {
    EXPECT_EQ(NotOnPageMessage("Heat"),
              "Heat Is not available on this page.  Please correct profile.xml and try again.");
}

TEST(LocationAddressTest, ParsesAndFormatsAddresses) {
    struct Row {
        const char* text;
        std::optional<uint32_t> offset;
    };
    const Row rows[] = {{"0x00", 0},
                        {"0x1F", 0x1F},
                        {"0x1F0", 0x1F0},
                        {"0x1FF", 0x1FF},
                        {"0x1f", 0x1F},
                        {"1F", 0x1F},
                        {"0x005", 5},
                        {"0x200", std::nullopt},
                        {"0x", std::nullopt},
                        {"", std::nullopt},
                        {"0x1G", std::nullopt},
                        {"0x-1", std::nullopt},
                        {"0x00000000000000001F", 0x1F}};
    for (const Row& row : rows) EXPECT_EQ(ParseLocationAddress(row.text), row.offset) << row.text;
    EXPECT_EQ(FormatLocationAddress(5), "0x05");
    EXPECT_EQ(FormatLocationAddress(0x1F), "0x1F");
    EXPECT_EQ(FormatLocationAddress(0x1F0), "0x1F0");
}

TEST(LocationAddressTest, ParsesLengths) {
    struct Row {
        const char* text;
        std::optional<int32_t> length;
    };
    const Row rows[] = {{"1", 1},
                        {"4", 4},
                        {"02", 2},
                        {"0", std::nullopt},
                        {"5", std::nullopt},
                        {"", std::nullopt},
                        {"2 ", std::nullopt},
                        {"-1", std::nullopt},
                        {"99999999999", std::nullopt}};
    for (const Row& row : rows) EXPECT_EQ(ParseLocationLength(row.text), row.length) << row.text;
}

TEST(MemoryMapReaderTest, ReadsLocationsWithTheirAttributes) {
    pugi::xml_document document;
    ASSERT_TRUE(
        document.load_string("<memory><loc id=\"B\" address=\"0x10\" length=\"2\" default=\"7\" eval=\"R*2\"/>"
                             "<loc address=\"0x11\" length=\"1\"/><!-- no id: ignored -->"
                             "<loc id=\"A\" address=\"0x00\" length=\"1\"/></memory>"));
    RecordingReporter reporter;
    const TMemMap memory = ReadMemoryMap(document.child("memory"), reporter);
    EXPECT_TRUE(reporter.messages.empty());
    ASSERT_EQ(memory.size(), 2u);
    const TMem& b = memory.at("B");
    EXPECT_EQ(b.address, "0x10");
    EXPECT_EQ(b.length, 2);
    EXPECT_EQ(b.value, "7");
    EXPECT_EQ(b.expression, "R*2");
    EXPECT_EQ(b.element, document.child("memory").child("loc"));
    EXPECT_EQ(memory.at("A").value, "");  // no default: empty
}

TEST(MemoryMapReaderTest, DuplicateIdStopsReading) {
    pugi::xml_document document;
    ASSERT_TRUE(
        document.load_string("<memory><loc id=\"A\" address=\"0x00\" length=\"1\"/>"
                             "<loc id=\"B\" address=\"0x01\" length=\"1\"/>"
                             "<loc id=\"A\" address=\"0x02\" length=\"1\"/>"
                             "<loc id=\"C\" address=\"0x03\" length=\"1\"/></memory>"));
    RecordingReporter reporter;
    const TMemMap memory = ReadMemoryMap(document.child("memory"), reporter);
    EXPECT_EQ(reporter.messages, (std::vector<RecordingReporter::Message>{{"Error:", "Duplicate ID found: A"}}));
    ASSERT_EQ(memory.size(), 2u);
    EXPECT_EQ(memory.at("A").address, "0x00");
    EXPECT_EQ(memory.count("C"), 0u);
}

struct LayoutCase {
    std::string name;
    std::string loc;
    std::string message;
};

class LocationLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(LocationLayoutTest, UnusableLocationIsReportedAndSkipped) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(("<memory>" + GetParam().loc +
                                      "<loc id=\"Next\" address=\"0x05\" length=\"1\"/>"
                                      "</memory>")
                                         .c_str()));
    RecordingReporter reporter;
    const TMemMap memory = ReadMemoryMap(document.child("memory"), reporter);
    EXPECT_EQ(reporter.messages, (std::vector<RecordingReporter::Message>{{"Error:", GetParam().message}}));
    EXPECT_EQ(memory.count("L"), 0u);
    EXPECT_EQ(memory.count("Next"), 1u);
}

const LayoutCase kReadMemoryMapRows[] = {
    LayoutCase{"NoAddress", "<loc id=\"L\" length=\"1\"/>", "Location L has no address."},
    LayoutCase{"BadAddress", "<loc id=\"L\" address=\"0x2G\" length=\"1\"/>",
               "Location L has the address 0x2G; an address is 0x00 to 0x1FF."},
    LayoutCase{"AddressTooHigh", "<loc id=\"L\" address=\"0x200\" length=\"1\"/>",
               "Location L has the address 0x200; an address is 0x00 to 0x1FF."},
    LayoutCase{"NoLength", "<loc id=\"L\" address=\"0x01\"/>", "Location L has no length."},
    LayoutCase{"LengthTooLong", "<loc id=\"L\" address=\"0x01\" length=\"8\"/>",
               "Location L has the length 8; a length is 1 to 4."},
};

INSTANTIATE_TEST_SUITE_P(ReadMemoryMap, LocationLayoutTest, testing::ValuesIn(kReadMemoryMapRows),
                         [](const testing::TestParamInfo<LayoutCase>& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace orvik
