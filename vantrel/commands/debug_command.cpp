#include "debug_command.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "field_rule.h"

namespace vantrel {
namespace {

const FieldRule kCommandRule = FieldRule::Text(4);
const FieldRule kWordRule = FieldRule::Text(6);

// The text read as a hexadecimal number the way the C library reads one: an
// optional 0x, then as many hex digits as there are; nothing readable is 0.
unsigned HexValue(const std::string& text) {
    return static_cast<unsigned>(std::strtoul(text.c_str(), nullptr, 16));
}

}  // namespace

void DebugCommand::Read() { Run(false); }

void DebugCommand::Write() { Run(true); }

void DebugCommand::Run(bool write) {
    view_->SetProgressRange(1, 2);
    view_->SetProgressPosition(0);
    for (const auto& [rule, text] : {std::pair{kCommandRule, &commandText}, std::pair{kWordRule, &wordText}}) {
        const FieldCheck check = CheckField(rule, *text);
        if (check.Refused()) {
            env_.prompter.Message(check.message);
            return;
        }
    }
    view_->SetProgressPosition(1);
    IBoardTransactor& board = env_.board;
    const auto command = static_cast<uint8_t>(HexValue(commandText) & 0xFF);
    int32_t data[4] = {static_cast<int32_t>(HexValue(wordText) & 0xFFFF), 0, 0, 0};
    board.Transact(write ? board.WriteAddress() : board.ReadAddress(), command, data);
    if (!write) {
        char text[8];
        std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(data[0]) & 0xFFFF);
        wordText = text;
        view_->ShowFields();
    }
    view_->SetProgressPosition(2);
    std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    view_->SetProgressPosition(0);
}

}  // namespace vantrel
