#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "vantrel/editors/rows_qt/row_table_dialog.h"

namespace vantrel {
namespace {

RowTable ConsoleLikeTable() {
    RowTable table;
    table.caption = "Rows";
    table.enableHeading = "Enable";
    RowSpec edit;
    edit.unitLabel = " 0..65535 / mV";
    edit.description = " Voltage";
    edit.digitsOnly = true;
    edit.enableBox = true;
    RowSpec check;
    check.control = RowControl::CheckAndButton;
    check.controlText = "Ch Term";
    check.description = " Setup";
    RowSpec hidden = edit;
    hidden.visible = false;
    hidden.enableBox = false;
    table.rows = {edit, check, hidden};
    table.buttons = {"&Read", "&Write", "&Close"};
    return table;
}

TEST(RowTableView, RendersRowsAndReportsOnlyTheUsersActions) {
    RowTableDialog dialog(ConsoleLikeTable());
    QtRowTableView& view = dialog.View();
    EXPECT_EQ(dialog.windowTitle(), "Rows");
    ASSERT_NE(view.EnableBoxWidget(0), nullptr);
    EXPECT_EQ(view.EnableBoxWidget(1), nullptr);
    EXPECT_EQ(view.RowButton(1)->text(), "Ch Term");
    EXPECT_EQ(view.UnitLabel(0)->text(), " 0..65535 / mV");
    EXPECT_FALSE(view.Edit(2)->isVisibleTo(&view));
    EXPECT_TRUE(view.Edit(0)->isVisibleTo(&view));

    std::vector<std::string> typed;
    std::vector<int> buttons;
    std::vector<int> enables;
    view.handlers.textEdited = [&](int row, const std::string& text) { typed.push_back(std::to_string(row) + text); };
    view.handlers.button = [&](int button) { buttons.push_back(button); };
    view.handlers.enableToggled = [&](int row, bool on) { enables.push_back(on ? row : -row - 1); };

    view.SetRowText(0, "77");  // the owner's own change is not reported
    EXPECT_TRUE(typed.empty());
    QTest::keyClicks(view.Edit(0), "1x2");  // digits only: the x is refused
    EXPECT_EQ(view.RowText(0), "7712");
    EXPECT_EQ(typed, (std::vector<std::string>{"0771", "07712"}));

    view.EnableBoxWidget(0)->click();
    EXPECT_TRUE(view.EnableBox(0));
    EXPECT_EQ(enables, std::vector<int>{0});
    view.Button(2)->click();
    EXPECT_EQ(buttons, std::vector<int>{2});

    view.SetButtonEnabled(1, false);
    EXPECT_FALSE(view.Button(1)->isEnabled());
    view.SetRowEnabled(1, false);
    EXPECT_FALSE(view.RowButton(1)->isEnabled());
    EXPECT_FALSE(view.Check(1)->isEnabled());
}

TEST(RowTableView, ProgressStaysInsideItsRange) {
    RowTableDialog dialog(ConsoleLikeTable());
    QtRowTableView& view = dialog.View();
    view.SetProgressRange(1, 3);
    view.SetProgressPosition(1);
    for (int i = 0; i < 5; ++i) view.StepProgress();
    EXPECT_EQ(view.Progress()->value(), 3);
    view.SetProgressPosition(1);
    EXPECT_EQ(view.Progress()->value(), 1);
}

TEST(RowTableDialog, EscapeGoesToTheOwner) {
    RowTableDialog dialog(ConsoleLikeTable());
    int dismissed = 0;
    dialog.onDismiss = [&] { ++dismissed; };
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dismissed, 1);
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
}  // namespace vantrel
