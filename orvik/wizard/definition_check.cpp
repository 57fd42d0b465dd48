#include "orvik/wizard/definition_check.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "orvik/definition/element.h"
#include "orvik/definition/enabling_rule.h"
#include "orvik/definition/location_address.h"
#include "orvik/definition/memory_map_reader.h"
#include "orvik/eval/eval.h"
#include "orvik/image/config_image.h"
#include "orvik/image/profile_writer.h"
#include "orvik/wizard/step.h"
#include "orvik/wizard/window/page_rules.h"

namespace orvik {
namespace {

// The board's EEPROM: the offsets every profile carries.
constexpr uint32_t kEepromSize = 256;
// Addresses a location may have (0x00 to 0x1FF).
constexpr uint32_t kAddressSpace = 0x200;

struct PlacedLocation {
    std::string id;
    uint32_t offset = 0;
    int32_t length = 0;

    uint32_t End() const { return offset + static_cast<uint32_t>(length); }
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Describe(const PlacedLocation& location) {
    return "Location " + location.id + " (" + FormatLocationAddress(location.offset) + ", " +
           std::to_string(location.length) + (location.length == 1 ? " byte)" : " bytes)");
}

std::string StepContext(pugi::xml_node step) {
    return HasAttribute(step, "name") ? "step " + Quoted(AttributeText(step, "name")) : std::string("unnamed step");
}

std::string ChildContext(pugi::xml_node step, pugi::xml_node child) {
    std::string context = StepContext(step) + ", " + child.name();
    return HasAttribute(child, "id") ? context + " " + Quoted(AttributeText(child, "id")) : context + " without id";
}

class DefinitionChecker {
public:
    explicit DefinitionChecker(const ProfileDefinition& definition) : definition_(definition) {}

    std::vector<std::string> Run() {
        try {
            CStep root(definition_.Steps(), values_);
        } catch (const DefinitionError& error) {
            return {error.what()};
        }
        ReadLocations();
        for (pugi::xml_node step : definition_.Steps().children("step")) CheckStep(step, 0);
        for (pugi::xml_node loc : definition_.Memory().children("loc")) {
            if (HasAttribute(loc, "id"))
                CheckExpression("loc " + Quoted(AttributeText(loc, "id")), loc, "eval", values_);
        }
        CheckLayout();
        CheckEntryBounds();
        return problems_;
    }

private:
    void ReadLocations() {
        for (pugi::xml_node loc : definition_.Memory().children("loc")) {
            if (!HasAttribute(loc, "id")) {
                problems_.push_back("A loc without id is ignored (address " + Quoted(AttributeText(loc, "address")) +
                                    ")");
                continue;
            }
            const std::string id = AttributeText(loc, "id");
            if (memory_.count(id) != 0) {
                problems_.push_back(DuplicateIdMessage(id) + " (the wizard ignores every later loc)");
                continue;
            }
            if (std::string problem = LocationLayoutProblem(loc); !problem.empty()) {
                problems_.push_back(std::move(problem));
                continue;
            }
            const PlacedLocation placed{id, *ParseLocationAddress(AttributeText(loc, "address")),
                                        *ParseLocationLength(AttributeText(loc, "length"))};
            placed_.push_back(placed);
            TMem location;
            location.address = AttributeText(loc, "address");
            location.length = placed.length;
            location.element = loc;
            memory_.emplace(id, std::move(location));
        }
    }

    void CheckStep(pugi::xml_node step, int depth) {
        if (depth > CStep::kDeepestNesting) return;
        CheckAvailabilityRule(StepContext(step), step);

        std::set<std::string> checkBoxes;
        for (pugi::xml_node enable : step.children("enable")) checkBoxes.insert(AttributeText(enable, "id"));

        for (pugi::xml_node child : step.children()) {
            if (child.type() != pugi::node_element || IsElementNamed(child, "desc")) continue;
            if (IsElementNamed(child, "step")) {
                CheckStep(child, depth + 1);
                continue;
            }
            const std::string context = ChildContext(step, child);
            CheckAvailabilityRule(context, child);
            CheckExpression(context, child, "min", values_);
            CheckExpression(context, child, "max", values_);
            CheckExpression(context, child, "eval", memory_);
            const bool control =
                IsElementNamed(child, "entry") || IsElementNamed(child, "choose") || IsElementNamed(child, "enable");
            const EnablingRule rule = ReadEnablingRule(child);
            if (control && rule.kind == EnablingRule::kCheckBox && checkBoxes.count(rule.checkBoxId) == 0) {
                problems_.push_back(context + ": en-id " + Quoted(rule.checkBoxId) +
                                    " names no check box on this step");
            }
        }
    }

    void CheckAvailabilityRule(const std::string& context, pugi::xml_node element) {
        if (HasAttribute(element, "depend-id")) {
            const std::string id = AttributeText(element, "depend-id");
            if (!HasAttribute(element, "depend-val")) {
                problems_.push_back(context + ": depend-id " + Quoted(id) + " without depend-val is ignored");
            } else if (values_.count(id) == 0) {
                problems_.push_back(context + ": depend-id " + Quoted(id) + " names no value");
            }
        }
        CheckExpression(context, element, "depend-eqn", values_);
    }

    template <class Names>
    void CheckExpression(const std::string& context, pugi::xml_node element, const char* attribute,
                         const Names& names) {
        if (!HasAttribute(element, attribute)) return;
        const std::string text = AttributeText(element, attribute);
        // An empty "eval" only means the value is not computed.
        if (text.empty() && std::string(attribute) == "eval") return;
        const std::string where = context + ": " + attribute + " " + Quoted(text) + ": ";
        CEval eval;
        try {
            eval.Compile(text);
        } catch (const EvalError& error) {
            problems_.push_back(where + error.what());
            return;
        }
        if (eval.Compiled().empty()) problems_.push_back(where + "Empty expression");
        std::set<std::string> reported;
        for (const TOKEN& token : eval.Compiled()) {
            if (token.kind == kTokenName && names.count(token.text) == 0 && reported.insert(token.text).second) {
                problems_.push_back(where + "Variable " + token.text + " not found.");
            }
        }
    }

    // Every entry's starting text (its preset or default) must lie within its
    // own bounds, for the lists' starting options and for each option of every
    // list; otherwise a user who only clicks through the field is stuck.
    void CheckEntryBounds() {
        std::vector<pugi::xml_node> entries;
        std::vector<std::pair<std::string, pugi::xml_node>> lists;
        for (const auto& [id, value] : values_) {
            if (IsElementNamed(value.element, "choose")) lists.emplace_back(id, value.element);
        }
        CollectEntries(definition_.Steps(), 0, entries);

        TValMap starting = values_;
        PresetSelections presets;
        presets.Start(starting);
        std::set<std::string> reported;
        CheckEntriesAgainst(entries, starting, "", reported);
        for (const auto& [id, choose] : lists) {
            for (const std::string& option : OptionNames(choose)) {
                TValMap trial = starting;
                presets.Select(choose, id, option, trial);
                trial[id].value = option;
                CheckEntriesAgainst(entries, trial, "option " + Quoted(option) + " of " + Quoted(id) + ": ", reported);
            }
        }
    }

    void CollectEntries(pugi::xml_node step, int depth, std::vector<pugi::xml_node>& entries) {
        if (depth > CStep::kDeepestNesting) return;
        for (pugi::xml_node child : step.children()) {
            if (IsElementNamed(child, "step")) CollectEntries(child, depth + 1, entries);
            if (IsElementNamed(child, "entry") && HasAttribute(child, "id")) entries.push_back(child);
        }
    }

    void CheckEntriesAgainst(const std::vector<pugi::xml_node>& entries, const TValMap& values,
                             const std::string& scenario, std::set<std::string>& reported) {
        for (pugi::xml_node entry : entries) {
            if (!HasAttribute(entry, "min") && !HasAttribute(entry, "max")) continue;
            const std::string text = EntryText(entry, values);
            // An empty value stands for what the wizard works out; it is not a preset.
            if (text.empty()) continue;
            std::string problem;
            try {
                const EntryCheck check = CheckEntry(entry, text, values);
                if (check == EntryCheck::kNotANumber) problem = "is not a number";
                if (check == EntryCheck::kOutOfRange) problem = "is outside its bounds (" + Trimmed(EntryHint(entry, values)) + ")";
            } catch (const EvalError&) {
                continue;  // the expression's own problem is listed already
            }
            if (problem.empty()) continue;
            const std::string id = AttributeText(entry, "id");
            // The same fault under every option is one fault of the entry.
            if (!reported.insert(id + "=" + text + problem).second) continue;
            problems_.push_back(scenario + "entry " + Quoted(id) + " starts at " + text + ", which " + problem);
        }
    }

    static std::string Trimmed(std::string text) {
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
    }

    void CheckLayout() {
        std::vector<PlacedLocation> byOffset = placed_;
        std::stable_sort(byOffset.begin(), byOffset.end(),
                         [](const PlacedLocation& a, const PlacedLocation& b) { return a.offset < b.offset; });
        // Each byte has one owner, the first location placed on it; every later
        // location on it is reported once against each owner it meets.
        std::array<const PlacedLocation*, kAddressSpace + static_cast<uint32_t>(kLongestLocation)> owners{};
        for (const PlacedLocation& location : byOffset) {
            std::vector<const PlacedLocation*> met;
            for (uint32_t offset = location.offset; offset < location.End(); ++offset) {
                const PlacedLocation*& owner = owners[offset];
                if (owner == nullptr) {
                    owner = &location;
                } else if (std::find(met.begin(), met.end(), owner) == met.end()) {
                    met.push_back(owner);
                    problems_.push_back(Describe(*owner) + " and " + Describe(location) + " overlap");
                }
            }
        }

        for (const PlacedLocation& location : byOffset) {
            if (location.offset / kBytesPerRecord != (location.End() - 1) / kBytesPerRecord) {
                problems_.push_back(Describe(location) +
                                    " crosses a 16-byte record boundary, so a saved profile cannot be loaded again");
            }
        }

        std::array<bool, kEepromSize> covered{};
        for (const PlacedLocation& location : byOffset) {
            for (uint32_t offset = location.offset; offset < location.End() && offset < kEepromSize; ++offset) {
                covered[offset] = true;
            }
        }
        for (uint32_t first = 0; first < kEepromSize; ++first) {
            if (covered[first]) continue;
            uint32_t last = first;
            while (last + 1 < kEepromSize && !covered[last + 1]) ++last;
            problems_.push_back(first == last ? "Offset " + FormatLocationAddress(first) + " is covered by no location"
                                              : "Offsets " + FormatLocationAddress(first) + " to " +
                                                    FormatLocationAddress(last) + " are covered by no location");
            first = last;
        }
    }

    const ProfileDefinition& definition_;
    TValMap values_;
    TMemMap memory_;
    std::vector<PlacedLocation> placed_;
    std::vector<std::string> problems_;
};

}  // namespace

std::vector<std::string> CheckDefinition(const ProfileDefinition& definition) {
    return DefinitionChecker(definition).Run();
}

}  // namespace orvik
