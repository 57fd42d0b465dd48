#pragma once
#include <memory>

#include "vantrel/link/prompter.h"
#include "vantrel/monitor/spreadsheet.h"

namespace vantrel::workbook {

class Workbook;
class WorkbookApplication;
class WorkbookWindow;

// Owns the workbook, the spreadsheet application over it and its window, for
// the whole run of the program. Polling gets the application through
// Launcher(); the window is built on the first launch and shown when polling
// makes the application visible.
class WorkbookWindowHost {
public:
    explicit WorkbookWindowHost(IPrompter& prompter);
    ~WorkbookWindowHost();
    WorkbookWindowHost(const WorkbookWindowHost&) = delete;
    WorkbookWindowHost& operator=(const WorkbookWindowHost&) = delete;

    // Every launch answers the one application (a run holds one workbook).
    // The launcher refers to this host, which must outlive its callers' use of it.
    SpreadsheetLauncher Launcher();
    // Null until the first launch.
    WorkbookWindow* Window() const { return window_.get(); }
    // Shows the window again, if there is one; false when polling has not launched it yet.
    bool ShowWindow();

private:
    std::shared_ptr<ISpreadsheetApplication> Launch();

    IPrompter& prompter_;
    std::shared_ptr<Workbook> workbook_;
    std::shared_ptr<WorkbookApplication> application_;
    // Last, so destroyed first: it listens to the workbook, which polling's reference may keep alive.
    std::unique_ptr<WorkbookWindow> window_;
};

}  // namespace vantrel::workbook
