#include "spreadsheet_export.h"

#include <array>

#include "polling_texts.h"
#include "vantrel/commands/command_console.h"

namespace vantrel {
namespace {

const char* const kAcceptedVersions[] = {"9.0", "8.0"};

// The SMBus lines the rows carry after the time, each with how its field
// becomes the cell's text.
enum SmbusLine { kBatteryTemperature, kBatteryVoltage, kBatteryCurrent, kAverageCurrent, kRowLines };
struct RowColumn {
    const char* header;  // nullptr: no header cell
    const char* prefix;
    const char* suffix;
};
constexpr std::array<RowColumn, kRowLines> kRowColumns = {{
    {"BattTemp (C)", "=", "-273.2"},  // kelvin to degrees C
    {"Batt_V (V)", "=", "/1000"},     // mV to V
    {"Batt_I (A)", "=", "/1000"},     // mA to A
    {nullptr, "", ""},
}};

constexpr char kTimeHeader[] = "Time";
constexpr char kChartTitle[] = "Charging Profile";
constexpr char kCategoryTitle[] = "Time (s)";
constexpr ChartPlacement kChartPlacement{100.0, 10.0, 400.0, 296.0};
constexpr int16_t kGalleryLine = 7;
constexpr int16_t kFormat = 2;
constexpr int16_t kOne = 1;
// The chart covers the time and the three charted columns.
constexpr int kChartLastColumn = 3;

// The record's fields after the time, one at a time: each ends at the next
// comma, and the comma and blank after it are skipped.
class RecordFields {
public:
    explicit RecordFields(const std::string& line) : line_(line) {}
    std::string Next() {
        const std::size_t comma = line_.find(',', position_);
        const std::size_t end = comma == std::string::npos ? line_.size() : comma;
        std::string field = line_.substr(std::min(position_, end), end - std::min(position_, end));
        position_ = comma == std::string::npos ? line_.size() : comma + 2;
        return field;
    }

private:
    const std::string& line_;
    std::size_t position_ = 0;
};

}  // namespace

std::string CellName(int column, int row) {
    return std::string(1, static_cast<char>('A' + column)) + std::to_string(row);
}

SpreadsheetExport::StartResult SpreadsheetExport::StartApplication() {
    std::shared_ptr<ISpreadsheetApplication> application = launcher_ ? launcher_() : nullptr;
    if (!application) return StartResult::NotCreated;
    try {
        const std::string version = application->Version();
        bool accepted = false;
        for (const char* known : kAcceptedVersions) accepted = accepted || version == known;
        if (!accepted) {
            prompter_.Message(texts::kSpreadsheetVersion);
            return StartResult::VersionRefused;
        }
        application->AddWorkbook();
    } catch (const SpreadsheetError&) {
        prompter_.Message(texts::kSpreadsheetStartError);
        return StartResult::Failed;
    }
    application_ = std::move(application);
    return StartResult::Started;
}

bool SpreadsheetExport::PrepareSheetAndChart(CommandConsole& smbus) {
    if (!application_) return false;
    smbus.ForceGraphLines();
    const int k = graphStarts_++;
    try {
        if (k < kSheetCount) sheet_ = application_->SheetItem(k + 1);
        application_->PutValue({sheet_, CellName(0, 1), CellName(0, 1)}, kTimeHeader);
        int column = 0;
        for (int line = kBatteryTemperature; line <= kBatteryCurrent; ++line) {
            if (!smbus.Enabled(line)) continue;
            ++column;
            application_->PutValue({sheet_, CellName(column, 1), CellName(column, 1)},
                                   kRowColumns[static_cast<std::size_t>(line)].header);
        }
        chart_ = application_->AddChartObject(sheet_, kChartPlacement);
        ChartWizardArguments wizard;
        wizard.source = {sheet_, CellName(0, 1), CellName(kChartLastColumn, kFirstDataRow)};
        wizard.gallery = kGalleryLine;
        wizard.format = kFormat;
        wizard.plotBy = kPlotByColumns;
        wizard.categoryLabels = kOne;
        wizard.seriesLabels = kOne;
        wizard.hasLegend = kOne;
        wizard.title = kChartTitle;
        wizard.categoryTitle = kCategoryTitle;
        application_->ChartWizard(chart_, wizard);
        application_->SetVisible(true);
        application_->SetSheetVisible(sheet_, true);
        application_->ActivateSheet(sheet_);
    } catch (const SpreadsheetError&) {
        return false;
    }
    return true;
}

bool SpreadsheetExport::WriteRow(const std::string& recordLine, const CommandConsole& smbus) {
    if (!application_) return false;
    const int row = nextRow_;
    RecordFields fields(recordLine);
    try {
        application_->PutValue({sheet_, CellName(0, row), CellName(0, row)}, fields.Next());
        int column = 1;
        for (int line = kBatteryTemperature; line < kRowLines; ++line) {
            if (!smbus.Enabled(line)) continue;
            const RowColumn& how = kRowColumns[static_cast<std::size_t>(line)];
            application_->PutValue({sheet_, CellName(column, row), CellName(column, row)},
                                   how.prefix + fields.Next() + how.suffix);
            ++column;
        }
        nextRow_ = row + 1;
        application_->SetSourceData(chart_, {sheet_, CellName(0, 1), CellName(kChartLastColumn, nextRow_)},
                                    kPlotByColumns);
    } catch (const SpreadsheetError&) {
        return false;
    }
    return true;
}

}  // namespace vantrel
