#include <gtest/gtest.h>

#include "distinct_fields.h"
#include "fake_board.h"
#include "vantrel/config/board_command_table.h"
#include "vantrel/config/eeprom_transfer.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/processor_reset.h"
#include "vantrel/config/run_transfer.h"

namespace vantrel {
namespace {

using testing_support::DistinctFields;
using testing_support::FakeBoard;
using testing_support::FakeDialog;
using testing_support::RecordingMessages;

class EepromTransferTest : public testing::Test {
protected:
    EepromTransferTest() {
        fields.ResetFields();
        transfer.pause = [this](int ms) { pauses.push_back(ms); };
    }

    FakeBoard board;
    ConfigFields fields;
    BoardCommandTable commands;
    EepromTransfer transfer{board, fields, commands};
    std::vector<int> pauses;
};

TEST_F(EepromTransferTest, WordWriteSendsAddressThenData) {
    fields.cycles[1].maxChargingVoltage = 14400.7;
    const TransferPlan plan = CyclePlan(fields, 1);
    plan.SetDirections(kWrite);
    ASSERT_EQ(transfer.TransferWord(plan.steps[1]), 0);  // field 3, which sets its address
    ASSERT_EQ(board.calls.size(), 2u);
    EXPECT_EQ(board.calls[0].address, 0x12);
    EXPECT_EQ(board.calls[0].command, 0xA0);
    EXPECT_EQ(board.calls[0].data, 0x126);
    EXPECT_EQ(board.calls[1].address, 0x12);
    EXPECT_EQ(board.calls[1].command, 0xA1);
    EXPECT_EQ(board.calls[1].data, 14400);
    EXPECT_EQ(board.eeprom[0x26] | board.eeprom[0x27] << 8, 14400);
}

TEST_F(EepromTransferTest, WordReadDecodesIntoTheField) {
    board.writeAddress = 0x14;  // the other device type
    board.eeprom[0x3A] = 0xFD;  // cycle 2 field 13, tenths
    const TransferPlan plan = CyclePlan(fields, 1);
    plan.SetDirections(kRead);
    TransferStep step = plan.steps[11];
    step.setAddress = true;
    ASSERT_EQ(transfer.TransferWord(step), 0);
    EXPECT_EQ(board.calls[0].address, 0x14);
    EXPECT_EQ(board.calls[0].data, 0x13A);
    EXPECT_EQ(board.calls[1].address, 0x15);
    EXPECT_DOUBLE_EQ(fields.cycles[1].maxTemperatureRate, 25.3);
}

TEST_F(EepromTransferTest, TenthsFieldIsWrittenTruncated) {
    fields.cycles[0].maxTemperatureRate = 25.37;
    CyclePlan(fields, 0).SetDirections(kWrite);
    ASSERT_FALSE(transfer.TransferCycle(0).Stopped());
    EXPECT_EQ(board.eeprom[0x1A], 253);
    EXPECT_EQ(board.eeprom[0x1B], 0);
}

TEST_F(EepromTransferTest, CycleMovesFieldsZeroAndThreeToFifteen) {
    const ConfigFields distinct = DistinctFields();
    fields = distinct;
    CyclePlan(fields, 2).SetDirections(kWrite);
    int steps = 0;
    ASSERT_FALSE(transfer.TransferCycle(2, [&] { ++steps; }).Stopped());
    EXPECT_EQ(steps, 14);
    ASSERT_EQ(board.calls.size(), 16u);  // two address transactions
    EXPECT_EQ(board.calls[0].data, 0x140);
    EXPECT_EQ(board.calls[2].data, 0x146);
    for (int i = 0; i < 16; ++i) {
        const FieldDescriptor& field = CycleField(2, i);
        const int word = board.eeprom[field.offset] | board.eeprom[field.offset + 1] << 8;
        if (i == 1 || i == 2) {
            EXPECT_EQ(word, 0) << "field " << i << " is not moved by the cycle group";
        } else {
            EXPECT_EQ(word, EncodeField(field, distinct)) << "field " << i;
        }
    }
}

TEST_F(EepromTransferTest, SetpointsMoveBytePairsAsWordsAndExtrasWithTheirAddresses) {
    fields = DistinctFields();
    SetpointsPlan(fields, commands).SetDirections(kWrite);
    int steps = 0;
    ASSERT_FALSE(transfer.TransferSetpoints([&] { ++steps; }).Stopped());
    EXPECT_EQ(steps, 17);
    std::vector<int32_t> addresses;
    for (const auto& call : board.calls) {
        if (call.command == 0xA0) addresses.push_back(call.data);
    }
    EXPECT_EQ(addresses, (std::vector<int32_t>{0x180, 0x1FA, 0x1FE, 0x1FC, 0x19E}));
    EXPECT_EQ(board.calls.size(), 1u + 11 + 8);
    EXPECT_EQ(board.eeprom[0x88], fields.commTimeout);
    EXPECT_EQ(board.eeprom[0x89], fields.chargeCycleCount);
    EXPECT_EQ(board.eeprom[0x90], fields.primaryTempDevice);
    EXPECT_EQ(board.eeprom[0x91], fields.secondaryTempDevice);
    EXPECT_EQ(board.eeprom[0x94] | board.eeprom[0x95] << 8, fields.I2CDevEnDef & 0xFFFF);
    EXPECT_EQ(board.eeprom[0xFE] | board.eeprom[0xFF] << 8, fields.timeToRecharge);
}

TEST_F(EepromTransferTest, PrimaryDeviceReadIsSigned) {
    board.eeprom[0x90] = 0xFF;
    board.eeprom[0x91] = 0x03;
    SetpointsPlan(fields, commands).SetDirections(kRead);
    ASSERT_FALSE(transfer.TransferSetpoints().Stopped());
    EXPECT_EQ(fields.primaryTempDevice, -1);
    EXPECT_EQ(fields.secondaryTempDevice, 3);
}

TEST_F(EepromTransferTest, OnlyResultOneStopsAGroup) {
    // Transactions 5 and 6 are the data of fields 5 and 6.
    board.result = [](std::size_t n, const FakeBoard::Call&) { return n == 5 ? 2 : (n == 6 ? 3 : 0); };
    fields.cycles[0].negativeDeltaV = 77;
    CyclePlan(fields, 0).SetDirections(kRead);
    TransferOutcome outcome = transfer.TransferCycle(0);
    EXPECT_FALSE(outcome.Stopped());
    EXPECT_EQ(outcome.unconfirmed, 2);
    EXPECT_EQ(outcome.completed, 14);
    EXPECT_DOUBLE_EQ(fields.cycles[0].negativeDeltaV, 77);  // its read failed: old value kept

    board.calls.clear();
    board.result = [](std::size_t n, const FakeBoard::Call&) { return n == 4 ? 1 : 0; };
    outcome = transfer.TransferCycle(0);
    EXPECT_EQ(outcome.stopResult, 1);
    EXPECT_EQ(outcome.completed, 2);  // field 0 and field 3
    EXPECT_EQ(board.calls.size(), 5u);
}

TEST_F(EepromTransferTest, SlotsStopAtAnyFailure) {
    SlotsPlan(fields, 0, 15).SetDirections(kRead);
    board.result = [](std::size_t n, const FakeBoard::Call&) { return n == 6 ? 2 : 0; };
    const TransferOutcome outcome = transfer.TransferSlots(0, 15);
    EXPECT_EQ(outcome.stopResult, 2);
    EXPECT_EQ(outcome.completed, 4);  // slot 0, and word 0 of slot 1
}

TEST_F(EepromTransferTest, UpsExtrasIgnoreFlagsAndPauseAfterEveryTransaction) {
    fields = DistinctFields();
    const ConfigFields written = fields;
    fields.maxBatteryCapacityDirection = kRead;
    ASSERT_FALSE(transfer.TransferUpsExtras(kWrite).Stopped());
    ASSERT_EQ(board.calls.size(), 10u);
    EXPECT_EQ(pauses, std::vector<int>(10, 15));
    const int32_t expected[] = {0x1F8, 0x1EA, 0x1EC, 0x1E6, 0x1E8};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(board.calls[2 * i].data, expected[i]);
    EXPECT_EQ(board.eeprom[0xEA] | board.eeprom[0xEB] << 8, written.alarmShutdownDelay);
    EXPECT_EQ(board.eeprom[0xF8] | board.eeprom[0xF9] << 8, written.sdStartupDelay & 0xFFFF);

    board.calls.clear();
    board.result = [](std::size_t n, const FakeBoard::Call&) { return n == 3 ? 3 : 0; };
    const TransferOutcome outcome = transfer.TransferUpsExtras(kRead);
    EXPECT_EQ(outcome.stopResult, 3);
    EXPECT_EQ(board.calls.size(), 4u);
}

// Where a failed transaction leaves the board's pointer is unknown; the fake keeps
// it where it was, as a board does that never saw the end of an address frame.
TEST_F(EepromTransferTest, AfterAFailureTheNextItemSendsItsAddressAgain) {
    fields = DistinctFields();
    const ConfigFields written = fields;
    const TransferPlan plan = CyclePlan(fields, 0);
    plan.SetDirections(kWrite);
    const struct {
        std::size_t failing;  // transaction number
        int result;
        uint8_t lostOffset;   // the word that keeps its old value
    } rows[] = {
        {2, 2, 0x06},  // the address of field 3
        {4, 3, 0x08},  // the data of field 4
        {14, 2, 0x1C},  // the data of field 14
    };
    for (const auto& row : rows) {
        board.eeprom.fill(0xEE);
        board.calls.clear();
        board.result = [&row](std::size_t n, const FakeBoard::Call&) { return n == row.failing ? row.result : 0; };
        const TransferOutcome outcome = transfer.Run(plan);
        EXPECT_FALSE(outcome.Stopped());
        EXPECT_EQ(outcome.unconfirmed, 1) << row.failing;
        for (int i = 0; i < 16; ++i) {
            const FieldDescriptor& field = CycleField(0, i);
            const int word = board.eeprom[field.offset] | board.eeprom[field.offset + 1] << 8;
            const bool moved = i != 1 && i != 2 && field.offset != row.lostOffset;
            EXPECT_EQ(word, moved ? EncodeField(field, written) : 0xEEEE) << row.failing << " " << field.name;
        }
        // The item after the failed transaction named its own address.
        EXPECT_EQ(board.calls[row.failing + 1].command, 0xA0) << row.failing;
    }
}

TEST_F(EepromTransferTest, RetriesRepeatAFailedItemWithItsAddress) {
    fields = DistinctFields();
    const ConfigFields written = fields;
    const TransferPlan plan = CyclePlan(fields, 0);
    plan.SetDirections(kWrite);
    transfer.retries = 2;

    // The data of field 4 fails once: the retry sends its address and data again.
    board.result = [](std::size_t n, const FakeBoard::Call&) { return n == 4 ? 2 : 0; };
    TransferOutcome outcome = transfer.Run(plan);
    EXPECT_EQ(outcome.unconfirmed, 0);
    EXPECT_EQ(outcome.retried, 1);
    EXPECT_EQ(board.calls[5].command, 0xA0);
    EXPECT_EQ(board.calls[5].data, 0x108);
    EXPECT_EQ(board.eeprom[0x08] | board.eeprom[0x09] << 8, EncodeField(CycleField(0, 4), written));

    // A failure that persists is counted once, after the retries; a stop is retried as well.
    board.calls.clear();
    board.result = [](std::size_t, const FakeBoard::Call& call) { return call.data == 0x108 ? 3 : 0; };
    outcome = transfer.Run(plan);
    EXPECT_EQ(outcome.unconfirmed, 1);
    EXPECT_EQ(outcome.retried, 2);
    board.calls.clear();
    board.result = [](std::size_t n, const FakeBoard::Call&) { return n >= 4 ? 1 : 0; };
    outcome = transfer.Run(plan);
    EXPECT_EQ(outcome.stopResult, 1);
    EXPECT_EQ(outcome.retried, 2);
    EXPECT_EQ(board.calls.size(), 4u + 1 + 2);  // the failed data, then two address attempts
}

TEST_F(EepromTransferTest, WholeImageReadsEveryWordAndReaddressesAfterAFailure) {
    for (std::size_t i = 0; i < board.eeprom.size(); ++i) board.eeprom[i] = static_cast<uint8_t>(i * 7 + 3);
    EepromImage image{};
    board.result = [](std::size_t n, const FakeBoard::Call&) { return n == 10 ? 3 : 0; };
    const TransferOutcome outcome = transfer.Run(WholeImagePlan(image, kRead));
    EXPECT_EQ(outcome.unconfirmedSteps, std::vector<std::size_t>{9});  // the word at 0x12
    EXPECT_EQ(board.calls[11].command, 0xA0);
    EXPECT_EQ(board.calls[11].data, 0x114);
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (i != 0x12 && i != 0x13) {
            EXPECT_EQ(image[i], board.eeprom[i]) << i;
        }
    }
    EXPECT_EQ(board.calls.size(), 1u + 128 + 1);
}

class RunTransferTest : public EepromTransferTest {
protected:
    RecordingMessages messages;
    int32_t busy = 0;
    TransferSession session{transfer, busy, messages};
    FakeDialog dialog;
};

TEST_F(RunTransferTest, SetsFlagsCopiesRunsRefreshes) {
    std::vector<int> busyDuring;
    board.onTransact = [&] { busyDuring.push_back(busy); };
    dialog.onCopy = [&] {
        EXPECT_EQ(fields.cycles[0].directions[3], kWrite);  // flags are set before the copy
        fields.cycles[0].maxChargingVoltage = 16800;
    };
    ASSERT_EQ(RunTransfer(session, dialog, CycleEditorPlan(fields, 0, FirmwareType::UPS18), kWrite), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dialog.steps, 15);
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"copy", "refresh", "position 1"}));
    EXPECT_EQ(busy, 0);
    EXPECT_EQ(busyDuring, std::vector<int>(busyDuring.size(), 1));
    EXPECT_EQ(board.eeprom[0x06] | board.eeprom[0x07] << 8, 16800);
    EXPECT_EQ(fields.cycles[0].directions[1], kWrite);
    EXPECT_EQ(fields.cycles[0].directions[2], 0);  // field 2 is not part of the group
}

TEST_F(RunTransferTest, RefusesWhileBusy) {
    busy = 1;
    EXPECT_EQ(RunTransfer(session, dialog, SetpointsPlan(fields, commands), kRead), 1);
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kCommunicationsInProgress});
    EXPECT_TRUE(board.calls.empty());
    EXPECT_TRUE(dialog.events.empty());
    EXPECT_EQ(busy, 1);
}

TEST_F(RunTransferTest, ResultOneStopsWithUploadFailed) {
    board.result = [](std::size_t n, const FakeBoard::Call&) { return n >= 3 ? 1 : 0; };
    EXPECT_EQ(RunTransfer(session, dialog, SetpointsPlan(fields, commands), kRead), 1);
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kUploadFailed});
    EXPECT_EQ(dialog.steps, 2);
    EXPECT_EQ(dialog.events.back(), "position 1");
    EXPECT_EQ(busy, 0);
}

TEST_F(RunTransferTest, AStopByABoardThatAnsweredSaysWhatHappened) {
    const struct {
        int result;
        bool functionFailure;
        const char* text;
    } rows[] = {
        {2, true, texts::kTransferFunctionFailed},
        {2, false, texts::kTransferNotAcknowledged},
        {3, false, texts::kTransferBadChecksum},
        {1, false, texts::kUploadFailed},
    };
    for (const auto& row : rows) {
        messages.shown.clear();
        board.calls.clear();
        board.functionFailures = row.functionFailure;
        board.result = [&row](std::size_t n, const FakeBoard::Call&) { return n == 4 ? row.result : 0; };
        EXPECT_EQ(RunTransfer(session, dialog, SlotsPlan(fields, 0, 3), kWrite), 1);
        EXPECT_EQ(messages.shown, std::vector<std::string>{row.text}) << row.result;
    }
}

TEST_F(RunTransferTest, UnconfirmedItemsAreReportedAtTheEnd) {
    board.result = [](std::size_t n, const FakeBoard::Call& call) {
        return call.command == 0xA1 && (n == 2 || n == 5 || n == 9) ? 2 : 0;
    };
    EXPECT_EQ(RunTransfer(session, dialog, SetpointsPlan(fields, commands), kWrite), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              "Transfer Warning - 3 items were not confirmed by the board\n"
              "A write was not acknowledged or a read failed its checksum; repeat the transfer");
    EXPECT_EQ(dialog.steps, 17);
    EXPECT_EQ(UnconfirmedItemsText(1).substr(0, 37), "Transfer Warning - 1 item was not con");
}

TEST_F(RunTransferTest, CapacityCountsOnlyWithUps18) {
    // The last transaction of the group is field 1's data; fail it and its address.
    const auto failCapacity = [](std::size_t n, const FakeBoard::Call&) { return n >= 16 ? 1 : 0; };
    for (FirmwareType firmware : {FirmwareType::Standard, FirmwareType::UPS}) {
        board.result = failCapacity;
        board.calls.clear();
        messages.shown.clear();
        EXPECT_EQ(RunTransfer(session, dialog, CycleEditorPlan(fields, 0, firmware), kRead), 0) << static_cast<int>(firmware);
        EXPECT_TRUE(messages.shown.empty()) << static_cast<int>(firmware);
        EXPECT_EQ(board.calls.size(), 17u);
    }
    messages.shown.clear();
    EXPECT_EQ(RunTransfer(session, dialog, CycleEditorPlan(fields, 0, FirmwareType::UPS18), kRead), 1);
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kUploadFailed});
}

TEST_F(RunTransferTest, ProcessorResetWritesFourToChargerMode) {
    ASSERT_EQ(ProcessorReset(board, commands, busy, messages), 0);
    ASSERT_EQ(board.calls.size(), 1u);
    EXPECT_EQ(board.calls[0].address, 0x12);
    EXPECT_EQ(board.calls[0].command, 0x12);
    EXPECT_EQ(board.calls[0].data, 0x0004);
    EXPECT_EQ(busy, 0);

    board.result = [](std::size_t, const FakeBoard::Call&) { return 1; };
    EXPECT_EQ(ProcessorReset(board, commands, busy, messages), 1);
    EXPECT_EQ(messages.shown, std::vector<std::string>{texts::kUploadFailed});

    busy = 1;
    EXPECT_EQ(ProcessorReset(board, commands, busy, messages), 1);
    EXPECT_EQ(messages.shown.back(), texts::kCommunicationsInProgress);
    EXPECT_EQ(board.calls.size(), 2u);
}

}  // namespace
}  // namespace vantrel
