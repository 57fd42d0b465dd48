#include <gtest/gtest.h>

#include "editor_rig.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/editors/model/cycle_editor.h"
#include "vantrel/editors/model/update_all_editor.h"
#include "vantrel/editors/model/ups_settings_editor.h"

namespace vantrel {
namespace {

using testing_support::EditorRig;

TEST(UpdateAllEditor, ReadInAnotherEditorWhileItRunsIsRefused) {
    EditorRig rig;
    UpdateAllEditor updateAll(rig.context);
    CycleEditor cycle(rig.context, 0);
    updateAll.Opened();
    cycle.Opened();
    int refused = -1;
    rig.board.onTransact = [&] {
        if (rig.board.calls.size() == 10 && refused < 0) refused = cycle.Read();
    };
    ASSERT_EQ(updateAll.Read(), 0);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(rig.messages.shown, std::vector<std::string>{texts::kCommunicationsInProgress});
    EXPECT_EQ(rig.record.CommBusy, 0);
    EXPECT_EQ(updateAll.ProgressHigh(), 117);
}

TEST(UpdateAllEditor, WriteTakesTheOpenUpsSettingsAndAsksForTheReset) {
    EditorRig rig(FirmwareType::UPS);
    UpsSettingsEditor ups(rig.context);
    ups.Opened();
    ups.SetText(0, "4660");  // shown but not yet saved: Update All takes it first
    UpdateAllEditor updateAll(rig.context);
    updateAll.openUpsSettings = [&] { return &ups; };
    int refreshed = 0;
    updateAll.refreshEditors = [&] { ++refreshed; };
    updateAll.Opened();
    rig.messages.answer = true;
    ASSERT_EQ(updateAll.Write(), 0);
    EXPECT_EQ(rig.board.eeprom[0xD0] | rig.board.eeprom[0xD1] << 8, 4660);
    EXPECT_EQ(rig.board.resets, 1);
    EXPECT_EQ(rig.messages.asked, std::vector<std::string>{std::string(texts::kCpuResetCaption) + ": " +
                                                           texts::kCpuResetQuestion});
    EXPECT_EQ(refreshed, 1);
}

TEST(UpdateAllEditor, AConsolePassRunsOnlyWhenTheConsoleIsOpen) {
    EditorRig rig;
    std::vector<std::string> passes;
    bool open = false;
    rig.context.consoles.clockOrI2cOpen = [&] { return open; };
    rig.context.consoles.read = [&] { passes.push_back("read"); };
    UpdateAllEditor updateAll(rig.context);
    updateAll.Read();
    open = true;
    updateAll.Read();
    EXPECT_EQ(passes, std::vector<std::string>{"read"});
}

}  // namespace
}  // namespace vantrel
