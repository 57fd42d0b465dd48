#include "console_dialog.h"

#include <QCheckBox>
#include <QLineEdit>

namespace vantrel {
namespace {

const char* const kFutureCaption = "future";
constexpr int kI2cOpeningProgressHigh = 9;

}  // namespace

RowTable ConsoleDialog::TableFor(const ConsoleDefinition& definition) {
    RowTable table;
    table.caption = definition.rules.caption;
    table.controlHeading = definition.rules.headings[0];
    table.unitHeading = definition.rules.headings[1];
    table.descriptionHeading = definition.rules.headings[2];
    table.enableHeading = definition.rules.headings[3];
    table.buttons = {"&Read", "&Write", "&Close"};
    for (int line : definition.rules.displayOrder) {
        const ConsoleLine& rowSpec = definition.lines[static_cast<std::size_t>(line)];
        RowSpec row;
        row.kind = ValueKind::Text;  // the console checks its fields itself
        row.unitLabel = rowSpec.units;
        row.description = rowSpec.label;
        row.enableBox = true;
        row.digitsOnly = rowSpec.digitsOnly;
        table.rows.push_back(row);
    }
    for (int i = 0; i < definition.rules.futureRows; ++i) {
        RowSpec row;
        row.kind = ValueKind::Text;
        row.enableBox = true;
        row.enabled = false;
        row.visible = !definition.rules.futureRowsHidden;
        table.rows.push_back(row);
    }
    return table;
}

ConsoleDialog::ConsoleDialog(CommandConsole& console, ConsoleDialogContext context)
    : RowTableDialog(TableFor(console.Definition())), console_(console), context_(std::move(context)) {
    const ConsoleDefinition& definition = console.Definition();
    lineOfRow_ = definition.rules.displayOrder;
    lineOfRow_.resize(lineOfRow_.size() + static_cast<std::size_t>(definition.rules.futureRows), -1);

    QtRowTableView& view = View();
    for (int row = 0; row < static_cast<int>(lineOfRow_.size()); ++row) {
        const int line = LineOf(row);
        const bool future = line < 0 || !definition.boxCaptions[static_cast<std::size_t>(line)].empty();
        if (future) view.EnableBoxWidget(row)->setText(kFutureCaption);
        if (line < 0) {
            view.EnableBoxWidget(row)->setEnabled(false);
            continue;
        }
        view.SetRowReadOnly(row, !console.Line(line).writable);
    }

    view.handlers.textEdited = [this](int row, const std::string& text) {
        if (LineOf(row) >= 0) console_.SetFieldText(LineOf(row), text);
    };
    view.handlers.editFinished = [this](int row) {
        const int line = LineOf(row);
        if (line < 0 || committing_ || !console_.Definition().rules.commitOnFieldExit) return;
        if (!console_.Line(line).writable) return;
        // The refusal's message box takes the focus too: one commit at a time.
        committing_ = true;
        console_.Commit();
        committing_ = false;
    };
    view.handlers.enableToggled = [this](int row, bool checked) {
        const int line = LineOf(row);
        if (line < 0) return;
        const bool shown = console_.ClickCheckBox(line, checked);
        if (shown != checked) View().SetEnableBox(row, shown);
    };
    view.handlers.button = [this](int button) {
        switch (button) {
            case kRead: console_.ReadPass(); break;
            case kWrite: console_.WritePass(); break;
            case kClose: Close(); break;
            default: break;
        }
    };
    onDismiss = [this] { Close(); };

    console_.SetView(this);
    if (definition.rules.boxesTakenOnPass) {
        view.SetProgressRange(1, kI2cOpeningProgressHigh);
        view.SetProgressPosition(1);
    }
    ShowFields();
    ShowCheckBoxes();
}

ConsoleDialog::~ConsoleDialog() { console_.SetView(nullptr); }

int ConsoleDialog::RowOf(int line) const {
    for (int row = 0; row < static_cast<int>(lineOfRow_.size()); ++row) {
        if (lineOfRow_[static_cast<std::size_t>(row)] == line) return row;
    }
    return -1;
}

int ConsoleDialog::LineOf(int row) const { return lineOfRow_.at(static_cast<std::size_t>(row)); }

void ConsoleDialog::showEvent(QShowEvent* event) {
    console_.ApplyFirmwareType(context_.firmwareType());
    View().SetButtonEnabled(kWrite, context_.writeEnableFlag != 0);
    RowTableDialog::showEvent(event);
}

void ConsoleDialog::Close() {
    // The I2C console hides without looking at its fields.
    if (!console_.Definition().rules.boxesTakenOnPass && !console_.ValidateFields()) return;
    hide();
}

void ConsoleDialog::SetProgressRange(int low, int high) { View().SetProgressRange(low, high); }

void ConsoleDialog::SetProgressPosition(int position) { View().SetProgressPosition(position); }

void ConsoleDialog::StepProgress() { View().StepProgress(); }

void ConsoleDialog::ShowFields() {
    for (int line = 0; line < console_.LineCount(); ++line) View().SetRowText(RowOf(line), console_.FieldText(line));
}

void ConsoleDialog::ShowCheckBoxes() {
    QtRowTableView& view = View();
    for (int line = 0; line < console_.LineCount(); ++line) {
        const int row = RowOf(line);
        const bool offered = console_.Offered(line);
        view.SetRowEnabled(row, offered);
        view.SetEnableBox(row, console_.BoxChecked(line));
        view.EnableBoxWidget(row)->setEnabled(offered && console_.CheckBoxesEnabled());
    }
}

void ConsoleDialog::FocusField(int line) {
    if (QLineEdit* edit = View().Edit(RowOf(line))) edit->setFocus();
}

}  // namespace vantrel
