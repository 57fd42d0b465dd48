#include "orvik/image/value_table.h"

#include <gtest/gtest.h>

#include "orvik/definition/element.h"
#include "orvik/image/evaluate_map.h"
#include "orvik/image/presets.h"
#include "orvik_test_support.h"

namespace orvik {
namespace {

using test::RecordingReporter;

// The values defined by the children of every top-level element, in document order.
TValMap DefineAll(const pugi::xml_document& document) {
    TValMap values;
    for (pugi::xml_node step : document.children()) {
        for (pugi::xml_node child : step.children()) DefineValue(child, values);
    }
    return values;
}

pugi::xml_document Parse(const std::string& xml) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_string(xml.c_str(), pugi::parse_default | pugi::parse_comments)) << xml;
    return document;
}

TEST(ValueTableTest, ValuesStartAsDefaultOrZero) {
    const pugi::xml_document document = Parse(
        "<step><desc id=\"d\">text</desc><entry id=\"NoDefault\"/><entry id=\"Empty\" default=\"\"/>"
        "<enable id=\"Box\" default=\"1\" eval=\"Loc&amp;1\"/><note id=\"Other\" default=\"x\"/><entry caption=\"c\"/>"
        "<step id=\"Inner\"/></step>");
    const TValMap values = DefineAll(document);
    ASSERT_EQ(values.size(), 5u);
    EXPECT_EQ(values.at("NoDefault").value, "0");
    EXPECT_EQ(values.at("Empty").value, "");
    EXPECT_EQ(values.at("Box").value, "1");
    EXPECT_EQ(values.at("Box").expression, "Loc&1");
    EXPECT_EQ(values.at("Box").element, document.child("step").child("enable"));
    EXPECT_EQ(values.at("Other").value, "x");  // any element with an id defines a value
    EXPECT_EQ(values.at("d").value, "0");
    EXPECT_EQ(values.count("Inner"), 0u);
}

TEST(ValueTableTest, FirstElementOfAnIdWins) {
    const pugi::xml_document document = Parse(
        "<step name=\"A\"><entry id=\"Rate\" default=\"3\" eval=\"L1\"/></step>"
        "<step name=\"B\"><entry id=\"Rate\" default=\"9\" eval=\"L2\"/></step>");
    const TValMap values = DefineAll(document);
    EXPECT_EQ(values.at("Rate").value, "3");
    EXPECT_EQ(values.at("Rate").expression, "L1");
    EXPECT_EQ(AttributeText(values.at("Rate").element.parent(), "name"), "A");
}

TEST(ValueTableTest, PresetsOfAChooseWithIdReplaceEarlierValues) {
    const pugi::xml_document document = Parse(
        "<step><entry id=\"Rate\" default=\"9\" eval=\"L\"/></step>"
        "<step><choose id=\"Mode\" default=\"Slow\"><option name=\"Fast\"><preset id=\"Rate\" val=\"5\"/>"
        "<preset id=\"Gain\" val=\"2\"/></option></choose>"
        "<choose><option name=\"x\"><preset id=\"Unnamed\" val=\"1\"/></option></choose></step>");
    const TValMap values = DefineAll(document);
    EXPECT_EQ(values.at("Mode").value, "Slow");
    EXPECT_EQ(values.at("Rate").value, "0");
    EXPECT_FALSE(values.at("Rate").element);
    EXPECT_EQ(values.at("Rate").expression, "");
    EXPECT_EQ(values.at("Gain").value, "0");
    EXPECT_EQ(values.count("Unnamed"), 0u);  // a choose without id creates none
}

// The presets applied for a selected text, from a fixed "choose".
struct PresetCase {
    std::string name;
    std::string selected;
    std::string rate;  // the value "Rate" afterwards
};

class PresetTest : public testing::TestWithParam<PresetCase> {};

TEST_P(PresetTest, SelectsOptionByNameThenPosition) {
    const pugi::xml_document document = Parse(
        "<choose id=\"Mode\"><!-- position 0 --><option name=\"Fast\"><preset id=\"Rate\" val=\"5\"/></option>"
        "<option name=\"Slow\"><preset id=\"Rate\" val=\"1\"/></option>"
        "<option name=\"1\"><preset id=\"Rate\" val=\"named one\"/></option>"
        "<option name=\"Last\"><preset id=\"Rate\" val=\"last\"/></option></choose>");
    TValMap values;
    values["Rate"] = TVal{"", "unchanged", document.child("choose")};
    ApplyPresets(document.child("choose"), GetParam().selected, values);
    EXPECT_EQ(values.at("Rate").value, GetParam().rate);
    EXPECT_EQ(values.at("Rate").element, document.child("choose"));  // only the text changes
}

const PresetCase kApplyPresetsRows[] = {
    PresetCase{"ByName", "Fast", "5"},
    PresetCase{"NameBeforePosition", "1", "named one"},
    PresetCase{"ThirdChildNode", "2", "1"},
    PresetCase{"CommentCountsAsPosition", "0", "unchanged"},
    PresetCase{"LastChildNode", "4", "last"},
    PresetCase{"BeyondLastChild", "5", "unchanged"},
    PresetCase{"HugePosition", "99999999999999999999999", "unchanged"},
    PresetCase{"NotAnInteger", "2.0", "unchanged"},
    PresetCase{"Negative", "-1", "unchanged"},
    PresetCase{"NameIsCaseSensitive", "fast", "unchanged"},
    PresetCase{"EmptySelection", "", "unchanged"},
};

INSTANTIATE_TEST_SUITE_P(ApplyPresets, PresetTest, testing::ValuesIn(kApplyPresetsRows),
                         [](const testing::TestParamInfo<PresetCase>& testInfo) { return testInfo.param.name; });

TEST(PresetTest, CreatesMissingPresetValuesWithoutElement) {
    const pugi::xml_document document =
        Parse("<choose id=\"Mode\"><option name=\"Fast\"><preset id=\"New\" val=\"7\"/></option></choose>");
    TValMap values;
    ApplyPresets(document.child("choose"), "Fast", values);
    ASSERT_EQ(values.count("New"), 1u);
    EXPECT_EQ(values.at("New").value, "7");
    EXPECT_FALSE(values.at("New").element);
}

TEST(EvaluateMapTest, SavingComputesLocationsFromValues) {
    TValMap values;
    values["Rate"].value = "4660";
    values["Heat"].value = "1";
    TMemMap memory;
    memory["Loc_Rate"].expression = "Rate";
    memory["Loc_Flags"].expression = "Heat<<3|1";
    memory["Loc_Fixed"].value = "12";
    RecordingReporter reporter;
    EXPECT_TRUE(EvaluateMap(memory, values, reporter));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(memory.at("Loc_Rate").value, "4660");
    EXPECT_EQ(memory.at("Loc_Flags").value, "9");
    EXPECT_EQ(memory.at("Loc_Fixed").value, "12");
}

TEST(EvaluateMapTest, FirstFailureEndsTheRunInNameOrder) {
    TValMap values;
    values["Rate"].value = "2";
    TMemMap memory;
    memory["A"] = {{"Rate+1", "old", {}}, "0x00", 1};
    memory["B"] = {{"Missing*2", "old", {}}, "0x01", 1};
    memory["C"] = {{"Rate+3", "old", {}}, "0x02", 1};
    RecordingReporter reporter;
    EXPECT_FALSE(EvaluateMap(memory, values, reporter));
    EXPECT_EQ(reporter.messages,
              (std::vector<RecordingReporter::Message>{{"Evaluation Error:", "Variable Missing not found."}}));
    EXPECT_EQ(memory.at("A").value, "3");
    EXPECT_EQ(memory.at("B").value, "old");
    EXPECT_EQ(memory.at("C").value, "old");
}

TEST(EvaluateMapTest, LoadingAppliesPresetsOfComputedChoices) {
    const pugi::xml_document document = Parse(
        "<step><choose id=\"AMode\" eval=\"Loc_Mode\"><option name=\"Fast\"><preset id=\"Rate\" val=\"5\"/>"
        "<preset id=\"ZGain\" val=\"8\"/></option><option name=\"Slow\"><preset id=\"Rate\" val=\"1\"/></option>"
        "</choose><entry id=\"ZGain\" eval=\"Loc_Gain\"/></step>");
    TValMap values = DefineAll(document);
    TMemMap memory;
    memory["Loc_Mode"].value = "1";  // the option at position 1 is "Slow"
    memory["Loc_Gain"].value = "3";
    RecordingReporter reporter;
    EXPECT_TRUE(EvaluateMap(values, memory, reporter));
    EXPECT_EQ(values.at("AMode").value, "1");
    EXPECT_EQ(values.at("Rate").value, "1");
    EXPECT_EQ(values.at("ZGain").value, "0");  // the preset replaced the entry's value and its eval

    memory["Loc_Mode"].value = "0";
    values.at("ZGain").expression = "Loc_Gain";
    EXPECT_TRUE(EvaluateMap(values, memory, reporter));
    EXPECT_EQ(values.at("Rate").value, "5");
    EXPECT_EQ(values.at("ZGain").value, "3");  // a later entry overwrites the preset of "Fast"
    EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace orvik
