#include <gtest/gtest.h>

#include "editor_rig.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/editors/model/bit_mask_editor.h"
#include "vantrel/editors/model/cycle_editor.h"

namespace vantrel {
namespace {

using testing_support::EditorRig;

struct TypingCase {
    const char* name;
    int row;
    const char* text;
    uint8_t offset;          // cycle 2's field the row edits
    uint16_t expectedWord;   // the word the record then holds
    const char* message;     // shown at once, or ""
};

class CycleTyping : public ::testing::TestWithParam<TypingCase> {};

// Cycle 2 (offsets 0x20..0x3F); every field starts at 7 (0.7 for the tenths field).
TEST_P(CycleTyping, TypedTextReachesTheRecordOrIsRefused) {
    const TypingCase& c = GetParam();
    EditorRig rig;
    for (int field = 3; field < 16; ++field) DecodeField(CycleField(1, field), rig.record, 7);
    CycleEditor editor(rig.context, 1);
    editor.Opened();
    editor.TextEdited(c.row, c.text);
    EXPECT_EQ(rig.Word(FieldArea::Cycle, c.offset), c.expectedWord);
    const std::vector<std::string> expected = *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
    EXPECT_EQ(rig.messages.shown, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CycleTyping,
    ::testing::Values(
        TypingCase{"Voltage", 3, "14400", 0x26, 14400, ""},
        TypingCase{"VoltageUpper", 3, "65535", 0x26, 65535, ""},
        TypingCase{"VoltageOver", 3, "65536", 0x26, 7, "Please enter a number between 0 and 65535."},
        TypingCase{"Emptied", 15, "", 0x3E, 7, "Please enter a number."},
        TypingCase{"RateDecimal", 13, "25.37", 0x3A, 253, ""},
        TypingCase{"RateUpper", 13, "6553.5", 0x3A, 65535, ""},
        TypingCase{"RateOver", 13, "6553.6", 0x3A, 7, "Please enter a number between 0 and 6553.5."},
        TypingCase{"RateWords", 13, "warm", 0x3A, 7, "Please enter a number."},
        // Typing in the capacity row is taken only by the next save.
        TypingCase{"CapacityWaits", 1, "500", 0x22, 0, ""}),
    [](const ::testing::TestParamInfo<TypingCase>& caseInfo) { return std::string(caseInfo.param.name); });

TEST(CycleEditor, CapacityRowFollowsTheFirmware) {
    for (FirmwareType firmware : {FirmwareType::Standard, FirmwareType::UPS, FirmwareType::UPS18}) {
        SCOPED_TRACE(static_cast<int>(firmware));
        EditorRig rig(firmware);
        rig.record.cycles[0].maxCapacity = 1234;
        CycleEditor editor(rig.context, 0);
        editor.SetText(CycleEditor::kCapacityRow, "99");
        editor.Opened();
        const bool ups18 = firmware == FirmwareType::UPS18;
        EXPECT_EQ(editor.RowEnabled(CycleEditor::kCapacityRow), ups18);
        EXPECT_EQ(editor.Text(CycleEditor::kCapacityRow), ups18 ? "1234" : "99");

        // A board that refuses only the capacity word: a failure only with UPS18.
        rig.board.result = [](std::size_t, const testing_support::FakeBoard::Call& call) {
            return call.command == 0xA0 && call.data == 0x102 ? 1 : 0;
        };
        EXPECT_EQ(editor.Read(), ups18 ? 1 : 0);
        EXPECT_EQ(rig.messages.shown.size(), ups18 ? 1u : 0u);
        EXPECT_EQ(rig.record.CommBusy, 0);
    }
}

TEST(CycleEditor, SaveStopsAtTheFirstBadRowAndCloseStaysOpen) {
    EditorRig rig;
    CycleEditor editor(rig.context, 0);
    editor.Opened();
    editor.SetText(3, "100");
    editor.SetText(4, "x");
    editor.SetText(5, "300");
    EXPECT_FALSE(editor.Close());
    EXPECT_EQ(rig.record.cycles[0].maxChargingVoltage, 100);
    EXPECT_EQ(rig.record.cycles[0].negativeDeltaV, 0);
    EXPECT_EQ(rig.messages.shown, std::vector<std::string>{"Please enter a number."});

    // Escape saves every row that passes.
    editor.Dismiss();
    EXPECT_EQ(rig.record.cycles[0].negativeDeltaV, 300);
    EXPECT_TRUE(editor.RebuiltAfterDismiss());
}

TEST(CycleEditor, TerminationBoxesChangeTheirBitAtOnce) {
    EditorRig rig;
    rig.record.cycles[2].terminationFlags = 0x0005;
    CycleEditor editor(rig.context, 2);
    editor.Opened();
    auto termination = editor.MaskEditorFor(CycleEditor::kTerminationRow);
    ASSERT_NE(termination, nullptr);
    EXPECT_EQ(termination->Table().caption, "Cycle 3 - Charge Termination");
    termination->Opened();
    EXPECT_TRUE(termination->Checked(0));
    EXPECT_FALSE(termination->Checked(1));
    EXPECT_FALSE(termination->ControlEnabled(13));

    for (int round = 0; round < 2; ++round) {
        termination->CheckToggled(4, true);
        EXPECT_EQ(rig.record.cycles[2].terminationFlags, 0x0015);
        termination->CheckToggled(4, false);
    }
    EXPECT_EQ(rig.record.cycles[2].terminationFlags, 0x0005);

    // Unchecking the row's box disables "Ch Term".
    editor.CheckToggled(CycleEditor::kTerminationRow, false);
    EXPECT_FALSE(editor.ControlEnabled(CycleEditor::kTerminationRow));
    EXPECT_EQ(editor.MaskEditorFor(CycleEditor::kTerminationRow), nullptr);
}

TEST(CycleEditor, WriteMovesTheCycleThenTheCapacityAndShowsTheRecord) {
    EditorRig rig;
    CycleEditor editor(rig.context, 1);
    editor.Opened();
    editor.SetText(CycleEditor::kCapacityRow, "4660");
    editor.TextEdited(CycleEditor::kRateRow, "2.3");
    ASSERT_EQ(editor.Write(), 0);
    EXPECT_EQ(rig.Addresses(), (std::vector<int>{0x20, 0x26, 0x22}));
    EXPECT_EQ(rig.DataTransactions(), 15);
    EXPECT_EQ(rig.board.eeprom[0x22] | rig.board.eeprom[0x23] << 8, 4660);
    EXPECT_EQ(rig.board.eeprom[0x3A], 23);
    EXPECT_EQ(editor.ProgressPosition(), 1);
    EXPECT_EQ(editor.ProgressHigh(), CycleEditor::kProgressLast);
    EXPECT_EQ(rig.record.CommBusy, 0);
}

TEST(CycleEditor, ReadRefusedWhileCommunicationsRun) {
    EditorRig rig;
    CycleEditor editor(rig.context, 0);
    editor.Opened();
    rig.record.CommBusy = 1;
    EXPECT_EQ(editor.Read(), 1);
    EXPECT_TRUE(rig.board.calls.empty());
    EXPECT_EQ(rig.messages.shown, std::vector<std::string>{texts::kCommunicationsInProgress});
    EXPECT_EQ(rig.record.CommBusy, 1);
}

}  // namespace
}  // namespace vantrel
