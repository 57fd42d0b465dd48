#include "command_console.h"

#include <cmath>
#include <cstdio>

#include "comm_busy.h"
#include "value_text.h"
#include "vantrel/config/message_texts.h"

namespace vantrel {
namespace {

constexpr int kGraphLines = 3;

}  // namespace

CommandConsole::CommandConsole(const ConsoleDefinition& definition, ConsoleEnvironment environment,
                               std::vector<int32_t*> savedFlags)
    : definition_(definition),
      env_(environment),
      ownFlags_(definition.lines.size(), 0),
      boxes_(definition.lines.size(), false),
      offered_(definition.lines.size(), true),
      store_(definition.lines.size(), 0.0) {
    for (std::size_t i = 0; i < definition.lines.size(); ++i) {
        flags_.push_back(i < savedFlags.size() && savedFlags[i] != nullptr ? savedFlags[i] : &ownFlags_[i]);
        fields_.push_back(definition.lines[i].initialText);
    }
    if (definition.rules.boxesTakenOnPass) {
        // Such a console starts with every line on.
        for (std::size_t i = 0; i < flags_.size(); ++i) {
            *flags_[i] = 1;
            boxes_[i] = true;
        }
    }
}

int CommandConsole::FindLine(const std::string& name) const {
    for (int i = 0; i < LineCount(); ++i) {
        if (Line(i).name == name) return i;
    }
    return -1;
}

void CommandConsole::ApplyFirmwareType(FirmwareType firmwareType) {
    for (int i = 0; i < LineCount(); ++i) {
        const LineOffer offer = definition_.offers[Index(i)];
        offered_[Index(i)] = LineOffered(offer, firmwareType);
        if (offer == LineOffer::OnlyUps18 && !offered_[Index(i)]) {
            SetFlag(i, false);
            boxes_[Index(i)] = false;
        }
    }
    view_->ShowCheckBoxes();
}

bool CommandConsole::BoxChecked(int line) const {
    if (!Offered(line)) return false;
    return definition_.rules.boxesTakenOnPass ? static_cast<bool>(boxes_[Index(line)]) : Enabled(line);
}

bool CommandConsole::ClickCheckBox(int line, bool checked) {
    if (!Offered(line)) return false;
    if (definition_.rules.boxesTakenOnPass) {
        boxes_[Index(line)] = checked;
    } else if (env_.pollingActive == 0) {
        SetFlag(line, checked);
    }
    return BoxChecked(line);
}

void CommandConsole::SetCheckBoxesEnabled(bool on) {
    boxesEnabled_ = on;
    view_->ShowCheckBoxes();
}

void CommandConsole::ForceGraphLines() {
    for (int i = 0; i < kGraphLines && i < LineCount(); ++i) {
        SetFlag(i, true);
        boxes_[Index(i)] = true;
    }
    view_->ShowCheckBoxes();
}

void CommandConsole::TakeCheckBoxes() {
    for (std::size_t i = 0; i < published_.size() && i < flags_.size(); ++i) *published_[i] = *flags_[i];
    for (int i = 0; i < LineCount(); ++i) SetFlag(i, boxes_[Index(i)]);
}

std::string CommandConsole::LogText(int line) const {
    const ConsoleLine& rowSpec = Line(line);
    if (rowSpec.store == StoreKind::Identification) return env_.identification != nullptr ? env_.identification : "";
    return FormatLogValue(rowSpec, Value(line));
}

int32_t CommandConsole::WordToSend(int line) const { return WordOfValue(Line(line).store, Value(line)); }

uint8_t CommandConsole::CommandOf(int line) const {
    const LineCommand& command = Line(line).command;
    return command.tableEntry != 0 ? env_.commands[command.tableEntry] : command.fixed;
}

int CommandConsole::ReadLine(int line) {
    int32_t data[4] = {WordToSend(line), 0, 0, 0};
    const int result = env_.board.Transact(env_.board.ReadAddress(), CommandOf(line), data);
    if (result == 0 && Line(line).store != StoreKind::Identification) {
        store_[Index(line)] = ValueOfWord(Line(line).store, data[0]);
    }
    return result;
}

int CommandConsole::WriteLine(int line) {
    int32_t data[4] = {WordToSend(line), 0, 0, 0};
    return env_.board.Transact(env_.board.WriteAddress(), CommandOf(line), data);
}

bool CommandConsole::CommitsField(int line) const {
    const ConsoleLine& rowSpec = Line(line);
    return rowSpec.format != FieldFormat::None && (rowSpec.writable || definition_.rules.writeOnlyCommits);
}

bool CommandConsole::CheckFields(bool copy) {
    int firstRefused = -1;
    std::string message;
    for (int line = 0; line < LineCount(); ++line) {
        if (!CommitsField(line) || !Offered(line)) continue;
        const FieldCheck check = CheckField(Line(line).rule, FieldText(line));
        if (check.Refused()) {
            if (firstRefused < 0) {
                firstRefused = line;
                message = check.message;
            }
            continue;
        }
        if (copy && check.value && Enabled(line)) store_[Index(line)] = StoredValueOf(Line(line).store, *check.value);
    }
    if (firstRefused < 0) return true;
    // One message for the first refused field; the others keep their text and old values too.
    env_.prompter.Message(message);
    view_->FocusField(firstRefused);
    return false;
}

bool CommandConsole::Commit() { return CheckFields(true); }

bool CommandConsole::ValidateFields() { return CheckFields(false); }

void CommandConsole::Display() {
    for (int line = 0; line < LineCount(); ++line) {
        if (!Enabled(line) || Line(line).format == FieldFormat::None) continue;
        fields_[Index(line)] = FormatFieldValue(Line(line), Value(line));
    }
    view_->ShowFields();
}

bool CommandConsole::BeginPass() { return ClaimCommBusy(env_.CommBusy, env_.prompter); }

std::vector<int> CommandConsole::EnabledAmong(const std::vector<int>& order, bool forWrite) const {
    std::vector<int> lines;
    for (int line : order) {
        const bool moves = forWrite ? Line(line).writable : Line(line).readable;
        if (moves && Enabled(line)) lines.push_back(line);
    }
    return lines;
}

void CommandConsole::PrepareProgress(int count) {
    if (count == 1) {
        view_->SetProgressRange(1, 2);
        view_->SetProgressPosition(1);
    } else if (count > 1) {
        view_->SetProgressRange(1, count);
        view_->SetProgressPosition(0);
    }
}

int CommandConsole::FailPass(int count) {
    env_.prompter.Message(texts::kUploadFailed);
    Display();
    env_.CommBusy = 0;
    if (count > 0) view_->SetProgressPosition(0);
    return 1;
}

int CommandConsole::EndPass(int count) {
    if (count > 0) view_->SetProgressPosition(0);
    env_.CommBusy = 0;
    return 0;
}

int CommandConsole::ReadPass() {
    if (definition_.rules.boxesTakenOnPass) {
        TakeCheckBoxes();
        ValidateFields();  // the read goes on; Display replaces what it refused
    }
    if (!BeginPass()) return 1;
    lastReadFailure_ = 0;
    const std::vector<int> lines = EnabledAmong(definition_.rules.readOrder, false);
    const int count = static_cast<int>(lines.size());
    PrepareProgress(count);
    for (int line : lines) {
        const int result = ReadLine(line);
        if (lastReadFailure_ == 0) lastReadFailure_ = result;
        if (result == 1) return FailPass(count);
        view_->StepProgress();
    }
    Display();
    return EndPass(count);
}

int CommandConsole::WritePass() {
    if (definition_.rules.boxesTakenOnPass) TakeCheckBoxes();
    if (!BeginPass()) return 1;
    if (definition_.rules.writeOnlyCommits) {
        Commit();
        env_.CommBusy = 0;
        return 0;
    }
    const std::vector<int> lines = EnabledAmong(definition_.rules.writeOrder, true);
    const int count = static_cast<int>(lines.size());
    PrepareProgress(count);
    Commit();  // a refused field keeps its stored value, and that is what goes out
    for (int line : lines) {
        if (WriteLine(line) == 1) return FailPass(count);
        view_->StepProgress();
    }
    return EndPass(count);
}

}  // namespace vantrel
