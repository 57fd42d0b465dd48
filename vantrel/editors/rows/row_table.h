#pragma once
#include <string>
#include <vector>

namespace vantrel {

// What a row shows in its "Input/Output" column.
enum class RowControl {
    Edit,            // a text field
    CheckBox,        // a check box (its text is controlText)
    Button,          // a push button (its text is controlText)
    CheckAndButton,  // a check box followed by a push button ("Ch Term")
    GroupTitle,      // a caption across the row that starts a group of rows
};

// How an edit's text is read as a value.
enum class ValueKind {
    Integer,  // whole number, "Please enter an integer." when it is none
    Number,   // decimal number, "Please enter a number." when it is none
    Hex,      // 16-bit word in hexadecimal, "0x" prefix allowed
    Text,     // taken as typed
};

// The wording of the range message: "Please enter a number between %1 and %2."
// or "Please enter an integer between %1 and %2.".
enum class RangeWording { Number, Integer };

// One row of an editor or console: what it shows and how its edit is checked.
// What the row moves (a record field, a board command) is its owner's business.
struct RowSpec {
    RowControl control = RowControl::Edit;
    std::string controlText;   // check box or button text
    std::string unitLabel;     // "Range/Units" column
    std::string description;   // "Command Description" column

    ValueKind kind = ValueKind::Number;
    RangeWording wording = RangeWording::Number;
    double minimum = 0;
    double maximum = 65535;
    bool digitsOnly = false;      // the edit refuses anything but digits
    int maxLength = 0;            // 0: no limit
    bool commitsOnTyping = false; // every change of the text is taken at once

    bool enableBox = false;  // a console row: an enable check box in front of the row
    bool visible = true;
    bool enabled = true;     // start state; the owner changes it later through the view
};

// A dialog's table: caption, headings, rows, the progress bar and the buttons
// under it.
struct RowTable {
    std::string caption;
    std::string enableHeading;  // over the enable boxes (consoles)
    std::string controlHeading = "Input/Output";
    std::string unitHeading = "Range/Units";
    std::string descriptionHeading = "Command Description";
    std::vector<RowSpec> rows;

    bool progress = true;
    std::string progressLabel = "Update Progress";
    std::vector<std::string> buttons;  // "&Read", "&Write", "&Close": index = button id

    bool HasEnableBoxes() const;
};

}  // namespace vantrel
