#include "workbook_window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <filesystem>

#include "sheet_table_model.h"
#include "vantrel/monitor/workbook/csv_export.h"
#include "vantrel/monitor/workbook/xlsx_export.h"
#include "workbook_chart_view.h"

namespace vantrel::workbook {
namespace {

constexpr double kPointsToPixels = 4.0 / 3.0;
constexpr int kInitialWidth = 900;
constexpr int kInitialHeight = 600;

// ".xlsx" of "/a/b.XLSX", lower-cased; empty without one.
std::string LowerExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

WorkbookWindow::WorkbookWindow(Workbook& workbook, IPrompter& prompter, QWidget* parent)
    : QMainWindow(parent), workbook_(workbook), prompter_(prompter), tabs_(new QTabWidget) {
    setWindowTitle(kTitle);
    resize(kInitialWidth, kInitialHeight);
    setCentralWidget(tabs_);

    for (int sheet = 1; sheet <= workbook_.SheetCount(); ++sheet) {
        SheetPage page;
        page.grid = new QTableView;
        page.model = new SheetTableModel(workbook_, sheet, page.grid);
        page.grid->setModel(page.model);
        tabs_->addTab(page.grid, QString::fromStdString(workbook_.Sheet(sheet).Name()));
        // Charts sit on the cells: they scroll with the grid.
        const auto place = [this, sheet] { PlaceCharts(sheet); };
        connect(page.grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, place);
        connect(page.grid->verticalScrollBar(), &QScrollBar::valueChanged, this, place);
        pages_.push_back(page);
    }
    for (int sheet = 1; sheet <= workbook_.SheetCount(); ++sheet) {
        for (const ChartId chart : workbook_.Sheet(sheet).Charts()) AddChartView(chart);
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        const int sheet = index + 1;
        if (workbook_.HasSheet(sheet) && workbook_.ActiveSheet() != sheet) workbook_.SetActiveSheet(sheet);
    });

    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* saveAs = file->addAction(tr("Save &As..."), this, [this] { SaveAs(); });
    saveAs->setShortcut(QKeySequence::SaveAs);
    file->addSeparator();
    file->addAction(tr("&Close"), this, [this] { close(); });

    chartTimer_.setSingleShot(true);
    connect(&chartTimer_, &QTimer::timeout, this, [this] { RefreshCharts(); });

    workbook_.AddListener(this);
    ViewStateChanged();
}

WorkbookWindow::~WorkbookWindow() { workbook_.RemoveListener(this); }

void WorkbookWindow::ShowAndRaise() {
    workbook_.SetVisible(true);
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

bool WorkbookWindow::SaveAs() {
    const auto path = prompter_.SaveFile(kSaveFilter, kSaveExtension);
    if (!path) return false;
    const std::string extension = LowerExtension(*path);
    // The file dialog leaves the question to us.
    std::error_code ignored;
    if ((extension == ".xlsx" || extension == ".csv") && std::filesystem::exists(*path, ignored) &&
        !prompter_.AskYesNo(*path + kReplaceQuestion)) {
        return false;
    }
    std::optional<std::string> failure;
    if (extension == ".xlsx") {
        failure = SaveWorkbookXlsx(workbook_, *path);
    } else if (extension == ".csv") {
        failure = SaveSheetCsv(workbook_.Sheet(tabs_->currentIndex() + 1), *path);
    } else {
        failure = kUnknownExtension;
    }
    if (failure) prompter_.Message(*failure);
    return !failure;
}

QTableView* WorkbookWindow::Grid(int sheet) const { return pages_.at(static_cast<std::size_t>(sheet - 1)).grid; }

std::vector<WorkbookChartView*> WorkbookWindow::ChartViews(int sheet) const {
    return pages_.at(static_cast<std::size_t>(sheet - 1)).charts;
}

void WorkbookWindow::closeEvent(QCloseEvent* event) {
    // The workbook lives on; the window hides and polling may show it again.
    event->ignore();
    workbook_.SetVisible(false);
}

void WorkbookWindow::CellChanged(int sheet, CellAddress cell) {
    pages_[static_cast<std::size_t>(sheet - 1)].model->CellChanged(cell);
    bool refresh = false;
    for (const SheetPage& page : pages_) {
        for (WorkbookChartView* view : page.charts) {
            view->NoteCellChanged(sheet, cell);
            refresh = refresh || view->NeedsRefresh();
        }
    }
    if (refresh) ScheduleChartRefresh();
}

void WorkbookWindow::ChartAdded(ChartId chart) {
    AddChartView(chart);
    ScheduleChartRefresh();
}

void WorkbookWindow::ChartChanged(ChartId chart) {
    for (const SheetPage& page : pages_) {
        for (WorkbookChartView* view : page.charts) {
            if (view->Id() == chart) view->NoteChartChanged();
        }
    }
    ScheduleChartRefresh();
}

void WorkbookWindow::ViewStateChanged() {
    for (int sheet = 1; sheet <= workbook_.SheetCount(); ++sheet) {
        tabs_->setTabVisible(sheet - 1, workbook_.Sheet(sheet).Visible());
    }
    if (tabs_->currentIndex() != workbook_.ActiveSheet() - 1) tabs_->setCurrentIndex(workbook_.ActiveSheet() - 1);
    if (workbook_.Visible() != isVisible()) setVisible(workbook_.Visible());
}

void WorkbookWindow::AddChartView(ChartId chart) {
    const int sheet = workbook_.FindChart(chart)->sheet;
    SheetPage& page = pages_[static_cast<std::size_t>(sheet - 1)];
    auto* view = new WorkbookChartView(workbook_, chart, page.grid->viewport());
    page.charts.push_back(view);
    view->show();
    view->raise();  // a later chart covers the earlier ones
    PlaceCharts(sheet);
}

void WorkbookWindow::PlaceCharts(int sheet) {
    const SheetPage& page = pages_[static_cast<std::size_t>(sheet - 1)];
    // Placements count from the top left corner of cell A1, wherever scrolling has taken it.
    const QPoint cellA1(page.grid->columnViewportPosition(0), page.grid->rowViewportPosition(0));
    for (WorkbookChartView* view : page.charts) {
        const ChartPlacement& place = workbook_.FindChart(view->Id())->placement;
        view->move(cellA1 + QPoint(static_cast<int>(place.left * kPointsToPixels),
                                   static_cast<int>(place.top * kPointsToPixels)));
    }
}

void WorkbookWindow::ScheduleChartRefresh() {
    if (chartTimer_.isActive()) return;
    const qint64 since = sinceChartRefresh_.isValid() ? sinceChartRefresh_.elapsed() : chartRefreshInterval_;
    chartTimer_.start(static_cast<int>(std::max<qint64>(0, chartRefreshInterval_ - since)));
}

void WorkbookWindow::RefreshCharts() {
    for (const SheetPage& page : pages_) {
        for (WorkbookChartView* view : page.charts) {
            if (view->NeedsRefresh()) view->Refresh();
        }
    }
    sinceChartRefresh_.restart();
}

}  // namespace vantrel::workbook
