#include <gtest/gtest.h>

#include "editor_rig.h"
#include "vantrel/config/eeprom_transfer.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/editors/model/temperature_editors.h"

namespace vantrel {
namespace {

using testing_support::EditorRig;
using testing_support::FakeBoard;
using T = TemperatureControlEditor;
using E = SensorEditor;

TEST(SensorEditor, OpensWordZeroAsAddressReadWriteAndCommand) {
    EditorRig rig;
    rig.record.slots[5].words = {0x9387, 1000, 0x0A05};
    T control(rig.context);
    auto editor = control.SensorEditorFor(5);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Table().caption, "Temperature Sensor/Controller 5");
    editor->Opened();
    EXPECT_EQ(editor->Text(E::kAddressRow), "73");
    EXPECT_TRUE(editor->Checked(E::kReadWriteRow));
    EXPECT_EQ(editor->CommandByte(), 0x87);
    for (int bit = 0; bit < 8; ++bit) EXPECT_EQ(editor->Checked(bit), bit <= 2 || bit == 7) << bit;
    EXPECT_TRUE(editor->TcIcMode());
    EXPECT_EQ(editor->Text(E::kSetpointRow), "1000");
    EXPECT_EQ(editor->Text(E::kRelativeLowRow), "5");
    EXPECT_EQ(editor->Text(E::kRelativeHighRow), "10");
    EXPECT_EQ(editor->Text(E::kLowAlarmRow), "0");
    EXPECT_TRUE(editor->RowReadOnly(E::kHighAlarmRow));
    EXPECT_FALSE(editor->RowReadOnly(E::kSetpointRow));
}

TEST(SensorEditor, CommitBuildsTheWordsOfTheMode) {
    EditorRig rig;
    E editor(rig.context, 2);
    editor.Opened();
    editor.CheckToggled(E::kModeBitRow, true);
    editor.SetText(E::kAddressRow, "73");
    editor.SetText(E::kSetpointRow, "1000");
    editor.SetText(E::kRelativeLowRow, "5");
    editor.SetText(E::kRelativeHighRow, "10");
    ASSERT_TRUE(editor.Close());
    EXPECT_EQ(rig.record.slots[2].words, (std::array<int32_t, 3>{0x9280, 1000, 0x0A05}));

    // Back to TS-IC: the controller fields clear and the alarm fields take typing.
    editor.CheckToggled(E::kModeBitRow, false);
    EXPECT_EQ(editor.Text(E::kSetpointRow), "0");
    EXPECT_EQ(editor.Text(E::kRelativeHighRow), "0");
    EXPECT_TRUE(editor.RowReadOnly(E::kSetpointRow));
    EXPECT_FALSE(editor.RowReadOnly(E::kLowAlarmRow));
    editor.SetText(E::kLowAlarmRow, "300");
    editor.SetText(E::kHighAlarmRow, "65535");
    editor.CheckToggled(E::kReadWriteRow, true);
    ASSERT_TRUE(editor.Commit());
    EXPECT_EQ(rig.record.slots[2].words, (std::array<int32_t, 3>{0x9300, 300, 0xFFFF}));
}

TEST(SensorEditor, AFailingFieldKeepsTheSlot) {
    EditorRig rig;
    rig.record.slots[0].words = {0x0203, 4, 5};
    E editor(rig.context, 0);
    editor.Opened();
    for (const auto& [row, text, message] :
         {std::tuple{int(E::kAddressRow), "128", "Please enter an integer between 0 and 127."},
          std::tuple{int(E::kLowAlarmRow), "", "Please enter an integer."},
          std::tuple{int(E::kHighAlarmRow), "65536", "Please enter an integer between 0 and 65535."}}) {
        E fresh(rig.context, 0);
        fresh.Opened();
        fresh.CheckToggled(0, false);
        fresh.SetText(row, text);
        EXPECT_FALSE(fresh.Close());
        EXPECT_EQ(rig.messages.shown.back(), message);
        EXPECT_EQ(rig.record.slots[0].words, (std::array<int32_t, 3>{0x0203, 4, 5}));
    }
}

TEST(TemperatureControl, UpsFirmwareMovesEightSlotsThenTheActionWords) {
    EditorRig rig(FirmwareType::UPS);
    rig.board.eeprom[0x9A] = 0x03;
    rig.board.eeprom[0x9C] = 0x34;
    rig.board.eeprom[0x9D] = 0x12;
    T control(rig.context);
    control.Opened();
    EXPECT_EQ(control.Text(T::kHighActionsRow), "0X0000");
    EXPECT_FALSE(control.RowEnabled(8));
    EXPECT_TRUE(control.RowEnabled(T::kHighActionsRow));
    ASSERT_EQ(control.Read(), 0);
    std::vector<int> expected;
    for (int s = 0; s < 8; ++s) expected.push_back(0xA0 + 6 * s);
    expected.push_back(0x9A);
    expected.push_back(0x9C);
    EXPECT_EQ(rig.Addresses(), expected);
    EXPECT_EQ(rig.DataTransactions(), 24 + 2);
    EXPECT_EQ(control.Text(T::kHighActionsRow), "0X0003");
    EXPECT_EQ(control.Text(T::kNormalActionsRow), "0X1234");
    EXPECT_EQ(control.ProgressHigh(), T::kUpsProgressLast);
    EXPECT_EQ(control.ProgressPosition(), 0);
}

TEST(TemperatureControl, StandardFirmwareMovesAllSlotsAndNoActionWords) {
    EditorRig rig(FirmwareType::Standard);
    T control(rig.context);
    control.Opened();
    EXPECT_TRUE(control.RowEnabled(15));
    EXPECT_FALSE(control.RowEnabled(T::kHighActionsRow));
    ASSERT_EQ(control.Write(), 0);
    EXPECT_EQ(rig.Addresses().size(), 16u);
    EXPECT_EQ(rig.Addresses().back(), 0xA0 + 6 * 15);
    EXPECT_EQ(rig.DataTransactions(), 48);
}

TEST(TemperatureControl, AWriteStopsAtTheThirdSlotWithOneMessage) {
    EditorRig rig(FirmwareType::UPS);
    for (int s = 0; s < 3; ++s) rig.record.slots[static_cast<std::size_t>(s)].words = {s + 1, s + 1, s + 1};
    rig.board.result = [](std::size_t, const FakeBoard::Call& call) {
        return call.command == 0xA0 && call.data == 0x100 + 0xA0 + 12 ? 2 : 0;
    };
    T control(rig.context);
    control.Opened();
    control.SetText(T::kHighActionsRow, "0x55");
    EXPECT_EQ(control.Write(), 1);
    // A board that answered with a wrong acknowledgement: the stop says so, once.
    EXPECT_EQ(rig.messages.shown, std::vector<std::string>{TransferStopText(2, false)});
    EXPECT_EQ(rig.board.eeprom[0xA0], 1);
    EXPECT_EQ(rig.board.eeprom[0xA6], 2);
    EXPECT_EQ(rig.board.eeprom[0xAC], 0);
    EXPECT_EQ(rig.record.highAlarmActions, 0);  // the action words were not reached
    EXPECT_EQ(rig.record.CommBusy, 0);
    EXPECT_EQ(control.ProgressPosition(), 1);
}

TEST(TemperatureControl, ActionTextsAreHexWordsOrLeaveTheirWord) {
    EditorRig rig(FirmwareType::UPS);
    T control(rig.context);
    control.Opened();
    for (const auto& [text, expected] : {std::pair{"0x1F", 0x1F}, std::pair{"ab", 0xAB}, std::pair{"12zz", 0x12},
                                         std::pair{"zz", 0x12}, std::pair{"FFFFFF", 0x12}, std::pair{"0Xffff", 0xFFFF}}) {
        control.SetText(T::kHighActionsRow, text);
        control.Write();
        EXPECT_EQ(rig.record.highAlarmActions, expected) << text;
    }
    control.SetText(T::kNormalActionsRow, "0x12345");
    EXPECT_EQ(control.Write(), 1);
    EXPECT_EQ(rig.messages.shown.back(), "Please enter no more than 6 characters.");
}

}  // namespace
}  // namespace vantrel
