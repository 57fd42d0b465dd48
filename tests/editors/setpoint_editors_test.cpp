#include <gtest/gtest.h>

#include "editor_rig.h"
#include "vantrel/editors/model/bit_mask_editor.h"
#include "vantrel/editors/model/setpoints_editor.h"
#include "vantrel/editors/model/ups_settings_editor.h"

namespace vantrel {
namespace {

using testing_support::EditorRig;
using S = SetpointsEditor;

TEST(SetpointsEditor, LabelsFollowTheFirmwareButTheChecksDoNot) {
    EditorRig ups(FirmwareType::UPS);
    S editor(ups.context);
    editor.Opened();
    EXPECT_EQ(editor.Table().rows[S::kShutDownRow].description, " Minimum Battery Operating Voltage");
    EXPECT_EQ(editor.Table().rows[S::kShutDownRow].unitLabel, "0..65535 / mV");
    EXPECT_EQ(editor.Table().rows[S::kPrimaryRow].unitLabel, "0..8");
    EXPECT_FALSE(editor.RowEnabled(S::kExtendedFlagsRow));
    editor.TextEdited(S::kPrimaryRow, "16");
    EXPECT_EQ(ups.record.primaryTempDevice, 16);
    editor.TextEdited(S::kSecondaryRow, "17");
    EXPECT_EQ(ups.messages.shown, std::vector<std::string>{"Please enter a number between 0 and 16."});

    EditorRig standard(FirmwareType::Standard);
    S other(standard.context);
    other.Opened();
    EXPECT_EQ(other.Table().rows[S::kStartUpRow].description, " Start Up Delay in Turning On Power Supply Outputs");
    EXPECT_EQ(other.Table().rows[S::kStartUpRow].unitLabel, "0..65535 / Sec");
    EXPECT_EQ(other.Table().rows[S::kSecondaryRow].unitLabel, "0..16");
}

TEST(SetpointsEditor, ValuesOutsideWhatARowShowsKeepTheEdit) {
    EditorRig rig;
    S editor(rig.context);
    editor.SetText(S::kCycleCountRow, "3");
    editor.SetText(S::kPrimaryRow, "5");
    rig.record.chargeCycleCount = 0;
    rig.record.primaryTempDevice = -1;  // a board read of the byte 0xFF
    rig.record.secondaryTempDevice = 3;
    rig.record.commTimeout = 200;
    editor.Opened();
    EXPECT_EQ(editor.Text(S::kCycleCountRow), "3");
    EXPECT_EQ(editor.Text(S::kPrimaryRow), "5");
    EXPECT_EQ(editor.Text(S::kSecondaryRow), "3");
    EXPECT_EQ(editor.Text(4), "200");
}

TEST(SetpointsEditor, ByteRowsCheckTheirOwnBounds) {
    EditorRig rig;
    S editor(rig.context);
    editor.Opened();
    editor.TextEdited(4, "256");
    editor.TextEdited(4, "255");
    editor.TextEdited(S::kCycleCountRow, "0");
    editor.TextEdited(S::kCycleCountRow, "4");
    EXPECT_EQ(rig.messages.shown, (std::vector<std::string>{"Please enter a number between 0 and 255.",
                                                            "Please enter a number between 1 and 4."}));
    EXPECT_EQ(rig.record.commTimeout, 255);
    EXPECT_EQ(rig.record.chargeCycleCount, 4);

    // Rows 14 and 15 are integers; they are taken by the next save, not by typing.
    editor.TextEdited(13, "1.5");
    EXPECT_EQ(rig.messages.shown.size(), 2u);
    EXPECT_FALSE(editor.Close());
    EXPECT_EQ(rig.messages.shown.back(), "Please enter an integer.");
    editor.TextEdited(13, "70000");
    EXPECT_FALSE(editor.Close());
    EXPECT_EQ(rig.messages.shown.back(), "Please enter an integer between 0 and 65535.");
}

TEST(SetpointsEditor, WriteMovesTheSetpointGroup) {
    EditorRig rig;
    S editor(rig.context);
    editor.Opened();
    editor.TextEdited(6, "298.15");
    editor.SetText(S::kTimeToRechargeRow, "90");
    ASSERT_EQ(editor.Write(), 0);
    EXPECT_EQ(rig.Addresses(), (std::vector<int>{0x80, 0xFA, 0xFE, 0xFC, 0x9E}));
    EXPECT_EQ(rig.board.eeprom[0x8A] | rig.board.eeprom[0x8B] << 8, 2981);
    EXPECT_EQ(rig.board.eeprom[0xFE], 90);
    EXPECT_EQ(editor.ProgressHigh(), S::kProgressLast);
}

TEST(ChargingFlags, BitsBeyondSevenNeedUps18AndEnableRtcReachesTheConsole) {
    for (FirmwareType firmware : {FirmwareType::UPS, FirmwareType::UPS18}) {
        EditorRig rig(firmware);
        std::vector<bool> rtc;
        rig.context.consoles.rtcEnableChanged = [&](bool on) { rtc.push_back(on); };
        rig.record.chargerFlags = 0x0081;
        S setpoints(rig.context);
        auto flags = setpoints.MaskEditorFor(S::kChargingFlagsRow);
        ASSERT_NE(flags, nullptr);
        flags->Opened();
        EXPECT_FALSE(flags->Table().rows[7].visible);
        EXPECT_FALSE(flags->Checked(7));
        EXPECT_TRUE(flags->Checked(0));
        EXPECT_EQ(flags->RowEnabled(13), firmware == FirmwareType::UPS18);
        flags->CheckToggled(13, true);
        flags->CheckToggled(0, false);
        EXPECT_EQ(rig.record.chargerFlags, 0x2080);
        EXPECT_EQ(rtc, std::vector<bool>{true});
    }
}

TEST(TempSensorSelect, UpsFirmwareAddsTheTypedUpperByte) {
    EditorRig rig(FirmwareType::UPS);
    rig.record.I2CDevEnDef = 0x3003;
    S setpoints(rig.context);
    auto select = setpoints.MaskEditorFor(S::kSensorSelectRow);
    select->Opened();
    EXPECT_EQ(select->Text(TempSensorSelectEditor::kMaskEditRow), "0x30");
    EXPECT_FALSE(select->RowEnabled(12));
    EXPECT_FALSE(select->Checked(12));
    EXPECT_TRUE(select->Checked(1));
    select->SetText(TempSensorSelectEditor::kMaskEditRow, "0x0F");
    EXPECT_TRUE(select->Close());
    EXPECT_EQ(rig.record.I2CDevEnDef, 0x3F03);  // bits 8 to 11 set, none cleared

    select->SetText(TempSensorSelectEditor::kMaskEditRow, "zz");
    EXPECT_TRUE(select->Close());
    EXPECT_EQ(rig.record.I2CDevEnDef, 0x3F03);
}

TEST(TempSensorSelect, StandardFirmwareUsesAllSixteenBoxes) {
    EditorRig rig(FirmwareType::Standard);
    rig.record.I2CDevEnDef = 0x8001;
    TempSensorSelectEditor select(rig.context, rig.record.I2CDevEnDef);
    select.Opened();
    EXPECT_TRUE(select.Checked(15));
    EXPECT_FALSE(select.RowEnabled(TempSensorSelectEditor::kMaskEditRow));
    select.SetText(TempSensorSelectEditor::kMaskEditRow, "0xFF");
    select.CheckToggled(15, false);
    select.Close();
    EXPECT_EQ(rig.record.I2CDevEnDef, 0x0001);
}

TEST(UpsSettings, SavesOnlyItsOwnItems) {
    EditorRig rig(FirmwareType::UPS);
    rig.record.timeToRecharge = 77;
    UpsSettingsEditor editor(rig.context);
    editor.Opened();
    EXPECT_TRUE(editor.RowEnabled(13));
    editor.TextEdited(0, "11");
    editor.TextEdited(10, "22");
    editor.TextEdited(11, "33");
    editor.TextEdited(14, "44");
    editor.SetText(15, "55");
    ASSERT_TRUE(editor.Close());
    EXPECT_EQ(rig.record.slots[8].words[0], 11);
    EXPECT_EQ(rig.record.slots[11].words[1], 22);
    EXPECT_EQ(rig.record.sdStartupDelay, 33);
    EXPECT_EQ(rig.record.statusShutDownCounter, 44);
    EXPECT_EQ(rig.record.statusStartUpCounter, 55);
    EXPECT_EQ(rig.record.timeToRecharge, 77);
    EXPECT_EQ(rig.record.slots[11].words[2], 0);
}

TEST(UpsSettings, StandardFirmwareLeavesTheExtraWordsAlone) {
    EditorRig rig(FirmwareType::Standard);
    rig.record.alarmShutdownDelay = 9;
    UpsSettingsEditor editor(rig.context);
    editor.Opened();
    EXPECT_FALSE(editor.RowEnabled(12));
    EXPECT_TRUE(editor.RowEnabled(11));
    EXPECT_EQ(editor.Text(12), "");  // not loaded
    editor.SetText(12, "500");
    ASSERT_TRUE(editor.Close());
    EXPECT_EQ(rig.record.alarmShutdownDelay, 9);
}

TEST(UpsSettings, ReadTakesTheExtraWordsThenElevenCounters) {
    EditorRig rig(FirmwareType::UPS);
    rig.board.eeprom[0xEA] = 0x2A;
    rig.board.eeprom[0xD0] = 0x05;
    UpsSettingsEditor editor(rig.context);
    editor.Opened();
    ASSERT_EQ(editor.Read(), 0);
    EXPECT_EQ(rig.Addresses(), (std::vector<int>{0xF8, 0xEA, 0xEC, 0xE6, 0xE8, 0xD0, 0xD6, 0xDC, 0xE2}));
    EXPECT_EQ(rig.DataTransactions(), 5 + 11);
    EXPECT_EQ(editor.Text(12), "42");
    EXPECT_EQ(editor.Text(0), "5");
    EXPECT_EQ(rig.record.alarmShutdownDelay, 42);
    EXPECT_TRUE(rig.messages.shown.empty());
}

}  // namespace
}  // namespace vantrel
