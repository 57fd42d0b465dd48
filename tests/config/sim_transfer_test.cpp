#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "distinct_fields.h"
#include "fake_board.h"
#include "sim/pty_board.h"
#include "temp_folder.h"
#include "vantrel/config/config_data.h"
#include "vantrel/config/eeprom_transfer.h"
#include "vantrel/config/image_conversion.h"
#include "vantrel/config/link_transactor.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/processor_reset.h"
#include "vantrel/config/update_all.h"
#include "vantrel/link/board_link.h"

namespace vantrel {
namespace {

using testing_support::DistinctFields;
using testing_support::FakeUpdateAllHost;
using testing_support::RecordingMessages;
using testing_support::TempFolder;

// Passes transactions to the link; after a given number the board falls silent.
class SilencingTransactor : public IBoardTransactor {
public:
    SilencingTransactor(IBoardTransactor& inner, ixsim::PtyBoard& board) : inner_(inner), board_(board) {}
    int silenceAfter = -1;
    int count = 0;

    int Transact(uint8_t address, uint8_t command, int32_t* data) override {
        if (count++ == silenceAfter) board_.Stop();
        return inner_.Transact(address, command, data);
    }
    uint8_t WriteAddress() const override { return inner_.WriteAddress(); }
    uint8_t ReadAddress() const override { return inner_.ReadAddress(); }

private:
    IBoardTransactor& inner_;
    ixsim::PtyBoard& board_;
};

// One side of the wire: a link opened on the simulated board, with its record.
struct Station {
    explicit Station(const TempFolder& folder, const std::string& name, const std::string& device)
        : record(link, folder.File(name)) {
        record.SetPrompter(&messages);
        link.SetComDevice(1, device);
        if (link.Open(1, 9600) != 1) throw std::runtime_error("cannot open " + device);
        transfer.pause = [](int) {};
    }

    CBoardLink link;
    CConfigData record;
    RecordingMessages messages;
    LinkTransactor linkTransactor{link};
    std::unique_ptr<SilencingTransactor> silencer;
    EepromTransfer transfer{linkTransactor, record, record.commands};
    TransferSession session{transfer, record.CommBusy, messages};
    FakeUpdateAllHost host;
    UpdateAll updateAll{session, host};
};

bool MovedByUpdateAll(const FieldDescriptor& field) {
    return !(field.area == FieldArea::Cycle && (field.item == 1 || field.item == 2));
}

class SimTransferTest : public testing::Test {
protected:
    TempFolder folder;
    ixsim::PtyBoard board{ixsim::BoardOptions{}};
};

TEST_F(SimTransferTest, UpdateAllWriteThenReadGivesTheSameFields) {
    Station writer(folder, "writer.ini", board.Path());
    static_cast<ConfigFields&>(writer.record) = DistinctFields(9);
    ASSERT_TRUE(writer.link.IsOpen());
    ASSERT_EQ(writer.updateAll.Write(), 0);
    EXPECT_TRUE(writer.messages.shown.empty());
    EXPECT_EQ(writer.messages.asked.size(), 1u);  // answered No

    EepromImage expected;
    writer.record.ToImage(expected);
    board.WithBoard([&](ixsim::Board& b) {
        for (const FieldDescriptor& field : EepromMap()) {
            if (!MovedByUpdateAll(field)) continue;
            for (std::size_t i = field.offset; i < field.offset + static_cast<std::size_t>(field.Width()); ++i) {
                EXPECT_EQ(b.eeprom[i], expected[i]) << field.name;
            }
        }
    });
    writer.link.Close();

    Station reader(folder, "reader.ini", board.Path());
    ASSERT_EQ(reader.updateAll.Read(), 0);
    EXPECT_TRUE(reader.messages.shown.empty());
    for (const FieldDescriptor& field : EepromMap()) {
        if (MovedByUpdateAll(field)) {
            EXPECT_EQ(EncodeField(field, reader.record), EncodeField(field, writer.record)) << field.name;
        } else {
            EXPECT_EQ(EncodeField(field, reader.record), 0) << field.name;
        }
    }
    EXPECT_EQ(reader.host.steps, 4 * 14 + 16 * 3 + 17);
}

TEST_F(SimTransferTest, SilentBoardStopsTheTransferAndKeepsWhatMoved) {
    Station station(folder, "station.ini", board.Path());
    static_cast<ConfigFields&>(station.record) = DistinctFields(4);
    station.silencer = std::make_unique<SilencingTransactor>(station.linkTransactor, board);
    EepromTransfer transfer{*station.silencer, station.record, station.record.commands};
    transfer.pause = [](int) {};
    TransferSession session{transfer, station.record.CommBusy, station.messages};
    UpdateAll updateAll{session, station.host};

    // 10 transactions for the extra words, 16 for cycle 1, then the board goes silent in cycle 2.
    station.silencer->silenceAfter = 30;
    EXPECT_EQ(updateAll.Write(), 1);
    EXPECT_EQ(station.messages.shown, std::vector<std::string>{texts::kUploadFailed});
    EXPECT_TRUE(station.messages.asked.empty());
    EXPECT_EQ(station.record.CommBusy, 0);
    EXPECT_EQ(station.host.position, 1);

    board.WithBoard([&](ixsim::Board& b) {
        for (int i = 0; i < 16; ++i) {
            const FieldDescriptor& field = CycleField(0, i);
            const int word = b.eeprom[field.offset] | b.eeprom[field.offset + 1] << 8;
            EXPECT_EQ(word, MovedByUpdateAll(field) ? EncodeField(field, station.record) : 0) << field.name;
        }
        for (int i = 0; i < 16; ++i) {
            const FieldDescriptor& field = CycleField(3, i);
            EXPECT_EQ(b.eeprom[field.offset] | b.eeprom[field.offset + 1] << 8, 0) << field.name;
        }
        EXPECT_EQ(b.eeprom[0xF8] | b.eeprom[0xF9] << 8, station.record.sdStartupDelay & 0xFFFF);
    });
}

TEST_F(SimTransferTest, ProcessorResetReachesTheBoard) {
    Station station(folder, "station.ini", board.Path());
    ASSERT_EQ(ProcessorReset(station.linkTransactor, station.record.commands, station.record.CommBusy,
                             station.messages),
              0);
    int resets = 0;
    board.WithBoard([&](ixsim::Board& b) { resets = b.resets; });
    EXPECT_EQ(resets, 1);
}

TEST_F(SimTransferTest, ReadsTheBytePairSplitFromTheBoard) {
    board.WithBoard([](ixsim::Board& b) {
        b.eeprom[0x90] = 0xFF;
        b.eeprom[0x91] = 0x03;
        b.eeprom[0x1A] = 0xFD;
    });
    Station station(folder, "station.ini", board.Path());
    ASSERT_EQ(station.updateAll.Read(), 0);
    EXPECT_EQ(station.record.primaryTempDevice, -1);
    EXPECT_EQ(station.record.secondaryTempDevice, 3);
    EXPECT_DOUBLE_EQ(station.record.cycles[0].maxTemperatureRate, 25.3);
}

}  // namespace
}  // namespace vantrel
