#include "polling.h"

#include "poll_log.h"
#include "polling_table.h"
#include "polling_texts.h"
#include "vantrel/commands/command_consoles.h"
#include "vantrel/config/message_texts.h"
#include "vantrel/editors/rows/row_entry.h"

namespace vantrel {
Polling::Polling(PollingEnvironment environment)
    : env_(std::move(environment)), spreadsheet_(env_.spreadsheet, env_.prompter) {}

Polling::~Polling() {
    // Only our own reference goes: at program end the record that holds the
    // polling flags may be gone already, and the owner stops polling first.
    spreadsheet_.Release();
}

bool Polling::ValidateFields() {
    const std::vector<RowSpec>& rows = PollingControlTable().rows;
    const RowEntry name = ReadRowEntry(rows[kPollNameRow], nameField);
    if (!name.Ok()) {
        env_.prompter.Message(name.message);
        view_->FocusField(kPollNameRow);
        return false;
    }
    logName_ = nameField;
    const RowEntry rate = ReadRowEntry(rows[kPollRateRow], rateField);
    if (!rate.Ok()) {
        env_.prompter.Message(rate.message);
        view_->FocusField(kPollRateRow);
        return false;
    }
    env_.pollingRate = static_cast<int32_t>(*rate.value);
    return true;
}

void Polling::StartStop() {
    if (Active()) {
        Stop();
    } else {
        Start();
    }
}

bool Polling::Start() {
    if (Active()) return true;
    if (!ValidateFields()) return false;
    if (spreadsheet_.GraphStartCount() == 0 && env_.createConsoleWindows) env_.createConsoleWindows();
    if (graphBox && !spreadsheet_.Started() && !StartSpreadsheet()) return false;
    spreadsheet_.RestartRows();
    if (graphBox && !spreadsheet_.PrepareSheetAndChart(env_.consoles.smbus)) {
        env_.prompter.Message(texts::kSpreadsheetAutomationError);
        return false;
    }
    if (logBox) {
        const int error = PollLogFile(logName_).Create(PollLogHeader(env_.consoles));
        if (error != 0) {
            env_.prompter.Message(PollLogErrorText(error));
            return false;
        }
    }
    SetBoxesEnabled(false);
    startTime_ = env_.clock();
    env_.pollingActive = 1;
    return true;
}

bool Polling::StartSpreadsheet() {
    const SpreadsheetExport::StartResult result = spreadsheet_.StartApplication();
    if (result == SpreadsheetExport::StartResult::Started) return true;
    if (result == SpreadsheetExport::StartResult::VersionRefused) {
        graphBox = false;
        view_->ShowFields();
    }
    env_.prompter.Message(texts::kSpreadsheetNotStarted);
    return false;
}

void Polling::Stop() {
    env_.pollingActive = 0;
    SetBoxesEnabled(true);
}

void Polling::SetBoxesEnabled(bool enabled) {
    CommandConsoles& consoles = env_.consoles;
    for (CommandConsole* console : {&consoles.smbus, &consoles.temperature, &consoles.other}) {
        console->SetCheckBoxesEnabled(enabled);
    }
    view_->ShowBoxesEnabled(enabled);
}

void Polling::Tick() {
    if (!Active()) return;
    if (tickCounter_ < env_.pollingRate) {
        ++tickCounter_;
        return;
    }
    // Another sequence holds the link: the poll waits for the next tick.
    if (env_.CommBusy != 0) return;
    Poll();
}

void Polling::Poll() {
    CommandConsoles& consoles = env_.consoles;
    for (CommandConsole* console : {&consoles.smbus, &consoles.temperature, &consoles.other}) {
        // A failing pass has shown its own message.
        if (console->ReadPass() != 0) {
            Stop();
            return;
        }
        // A pass goes on past a wrong acknowledgement or checksum, as a silent
        // board gives on every read: its values would be old ones logged as new.
        if (console->LastReadFailure() != 0) {
            Stop();
            env_.prompter.Message(texts::kUploadFailed);
            return;
        }
    }
    if (graphBox || logBox || onRecord) TakeRecord();
    tickCounter_ = 1;
}

void Polling::TakeRecord() {
    const std::string line = PollRecordLine(env_.consoles, static_cast<long long>(env_.clock() - startTime_));
    if (graphBox && !spreadsheet_.WriteRow(line, env_.consoles.smbus)) {
        Stop();
        env_.prompter.Message(texts::kSpreadsheetAutomationError);
    }
    // The record was taken: it reaches the log even when the spreadsheet failed.
    if (logBox) {
        const int error = PollLogFile(logName_).Append(line);
        if (error != 0) {
            Stop();
            env_.prompter.Message(PollLogErrorText(error));
            return;
        }
    }
    if (onRecord) onRecord(line);
}

}  // namespace vantrel
