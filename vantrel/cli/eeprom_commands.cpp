#include <array>
#include <ostream>

#include "cli_context.h"
#include "cli_options.h"
#include "config_command_support.h"
#include "config_commands.h"
#include "vantrel/config/eeprom_verification.h"
#include "vantrel/config/field_listing.h"
#include "vantrel/config/image_conversion.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/config/processor_reset.h"
#include "vantrel/config/transfer_plan.h"

namespace vantrel::cli {
namespace {

constexpr int kNotConfirmed = 2;  // as a transaction result 2: the board did not confirm everything
constexpr int kDifferent = 1;
constexpr unsigned kMaxRetries = 100;
constexpr std::size_t kWordCount = 128;

int Usage(CliContext& context) {
    context.err << "vantrel-cli: eeprom wants: read FILE [--retries N] | write FILE [--verify] [--reset] "
                   "[--retries N]\n";
    return kExitUsage;
}

struct EepromOptions {
    bool verify = false;
    bool reset = false;
    int retries = 0;  // repetitions of a failed item before it counts as failed
};

// The options after FILE; false for anything the action does not take.
bool ParseEepromOptions(const std::vector<std::string>& arguments, bool write, EepromOptions& options) {
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        unsigned retries = 0;
        if (write && option == "--verify") {
            options.verify = true;
        } else if (write && option == "--reset") {
            options.reset = true;
        } else if (option == "--retries" && i + 1 < arguments.size() &&
                   ParseNumber(arguments[i + 1], kMaxRetries, retries)) {
            options.retries = static_cast<int>(retries);
            ++i;
        } else {
            return false;
        }
    }
    return true;
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

// What a sequence of transfers came to.
struct Moving {
    int status = 0;       // 0, or the transaction result that stopped the transfer
    int unconfirmed = 0;  // items the board did not confirm
    int retried = 0;      // repetitions of failed items
};

// Cycle field 1 of every cycle, each with its own address (UPS18 only).
void MoveCapacities(BoardSession& board, ConfigFields& fields, int direction, TerminalProgress& progress,
                    Moving& moving) {
    for (int cycle = 0; cycle < ConfigFields::kCycleCount; ++cycle) {
        const TransferPlan plan = CycleCapacityPlan(fields, cycle, true);
        plan.SetDirections(direction);
        board.busy = 1;
        const TransferOutcome outcome = board.transfer.Run(plan, [&progress] { progress.StepProgress(); });
        board.busy = 0;
        moving.unconfirmed += outcome.unconfirmed;
        moving.retried += outcome.retried;
        if (outcome.Stopped()) {
            board.session.prompter.Message(TransferStopText(outcome.stopResult, outcome.functionFailed));
            moving.status = outcome.stopResult;
            return;
        }
    }
}

// Update All's read or write, then cycle field 1 of every cycle with UPS18; one
// warning with the number of every item the board did not confirm.
Moving MoveBoard(CliContext& context, ConfigFields& fields, bool write, int retries) {
    BoardSession board(context, fields);
    board.transfer.retries = retries;
    TerminalProgress progress(context, write ? "Writing EEPROM" : "Reading EEPROM", ProgressTotal(context, fields));
    UpdateAll updateAll(board.session, progress);
    updateAll.showUnconfirmed = false;
    Moving moving;
    if ((write ? updateAll.Write() : updateAll.Read()) != 0) {
        moving.status = updateAll.StopResult() != 0 ? updateAll.StopResult() : kTransactNotSynchronised;
    }
    moving.unconfirmed = updateAll.Unconfirmed();
    moving.retried = updateAll.Retried();
    if (moving.status == 0 && context.options.firmware() == FirmwareType::UPS18) {
        MoveCapacities(board, fields, write ? kWrite : kRead, progress, moving);
    }
    if (moving.status == 0 && moving.unconfirmed > 0) board.session.prompter.Message(UnconfirmedItemsText(moving.unconfirmed));
    return moving;
}

// Reads the given words of the EEPROM into image; known marks each word read.
Moving ReadWords(CliContext& context, EepromImage& image, const std::vector<uint8_t>& offsets,
                 std::array<bool, kWordCount>& known, int retries) {
    ConfigFields unused;
    BoardSession board(context, unused);
    board.transfer.retries = retries;
    const bool whole = offsets.size() == kWordCount;
    const TransferPlan plan = whole ? WholeImagePlan(image, kRead) : ImageWordsPlan(image, offsets, kRead);
    const TransferOutcome outcome = board.transfer.Run(plan);
    Moving moving;
    moving.retried = outcome.retried;
    if (outcome.Stopped()) {
        board.session.prompter.Message(TransferStopText(outcome.stopResult, outcome.functionFailed));
        moving.status = outcome.stopResult;
        return moving;
    }
    std::vector<bool> failed(plan.steps.size(), false);
    for (const std::size_t step : outcome.unconfirmedSteps) failed[step] = true;
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        if (!failed[i]) known[plan.steps[i].offset / 2u] = true;
    }
    moving.unconfirmed = outcome.unconfirmed;
    return moving;
}

std::vector<uint8_t> AllWords() {
    std::vector<uint8_t> offsets;
    for (std::size_t word = 0; word < kWordCount; ++word) offsets.push_back(static_cast<uint8_t>(2 * word));
    return offsets;
}

void ReportRetries(CliContext& context, const EepromOptions& options, int retried) {
    if (options.retries > 0) {
        context.err << "vantrel-cli: " << retried << (retried == 1 ? " retry" : " retries") << " used\n";
    }
}

int Read(CliContext& context, const std::vector<std::string>& arguments) {
    EepromOptions options;
    if (!ParseEepromOptions(arguments, false, options)) return Usage(context);
    const std::string& path = arguments[1];
    if (!IsProfilePath(path)) {
        context.prompter.Message(texts::kMustSaveAsPsd);
        return 1;
    }
    if (!context.Connect()) return kTransactNotSynchronised;
    ConfigFields fields;
    fields.ResetFields();
    const Moving moving = MoveBoard(context, fields, false, options.retries);
    ReportRetries(context, options, moving.retried);
    if (moving.status != 0) return moving.status;
    if (moving.unconfirmed > 0) {
        // Unconfirmed reads kept default values; such a file would not be the board's configuration.
        context.err << "vantrel-cli: " << path << " was not written\n";
        return kNotConfirmed;
    }
    return SaveConfiguration(context, path, fields);
}

// Reads the whole EEPROM after a write and compares it with what it must hold:
// the written bytes where the write moved them, the earlier content elsewhere.
// Words that differ or were not read are read again, up to retries times, so a
// read spoilt on the line is not taken for a wrong word.
int Verify(CliContext& context, const std::string& path, const EepromImage& before,
           const std::array<bool, kWordCount>& knownBefore, const EepromImage& written, int retries, int& retried) {
    const FirmwareType firmware = context.options.firmware();
    const EepromImage expected = ExpectedAfterWrite(before, written, firmware);
    const std::array<bool, 256> moved = WholeTransferBytes(firmware);
    std::array<bool, kWordCount> verifiable = knownBefore;
    for (std::size_t word = 0; word < kWordCount; ++word) verifiable[word] = verifiable[word] || moved[2 * word];

    EepromImage board{};
    std::array<bool, kWordCount> known{};
    std::vector<uint8_t> pending = AllWords();
    for (int pass = 0; pass <= retries && !pending.empty(); ++pass) {
        if (pass > 0) retried += static_cast<int>(pending.size());
        const Moving read = ReadWords(context, board, pending, known, pass == 0 ? retries : 0);
        retried += read.retried;
        if (read.status != 0) return read.status;
        pending.clear();
        for (const uint8_t offset : AllWords()) {
            const std::size_t word = offset / 2u;
            const bool same = board[offset] == expected[offset] && board[offset + 1u] == expected[offset + 1u];
            if (!known[word] || (verifiable[word] && !same)) pending.push_back(offset);
        }
    }

    // Words that cannot be judged are left out of the comparison and reported as such.
    int unverified = 0;
    EepromImage compared = board;
    for (std::size_t word = 0; word < kWordCount; ++word) {
        if (known[word] && verifiable[word]) continue;
        ++unverified;
        compared[2 * word] = expected[2 * word];
        compared[2 * word + 1] = expected[2 * word + 1];
    }
    const std::string differences = ImageDifferences(expected, compared, firmware);
    context.out << differences;
    if (!differences.empty()) {
        context.err << "vantrel-cli: the board differs from " << path << "\n";
        return kDifferent;
    }
    if (unverified > 0) {
        context.err << "vantrel-cli: " << unverified << (unverified == 1 ? " word" : " words")
                    << " of the EEPROM could not be read back\n";
        return kNotConfirmed;
    }
    return 0;
}

int Write(CliContext& context, const std::vector<std::string>& arguments) {
    EepromOptions options;
    if (!ParseEepromOptions(arguments, true, options)) return Usage(context);
    ConfigFields fields;
    if (!LoadConfiguration(context, arguments[1], fields)) return 1;
    if (!context.Connect()) return kTransactNotSynchronised;

    int retried = 0;
    EepromImage before{};
    std::array<bool, kWordCount> knownBefore{};
    if (options.verify) {
        const Moving read = ReadWords(context, before, AllWords(), knownBefore, options.retries);
        retried += read.retried;
        if (read.status != 0) {
            ReportRetries(context, options, retried);
            return read.status;
        }
    }

    const Moving written = MoveBoard(context, fields, true, options.retries);
    retried += written.retried;
    int status = written.status;
    if (status == 0 && options.verify) {
        EepromImage image;
        ToImage(fields, image);
        status = Verify(context, arguments[1], before, knownBefore, image, options.retries, retried);
    } else if (status == 0 && written.unconfirmed > 0) {
        status = kNotConfirmed;
    }
    ReportRetries(context, options, retried);
    if (status != 0) {
        if (options.reset) context.err << "vantrel-cli: no reset after a failed or unconfirmed write\n";
        return status;
    }
    if (options.reset) {
        BoardSession board(context, fields);
        if (ProcessorReset(board.transactor, board.commands, board.busy, board.session.prompter) != 0) {
            return kTransactNotSynchronised;
        }
    }
    return 0;
}

}  // namespace

int RunEeprom(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.size() >= 2 && arguments[0] == "read") return Read(context, arguments);
    if (arguments.size() >= 2 && arguments[0] == "write") return Write(context, arguments);
    return Usage(context);
}

}  // namespace vantrel::cli
