#include "workbook_window_host.h"

#include "vantrel/monitor/workbook/workbook_application.h"
#include "workbook_window.h"

namespace vantrel::workbook {

WorkbookWindowHost::WorkbookWindowHost(IPrompter& prompter) : prompter_(prompter) {}

WorkbookWindowHost::~WorkbookWindowHost() = default;

SpreadsheetLauncher WorkbookWindowHost::Launcher() {
    return [this] { return Launch(); };
}

std::shared_ptr<ISpreadsheetApplication> WorkbookWindowHost::Launch() {
    if (!application_) {
        workbook_ = std::make_shared<Workbook>();
        window_ = std::make_unique<WorkbookWindow>(*workbook_, prompter_);
        application_ = std::make_shared<WorkbookApplication>(workbook_);
    }
    return application_;
}

bool WorkbookWindowHost::ShowWindow() {
    if (!window_) return false;
    window_->ShowAndRaise();
    return true;
}

}  // namespace vantrel::workbook
