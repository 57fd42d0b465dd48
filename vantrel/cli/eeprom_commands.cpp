#include <ostream>

#include "cli_context.h"
#include "cli_options.h"
#include "config_command_support.h"
#include "config_commands.h"
#include "vantrel/config/field_listing.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/processor_reset.h"
#include "vantrel/config/transfer_plan.h"

namespace vantrel::cli {
namespace {

constexpr int kNotConfirmed = 2;  // as a transaction result 2: the board did not confirm everything
constexpr int kDifferent = 1;

int Usage(CliContext& context) {
    context.err << "vantrel-cli: eeprom wants: read FILE | write FILE [--verify] [--reset]\n";
    return kExitUsage;
}

// Items a whole-configuration transfer moves: Update All's, and cycle field 1 with UPS18.
bool Moved(const FieldDescriptor& field, FirmwareType firmwareType) {
    if (field.area != FieldArea::Cycle) return true;
    return field.item == 1 ? firmwareType == FirmwareType::UPS18 : field.item != 2;
}

int ProgressTotal(CliContext& context, ConfigFields& fields) {
    BoardCommandTable commands;
    int total = 0;
    for (int cycle = 0; cycle < ConfigFields::kCycleCount; ++cycle) {
        total += static_cast<int>(CyclePlan(fields, cycle).steps.size());
    }
    total += static_cast<int>(SlotsPlan(fields, 0, ConfigFields::kEepromSlotCount - 1).steps.size());
    total += static_cast<int>(SetpointsPlan(fields, commands).steps.size());
    return total + (context.options.firmware() == FirmwareType::UPS18 ? ConfigFields::kCycleCount : 0);
}

struct Moving {
    int status = 0;       // 0, or the transaction result that stopped the transfer
    int unconfirmed = 0;  // items the board did not confirm
};

// Cycle field 1 of every cycle, each with its own address (UPS18 only).
void MoveCapacities(BoardSession& board, ConfigFields& fields, int direction, TerminalProgress& progress,
                    Moving& moving) {
    int unconfirmed = 0;
    for (int cycle = 0; cycle < ConfigFields::kCycleCount; ++cycle) {
        const TransferPlan plan = CycleCapacityPlan(fields, cycle, true);
        plan.SetDirections(direction);
        board.busy = 1;
        const TransferOutcome outcome = board.transfer.Run(plan, [&progress] { progress.StepProgress(); });
        board.busy = 0;
        unconfirmed += outcome.unconfirmed;
        if (outcome.Stopped()) {
            board.session.prompter.Message(texts::kUploadFailed);
            moving.status = outcome.stopResult;
            break;
        }
    }
    if (unconfirmed > 0 && moving.status == 0) board.session.prompter.Message(UnconfirmedItemsText(unconfirmed));
    moving.unconfirmed += unconfirmed;
}

// Update All's read or write, then cycle field 1 of every cycle with UPS18.
Moving MoveBoard(CliContext& context, ConfigFields& fields, bool write) {
    BoardSession board(context, fields);
    TerminalProgress progress(context, write ? "Writing EEPROM" : "Reading EEPROM", ProgressTotal(context, fields));
    UpdateAll updateAll(board.session, progress);
    Moving moving;
    moving.status = write ? updateAll.Write() : updateAll.Read();
    moving.unconfirmed = updateAll.Unconfirmed();
    if (moving.status == 0 && context.options.firmware() == FirmwareType::UPS18) {
        MoveCapacities(board, fields, write ? kWrite : kRead, progress, moving);
    }
    return moving;
}

Moving ReadBoard(CliContext& context, ConfigFields& fields) { return MoveBoard(context, fields, false); }
Moving WriteBoard(CliContext& context, ConfigFields& fields) { return MoveBoard(context, fields, true); }

int Read(CliContext& context, const std::string& path) {
    if (!IsProfilePath(path)) {
        context.prompter.Message(texts::kMustSaveAsPsd);
        return 1;
    }
    if (!context.Connect()) return kTransactNotSynchronised;
    ConfigFields fields;
    fields.ResetFields();
    const Moving moving = ReadBoard(context, fields);
    if (moving.status != 0) return moving.status;
    if (moving.unconfirmed > 0) {
        // Unconfirmed reads kept default values; such a file would not be the board's configuration.
        context.err << "vantrel-cli: " << path << " was not written\n";
        return kNotConfirmed;
    }
    return SaveConfiguration(context, path, fields);
}

int Write(CliContext& context, const std::vector<std::string>& arguments) {
    bool verify = false;
    bool reset = false;
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        if (arguments[i] == "--verify") {
            verify = true;
        } else if (arguments[i] == "--reset") {
            reset = true;
        } else {
            return Usage(context);
        }
    }
    ConfigFields fields;
    if (!LoadConfiguration(context, arguments[1], fields)) return 1;
    if (!context.Connect()) return kTransactNotSynchronised;

    const Moving written = WriteBoard(context, fields);
    if (written.status != 0) return written.status;
    int status = written.unconfirmed > 0 ? kNotConfirmed : 0;

    if (verify) {
        ConfigFields board = fields;
        const Moving read = ReadBoard(context, board);
        if (read.status != 0) return read.status;
        const FirmwareType firmware = context.options.firmware();
        const std::string differences =
            FieldDifferences(fields, board, firmware, [firmware](const FieldDescriptor& f) { return Moved(f, firmware); });
        context.out << differences;
        if (!differences.empty()) {
            context.err << "vantrel-cli: the board differs from " << arguments[1] << "\n";
            if (reset) context.err << "vantrel-cli: no reset after a failed verification\n";
            return kDifferent;
        }
        if (read.unconfirmed > 0) return kNotConfirmed;
        status = 0;  // everything read back as written
    }
    if (reset) {
        BoardSession board(context, fields);
        if (ProcessorReset(board.transactor, board.commands, board.busy, board.session.prompter) != 0) {
            return kTransactNotSynchronised;
        }
    }
    return status;
}

}  // namespace

int RunEeprom(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.size() == 2 && arguments[0] == "read") return Read(context, arguments[1]);
    if (arguments.size() >= 2 && arguments[0] == "write") return Write(context, arguments);
    return Usage(context);
}

}  // namespace vantrel::cli
