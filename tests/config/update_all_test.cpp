#include <gtest/gtest.h>

#include "distinct_fields.h"
#include "fake_board.h"
#include "vantrel/config/image_conversion.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/update_all.h"

namespace vantrel {
namespace {

using testing_support::DistinctFields;
using testing_support::FakeBoard;
using testing_support::FakeUpdateAllHost;
using testing_support::RecordingMessages;

// Fields Update All never moves: cycle fields 1 and 2.
bool MovedByUpdateAll(const FieldDescriptor& field) {
    return !(field.area == FieldArea::Cycle && (field.item == 1 || field.item == 2));
}

class UpdateAllTest : public testing::Test {
protected:
    UpdateAllTest() {
        fields.ResetFields();
        transfer.pause = [](int) {};
    }

    FakeBoard board;
    ConfigFields fields;
    BoardCommandTable commands;
    EepromTransfer transfer{board, fields, commands};
    RecordingMessages messages;
    int32_t busy = 0;
    TransferSession session{transfer, busy, messages};
    FakeUpdateAllHost host;
    UpdateAll updateAll{session, host};
};

TEST_F(UpdateAllTest, ReadFetchesEverythingButCycleFieldsOneAndTwo) {
    const ConfigFields source = DistinctFields(3);
    ToImage(source, board.eeprom);
    for (CycleRecord& cycle : fields.cycles) {
        cycle.maxCapacity = 4321;
        cycle.futureUse = 99;
    }
    ASSERT_EQ(updateAll.Read(), 0);
    EXPECT_TRUE(messages.shown.empty());
    for (const FieldDescriptor& field : EepromMap()) {
        if (MovedByUpdateAll(field)) {
            EXPECT_EQ(EncodeField(field, fields), EncodeField(field, source)) << field.name;
        }
    }
    for (const CycleRecord& cycle : fields.cycles) {
        EXPECT_EQ(cycle.maxCapacity, 4321);
        EXPECT_EQ(cycle.futureUse, 99);
        EXPECT_EQ(cycle.directions, (std::array<uint8_t, 16>{}));
    }
    EXPECT_EQ(host.events, (std::vector<std::string>{"range 1..117", "position 1", "position 1", "refresh editors"}));
    EXPECT_EQ(host.steps, 4 * 14 + 16 * 3 + 17);
    EXPECT_EQ(busy, 0);
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(UpdateAllTest, WriteStoresEverythingAndAsksForTheReset) {
    fields = DistinctFields(5);
    messages.answer = true;
    ASSERT_EQ(updateAll.Write(), 0);
    EepromImage expected;
    ToImage(fields, expected);
    for (const FieldDescriptor& field : EepromMap()) {
        if (!MovedByUpdateAll(field)) continue;
        for (std::size_t b = field.offset; b < field.offset + static_cast<std::size_t>(field.Width()); ++b) {
            EXPECT_EQ(board.eeprom[b], expected[b]) << field.name;
        }
    }
    EXPECT_EQ(messages.asked, std::vector<std::string>{std::string("CPU Reset: ") + texts::kCpuResetQuestion});
    EXPECT_EQ(board.resets, 1);
    EXPECT_EQ(board.calls.back().command, 0x12);
    EXPECT_EQ(board.calls.back().data, 4);
}

TEST_F(UpdateAllTest, NoResetWhenTheAnswerIsNo) {
    ASSERT_EQ(updateAll.Write(), 0);
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(board.resets, 0);
}

TEST_F(UpdateAllTest, SilentBoardStopsAtTheFirstCycleItem) {
    board.result = [](std::size_t, const FakeBoard::Call&) { return 1; };
    EXPECT_EQ(updateAll.Write(), 1);
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kUploadFailed});
    EXPECT_TRUE(messages.asked.empty());  // no reset question after a failed write
    // The extra words stop at their first transaction, the main sequence at its first.
    ASSERT_EQ(board.calls.size(), 2u);
    EXPECT_EQ(board.calls[1].data, 0x100);
    EXPECT_EQ(host.steps, 0);
    EXPECT_EQ(host.position, 1);
    EXPECT_EQ(busy, 0);
}

TEST_F(UpdateAllTest, RefusesWhileBusy) {
    busy = 1;
    EXPECT_EQ(updateAll.Read(), 1);
    EXPECT_EQ(updateAll.Write(), 1);
    EXPECT_EQ(messages.shown, std::vector<std::string>(2, texts::kCommunicationsInProgress));
    EXPECT_TRUE(board.calls.empty());
}

TEST_F(UpdateAllTest, UpsSettingsAndConsolesJoinIn) {
    host.upsOpen = true;
    host.consoleOpen = true;
    ASSERT_EQ(updateAll.Read(), 0);
    EXPECT_EQ(host.events[0], "ups from record");
    EXPECT_EQ(host.events[1], "console read");
    // 5 extra words, slots 8 to 11, then the main sequence.
    EXPECT_EQ(board.calls[10].data, 0x100 + 0xA0 + 6 * 8);

    host.events.clear();
    ASSERT_EQ(updateAll.Write(), 0);
    EXPECT_EQ(host.events[0], "ups to record");
    EXPECT_EQ(host.events[1], "console write");
}

TEST_F(UpdateAllTest, UnconfirmedItemsAreCountedOverTheWholeRun) {
    // Fail the first extra word's data (it and the four after it are not moved), then the
    // address of cycle 1 field 3 and the data of field 5.
    board.result = [](std::size_t n, const FakeBoard::Call&) { return n == 1 || n == 4 || n == 7 ? 3 : 0; };
    ASSERT_EQ(updateAll.Read(), 0);
    EXPECT_EQ(updateAll.Unconfirmed(), 5 + 2);
    EXPECT_EQ(messages.shown, std::vector<std::string>{UnconfirmedItemsText(7)});
}

TEST_F(UpdateAllTest, KeepsTheResultThatStoppedIt) {
    // The address of slot 0, refused with 0xFE: the slots stop at any failure.
    board.functionFailures = true;
    board.result = [](std::size_t, const FakeBoard::Call& call) {
        return call.command == 0xA0 && call.data == 0x1A0 ? 2 : 0;
    };
    EXPECT_EQ(updateAll.Write(), 1);
    EXPECT_EQ(updateAll.StopResult(), 2);
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kTransferFunctionFailed});
    EXPECT_EQ(busy, 0);
}

}  // namespace
}  // namespace vantrel
