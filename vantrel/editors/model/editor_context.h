#pragma once
#include <functional>

#include "vantrel/config/config_data.h"
#include "vantrel/config/eeprom_transfer.h"
#include "vantrel/config/link_transactor.h"
#include "vantrel/config/transfer_session.h"
#include "vantrel/link/link_settings.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

// What the command consoles give the editors. Until the consoles fill them,
// these do nothing.
struct ConsolePasses {
    // The realtime clock or the I2C console is open: Update All runs its pass.
    std::function<bool()> clockOrI2cOpen;
    std::function<void()> read;
    std::function<void()> write;
    // The Charging Flags editor turned " Enable RTC" on or off.
    std::function<void(bool enabled)> rtcEnableChanged;
};

// What every editor works with: the record, the word transfer on the board,
// the busy flag and the message boxes.
class EditorContext {
public:
    // board: where the transfers go (the link, or a fake in tests).
    EditorContext(CConfigData& record, IBoardTransactor& board, IPrompter& prompter);
    EditorContext(const EditorContext&) = delete;
    EditorContext& operator=(const EditorContext&) = delete;

    CConfigData& record;
    IPrompter& prompter;
    EepromTransfer transfer;
    ConsolePasses consoles;

    TransferSession Session() { return {transfer, record.CommBusy, prompter}; }
    FirmwareType Firmware() const;
};

// An EditorContext on the record's own link.
class LinkEditorContext {
public:
    LinkEditorContext(CConfigData& record, IPrompter& prompter) : board_(record.link), context(record, board_, prompter) {}

private:
    LinkTransactor board_;

public:
    EditorContext context;
};

}  // namespace vantrel
