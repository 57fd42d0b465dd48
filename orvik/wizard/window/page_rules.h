#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "orvik/eval/values.h"

namespace orvik {

// The rules of a wizard page that need no widgets: what a control shows, an
// entry's hint and the checks made when an entry is left.

inline constexpr const char* kWizardCaption = "Velmor Power Supply Profile Wizard";
inline constexpr const char* kUntitledDescription = "Orvik";
inline constexpr const char* kLoadStepName = "Load Existing Profile";

// The window caption while the step is shown, and the description box title.
std::string PageCaption(pugi::xml_node step);
std::string DescriptionTitle(pugi::xml_node step);

// The text of the value a control edits: the table's text for its id; for a
// control without id (or an id the table lacks) its "default", else "0".
std::string ControlValueText(pugi::xml_node control, const TValMap& values);

// An entry shows its value's text when that is not empty, else "default", else "0".
std::string EntryText(pugi::xml_node entry, const TValMap& values);

// "Min: " + min + "  " and/or "Max: " + max, each evaluated against values.
// Throws EvalError.
std::string EntryHint(pugi::xml_node entry, const TValMap& values);

// The number an entry's text holds: optional blanks, sign, digits with an
// optional fraction and exponent, nothing else; finite.
std::optional<double> ReadEntryNumber(const std::string& text);
std::string NotANumberMessage(const std::string& text);

enum class EntryCheck {
    kAccepted,
    kNotANumber,   // the floating-point message is shown, nothing is stored
    kOutOfRange,   // the range is shown, nothing is stored, the focus goes back
};

// The checks of an entry being left: a number, then "max", then "min". The
// limits are evaluated as the number, "<=(" max ")" and ">=(" min ")". Throws
// EvalError when a limit cannot be evaluated.
EntryCheck CheckEntry(pugi::xml_node entry, const std::string& text, const TValMap& values);

// CheckEntry accepts the text; a limit that cannot be evaluated accepts nothing.
bool EntryAccepted(pugi::xml_node entry, const std::string& text, const TValMap& values);

// The refusal of an out-of-range entry, with the range from its hint.
std::string OutOfRangeMessage(const std::string& text, const std::string& hint);

// The number written so that the evaluator reads it back exactly: plain
// decimals, a negative number as a subtraction from 0 (the evaluator has no
// unary minus).
std::string NumberOperand(double value);

// The "name" of every "option" child, in document order.
std::vector<std::string> OptionNames(pugi::xml_node choose);

// The item a drop-down list selects for its value text: the item equal to the
// text; else, for an integer text, the item at that position; else the item
// equal to "default"; else the first. Nothing for a list without items.
std::optional<std::size_t> ChooseSelection(pugi::xml_node choose, const std::vector<std::string>& items,
                                           const std::string& valueText);

// True when the text picks no item, neither by name nor by position: a list
// that allows typing then shows the text itself.
bool IsTypedChoice(const std::vector<std::string>& items, const std::string& valueText);

// Presets follow the user's choice: a list applies the presets of its option
// once at start-up and again only when its selection changes, so values the
// user entered or a profile loaded after the choice are kept.
class PresetSelections {
public:
    // Applies the presets of every list's starting value.
    void Start(TValMap& values);

    // The list (with id) now holds text: applies its presets if the selection changed.
    void Select(pugi::xml_node choose, const std::string& id, const std::string& text, TValMap& values);

    // Takes every list's current value as applied (after a profile was loaded).
    void Settle(const TValMap& values);

private:
    std::map<std::string, std::string> applied_;
};

// What a check box's override replaces: the profile the values make with the
// box cleared, as it would be saved and read back again. Evaluation failures
// leave locations as far as they got; nothing is reported.
TMemMap WorkedOutMemory(const TMemMap& memory, const TValMap& values, const std::string& boxId);

// The text a control shows for such a profile: its "eval" over it ("1" or "0"
// for a check box); nothing when it has no "eval" or that fails.
std::optional<std::string> WorkedOutText(pugi::xml_node control, const TMemMap& workedOut);

}  // namespace orvik
