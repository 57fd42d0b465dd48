#include "orvik/wizard/window/page_rules.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>
#include <utility>

#include "orvik/definition/element.h"
#include "orvik/definition/reporter.h"
#include "orvik/eval/eval.h"
#include "orvik/eval/number_text.h"
#include "orvik/image/config_image.h"
#include "orvik/image/evaluate_map.h"
#include "orvik/image/presets.h"

namespace orvik {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::optional<long long> ReadInteger(const std::string& text) {
    if (text.empty()) return std::nullopt;
    long long n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return n;
}

std::optional<std::size_t> IndexOf(const std::vector<std::string>& items, const std::string& text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> PositionOf(const std::vector<std::string>& items, const std::string& text) {
    const std::optional<long long> n = ReadInteger(text);
    if (!n || *n < 0 || static_cast<unsigned long long>(*n) >= items.size()) return std::nullopt;
    return static_cast<std::size_t>(*n);
}

bool LimitHolds(double number, const char* comparison, const std::string& limit, const TValMap& values) {
    CEval eval;
    eval.Compile(NumberOperand(number) + comparison + limit + ")");
    return eval.EvaluateNumber(values) != 0.0;
}

std::string Evaluated(const std::string& expression, const TValMap& values) {
    CEval eval;
    eval.Compile(expression);
    return eval.Evaluate(values);
}

}  // namespace

std::string PageCaption(pugi::xml_node step) {
    if (!HasAttribute(step, "name")) return kWizardCaption;
    return std::string(kWizardCaption) + ": " + AttributeText(step, "name");
}

std::string DescriptionTitle(pugi::xml_node step) {
    return HasAttribute(step, "name") ? AttributeText(step, "name") : kUntitledDescription;
}

std::string ControlValueText(pugi::xml_node control, const TValMap& values) {
    const std::string id = AttributeText(control, "id");
    if (!id.empty()) {
        if (const auto value = values.find(id); value != values.end()) return value->second.value;
    }
    return HasAttribute(control, "default") ? AttributeText(control, "default") : "0";
}

std::string EntryText(pugi::xml_node entry, const TValMap& values) {
    const std::string id = AttributeText(entry, "id");
    if (const auto value = values.find(id); !id.empty() && value != values.end() && !value->second.value.empty()) {
        return value->second.value;
    }
    return HasAttribute(entry, "default") ? AttributeText(entry, "default") : "0";
}

std::string EntryHint(pugi::xml_node entry, const TValMap& values) {
    std::string hint;
    if (HasAttribute(entry, "min")) hint += "Min: " + Evaluated(AttributeText(entry, "min"), values) + "  ";
    if (HasAttribute(entry, "max")) hint += "Max: " + Evaluated(AttributeText(entry, "max"), values);
    return hint;
}

std::optional<double> ReadEntryNumber(const std::string& text) {
    std::string number = Trimmed(text);
    if (!number.empty() && number.front() == '+') number.erase(0, 1);
    if (number.empty() || !(std::isdigit(static_cast<unsigned char>(number.front())) || number.front() == '.' ||
                            number.front() == '-')) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (error != std::errc{} || end != number.data() + number.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string NotANumberMessage(const std::string& text) { return "'" + text + "' is not a valid floating point value"; }

std::string OutOfRangeMessage(const std::string& text, const std::string& hint) {
    return "'" + text + "' is out of range.  " + Trimmed(hint);
}

std::string NumberOperand(double value) {
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text = error == std::errc{} ? std::string(buffer, end) : std::string("0");
    return text.front() == '-' ? "0" + text : text;
}

EntryCheck CheckEntry(pugi::xml_node entry, const std::string& text, const TValMap& values) {
    const std::optional<double> number = ReadEntryNumber(text);
    if (!number) return EntryCheck::kNotANumber;
    if (HasAttribute(entry, "max") && !LimitHolds(*number, "<=(", AttributeText(entry, "max"), values)) {
        return EntryCheck::kOutOfRange;
    }
    if (HasAttribute(entry, "min") && !LimitHolds(*number, ">=(", AttributeText(entry, "min"), values)) {
        return EntryCheck::kOutOfRange;
    }
    return EntryCheck::kAccepted;
}

bool EntryAccepted(pugi::xml_node entry, const std::string& text, const TValMap& values) {
    try {
        return CheckEntry(entry, text, values) == EntryCheck::kAccepted;
    } catch (const EvalError&) {
        return false;
    }
}

std::vector<std::string> OptionNames(pugi::xml_node choose) {
    std::vector<std::string> names;
    for (pugi::xml_node option : choose.children("option")) names.push_back(AttributeText(option, "name"));
    return names;
}

std::optional<std::size_t> ChooseSelection(pugi::xml_node choose, const std::vector<std::string>& items,
                                           const std::string& valueText) {
    if (items.empty()) return std::nullopt;
    if (const auto byName = IndexOf(items, valueText)) return byName;
    if (const auto byPosition = PositionOf(items, valueText)) return byPosition;
    if (HasAttribute(choose, "default")) {
        if (const auto byDefault = IndexOf(items, AttributeText(choose, "default"))) return byDefault;
    }
    return 0;
}

bool IsTypedChoice(const std::vector<std::string>& items, const std::string& valueText) {
    return !valueText.empty() && !IndexOf(items, valueText) && !PositionOf(items, valueText);
}

void PresetSelections::Start(TValMap& values) {
    applied_.clear();
    std::vector<std::pair<std::string, pugi::xml_node>> lists;
    for (const auto& [id, value] : values) {
        if (IsElementNamed(value.element, "choose")) lists.emplace_back(id, value.element);
    }
    for (const auto& [id, choose] : lists) {
        const std::string text = values[id].value;
        ApplyPresets(choose, text, values);
        applied_[id] = text;
    }
}

void PresetSelections::Select(pugi::xml_node choose, const std::string& id, const std::string& text,
                              TValMap& values) {
    if (const auto applied = applied_.find(id); applied != applied_.end() && applied->second == text) return;
    ApplyPresets(choose, text, values);
    applied_[id] = text;
}

void PresetSelections::Settle(const TValMap& values) {
    for (const auto& [id, value] : values) {
        if (IsElementNamed(value.element, "choose")) applied_[id] = value.value;
    }
}

TMemMap WorkedOutMemory(const TMemMap& memory, const TValMap& values, const std::string& boxId) {
    TValMap cleared = values;
    cleared[boxId].value = "0";
    TMemMap workedOut = memory;
    NullReporter silent;
    EvaluateMap(workedOut, cleared, silent);
    ReadBackFromImage(workedOut, BuildImage(workedOut));
    return workedOut;
}

std::optional<std::string> WorkedOutText(pugi::xml_node control, const TMemMap& workedOut) {
    const std::string expression = AttributeText(control, "eval");
    if (expression.empty()) return std::nullopt;
    try {
        CEval eval;
        eval.Compile(expression);
        const std::string text = eval.Evaluate(workedOut);
        if (IsElementNamed(control, "enable")) return NumberOrZero(text) != 0.0 ? "1" : "0";
        return text;
    } catch (const EvalError&) {
        return std::nullopt;
    }
}

}  // namespace orvik
