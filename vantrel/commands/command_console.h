#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "console_definition.h"
#include "console_environment.h"

namespace vantrel {

// One command console: its lines, the value store that lives for the whole run
// (polling logs it), the enable flags, the field texts, and the read and write
// passes over the enabled lines. The window is a view over it.
class CommandConsole {
public:
    // savedFlags: the flags the settings file keeps, one per line from the first;
    // lines past them keep a flag of their own that starts at 0 in every run.
    CommandConsole(const ConsoleDefinition& definition, ConsoleEnvironment environment,
                   std::vector<int32_t*> savedFlags);
    CommandConsole(const CommandConsole&) = delete;
    CommandConsole& operator=(const CommandConsole&) = delete;

    const ConsoleDefinition& Definition() const { return definition_; }
    ConsoleKind Kind() const { return definition_.kind; }
    int LineCount() const { return static_cast<int>(definition_.lines.size()); }
    const ConsoleLine& Line(int line) const { return definition_.lines[Index(line)]; }
    // The line named name (its script name), or -1.
    int FindLine(const std::string& name) const;

    void SetView(IConsoleView* view) { view_ = view != nullptr ? view : &noView_; }

    // Firmware: lines the firmware type does not offer are disabled rows, take
    // part in no pass, and lines offered only by UPS18 lose their flags.
    void ApplyFirmwareType(FirmwareType firmwareType);
    bool Offered(int line) const { return offered_[Index(line)]; }

    // Enable flags. A line takes part in passes when its flag is set and it is offered.
    bool Enabled(int line) const { return Offered(line) && *flags_[Index(line)] != 0; }
    void SetFlag(int line, bool on) { *flags_[Index(line)] = on ? 1 : 0; }
    // The state its check box shows.
    bool BoxChecked(int line) const;
    // A click on a check box; while polling is active the flag keeps its value.
    // Returns the state the box must show.
    bool ClickCheckBox(int line, bool checked);
    // Polling disables the boxes while it runs.
    void SetCheckBoxesEnabled(bool on);
    bool CheckBoxesEnabled() const { return boxesEnabled_; }
    // The spreadsheet chart needs the first three lines: their boxes and flags go on.
    void ForceGraphLines();
    // Where Read and Write publish the old flags before taking the boxes (the
    // I2C console: its first two flags go to the poll log and the settings file).
    void SetPublishedFlags(std::vector<int32_t*> published) { published_ = std::move(published); }

    // Field texts, as the view shows and edits them.
    const std::string& FieldText(int line) const { return fields_[Index(line)]; }
    void SetFieldText(int line, std::string text) { fields_[Index(line)] = std::move(text); }

    // The store: a real for tenths, otherwise the integer the line holds.
    double Value(int line) const { return store_[Index(line)]; }
    void SetValue(int line, double value) { store_[Index(line)] = value; }
    // The value as the poll log writes it: "%.1lf", "%d" or a hex word 0x00A5; the
    // serial number as the board sent it.
    std::string LogText(int line) const;
    // The word a write sends.
    int32_t WordToSend(int line) const;

    // The passes: 0 success, 1 refused or stopped at a transaction with result 1.
    int ReadPass();
    // The first result other than 0 among the last read pass's transactions: a
    // pass goes on after results 2 and 3, which leave their lines' values old.
    int LastReadFailure() const { return lastReadFailure_; }
    int WritePass();
    // Validates the fields and copies the accepted ones of the enabled lines into
    // the store. False when a field was refused (its message shown, focus on it).
    bool Commit();
    // Copies the store into the fields of the enabled lines.
    void Display();
    // Close checks the fields: false (with the message) when one is refused.
    bool ValidateFields();

    // One transaction for one line, no busy check, no progress: the result 0..3.
    // A read with result 0 stores the value; other results leave the store alone.
    int ReadLine(int line);
    int WriteLine(int line);

private:
    std::size_t Index(int line) const { return static_cast<std::size_t>(line); }
    uint8_t CommandOf(int line) const;
    bool CommitsField(int line) const;
    // Checks the fields that commit; copies the accepted ones of enabled lines when copy is set.
    bool CheckFields(bool copy);
    bool BeginPass();
    std::vector<int> EnabledAmong(const std::vector<int>& order, bool forWrite) const;
    void PrepareProgress(int count);
    int FailPass(int count);
    int EndPass(int count);
    void TakeCheckBoxes();

    const ConsoleDefinition& definition_;
    ConsoleEnvironment env_;
    std::vector<int32_t> ownFlags_;
    std::vector<int32_t*> flags_;
    std::vector<int32_t*> published_;
    std::vector<bool> boxes_;  // used when the boxes are taken only by a pass
    std::vector<bool> offered_;
    std::vector<std::string> fields_;
    std::vector<double> store_;
    bool boxesEnabled_ = true;
    int lastReadFailure_ = 0;
    IConsoleView noView_;
    IConsoleView* view_ = &noView_;
};

}  // namespace vantrel
