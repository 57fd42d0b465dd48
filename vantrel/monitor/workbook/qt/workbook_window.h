#pragma once
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <vector>

#include "vantrel/link/prompter.h"
#include "vantrel/monitor/workbook/workbook.h"

class QTabWidget;
class QTableView;

namespace vantrel::workbook {

class SheetTableModel;
class WorkbookChartView;

// The workbook's window: a tab per worksheet with its cell grid and, over the
// grid, its charts at their places (later ones on top), following the
// workbook as polling fills it. Closing the window only hides it. File > Save
// As... writes the workbook as .xlsx, or the current sheet as .csv.
class WorkbookWindow final : public QMainWindow, private IWorkbookListener {
public:
    static constexpr const char* kTitle = "Vantrel Workbook";
    static constexpr const char* kSaveFilter = "Excel Workbook (*.xlsx)|*.xlsx|CSV, current sheet (*.csv)|*.csv|";
    static constexpr const char* kSaveExtension = "xlsx";
    static constexpr const char* kReplaceQuestion = " already exists.\nDo you want to replace it?";
    static constexpr const char* kUnknownExtension =
        "Save the workbook as an .xlsx file, or the current sheet as a .csv file.";
    // A chart redraws at most this often while rows pour in (the chart lays
    // out every point of a line again whenever it changes); a row after a
    // quiet spell shows at once.
    static constexpr int kChartRefreshMilliseconds = 100;

    WorkbookWindow(Workbook& workbook, IPrompter& prompter, QWidget* parent = nullptr);
    ~WorkbookWindow() override;

    // Shows the window again (from the application's menu) and brings it to the front.
    void ShowAndRaise();
    // Asks for a file name and saves; false when cancelled or the save failed (the user was told why).
    bool SaveAs();

    // The shortest time between two redraws of the charts; 0 redraws after every change.
    void SetChartRefreshInterval(int milliseconds) { chartRefreshInterval_ = milliseconds; }

    QTabWidget* Tabs() const { return tabs_; }
    QTableView* Grid(int sheet) const;
    // The charts drawn over a sheet's grid, in the order they were added.
    std::vector<WorkbookChartView*> ChartViews(int sheet) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct SheetPage {
        QTableView* grid = nullptr;
        SheetTableModel* model = nullptr;
        std::vector<WorkbookChartView*> charts;
    };

    // IWorkbookListener
    void CellChanged(int sheet, CellAddress cell) override;
    void ChartAdded(ChartId chart) override;
    void ChartChanged(ChartId chart) override;
    void ViewStateChanged() override;

    void AddChartView(ChartId chart);
    void PlaceCharts(int sheet);
    void ScheduleChartRefresh();
    void RefreshCharts();

    Workbook& workbook_;
    IPrompter& prompter_;
    QTabWidget* tabs_;
    std::vector<SheetPage> pages_;  // by sheet - 1
    QTimer chartTimer_;
    QElapsedTimer sinceChartRefresh_;
    int chartRefreshInterval_ = kChartRefreshMilliseconds;
};

}  // namespace vantrel::workbook
