#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>

#include "vantrel/config/board_command_table.h"
#include "vantrel/config/config_fields.h"
#include "vantrel/config/eeprom_transfer.h"
#include "vantrel/config/link_transactor.h"
#include "vantrel/config/transfer_session.h"
#include "vantrel/config/update_all.h"

namespace vantrel::cli {

class CliContext;

// "Reading EEPROM 57/125" on standard error while it is a terminal.
class TerminalProgress : public IUpdateAllHost {
public:
    TerminalProgress(CliContext& context, std::string label, int total);
    ~TerminalProgress() override;
    void SetProgressRange(int, int) override {}
    void SetProgressPosition(int) override {}
    void StepProgress() override;

private:
    std::ostream& err_;
    bool shown_;
    std::string label_;
    int total_;
    int done_ = 0;
};

// What the EEPROM transfers of one command run with, for one set of fields.
class BoardSession {
public:
    BoardSession(CliContext& context, ConfigFields& fields);

    LinkTransactor transactor;
    BoardCommandTable commands;
    int32_t busy = 0;
    EepromTransfer transfer;
    TransferSession session;
};

// Reads path as File Open does (.psd or .hex) into fields; false after printing why not.
bool LoadConfiguration(CliContext& context, const std::string& path, ConfigFields& fields);
// Writes fields as a profile at path (.psd or no extension); 0, or 1 after printing why not.
int SaveConfiguration(CliContext& context, const std::string& path, const ConfigFields& fields);
// A path File Save As accepts.
bool IsProfilePath(const std::string& path);

}  // namespace vantrel::cli
