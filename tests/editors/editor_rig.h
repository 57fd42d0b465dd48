#pragma once
#include <string>
#include <vector>

#include "tests/config/fake_board.h"
#include "tests/support/temp_folder.h"
#include "vantrel/config/config_data.h"
#include "vantrel/config/field_codec.h"
#include "vantrel/editors/model/editor_context.h"
#include "vantrel/link/board_link.h"

namespace vantrel::testing_support {

// A record, a fake board behind the EEPROM commands and the messages shown,
// for driving the editor models without a window.
struct EditorRig {
    explicit EditorRig(FirmwareType firmware = FirmwareType::UPS18) {
        link.settings.FirmwareType = firmware;
        context.transfer.pause = [](int) {};
    }

    ixen_testing::TempFolder folder;
    CBoardLink link;
    CConfigData record{link, folder.File("Vantrel.ini")};
    FakeBoard board;
    RecordingMessages messages;
    EditorContext context{record, board, messages};

    // The EEPROM word the record holds for a field, as a write would send it.
    uint16_t Word(FieldArea area, uint8_t offset) { return EncodeField(*FindField(area, offset), record); }

    // The offsets of the address transactions, in order.
    std::vector<int> Addresses() const {
        std::vector<int> out;
        for (const auto& call : board.calls)
            if (call.command == 0xA0) out.push_back(call.data - 0x100);
        return out;
    }
    int DataTransactions() const {
        int n = 0;
        for (const auto& call : board.calls) n += call.command == 0xA1 ? 1 : 0;
        return n;
    }
};

}  // namespace vantrel::testing_support
