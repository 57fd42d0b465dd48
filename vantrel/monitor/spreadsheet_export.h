#pragma once
#include <memory>
#include <string>

#include "spreadsheet.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

class CommandConsole;

// Polling's spreadsheet output: starts the spreadsheet application once per
// run, prepares a worksheet and its chart at each polling start, and writes
// each record as a row: time, battery temperature in degrees C, voltage and
// current in V and A as formulas, and the one-minute average current.
class SpreadsheetExport {
public:
    static constexpr int kFirstDataRow = 2;
    static constexpr int kSheetCount = 3;

    enum class StartResult {
        Started,
        NotCreated,      // the application could not be created
        VersionRefused,  // "Excel output only works for Excel 2000" shown
        Failed,          // "Error starting Excel" shown
    };

    SpreadsheetExport(SpreadsheetLauncher launcher, IPrompter& prompter)
        : launcher_(std::move(launcher)), prompter_(prompter) {}

    bool Started() const { return application_ != nullptr; }
    int GraphStartCount() const { return graphStarts_; }
    int NextRow() const { return nextRow_; }

    StartResult StartApplication();
    // Each polling start; rows are written from the first data row again.
    void RestartRows() { nextRow_ = kFirstDataRow; }
    // Forces the chart's lines on in the SMBus console, takes the worksheet,
    // writes the header and adds the chart. False on an automation error.
    [[nodiscard]] bool PrepareSheetAndChart(CommandConsole& smbus);
    // One record line of the poll log. False on an automation error.
    [[nodiscard]] bool WriteRow(const std::string& recordLine, const CommandConsole& smbus);
    // Program end: the application stays open for the user; only our reference goes.
    void Release() { application_.reset(); }

private:
    SpreadsheetLauncher launcher_;
    IPrompter& prompter_;
    std::shared_ptr<ISpreadsheetApplication> application_;
    int graphStarts_ = 0;
    SheetId sheet_ = 0;
    ChartId chart_ = 0;
    int nextRow_ = kFirstDataRow;
};

// A cell's name: column 0 is "A"; rows count from 1.
std::string CellName(int column, int row);

}  // namespace vantrel
