#pragma once
#include <map>
#include <utility>
#include <string>
#include <vector>

#include <QObject>
#include <pugixml.hpp>

#include "orvik/eval/values.h"
#include "orvik/wizard/window/page_rules.h"
#include "orvik/wizard/window/prompter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace orvik {

// The controls of the step being shown, built from the step's children inside
// the page area, and what happens when they are left.
class WizardPage : public QObject {
    Q_OBJECT

public:
    struct PageControl {
        QWidget* control = nullptr;
        pugi::xml_node element;
    };

    static constexpr int kControlGap = 5;
    static constexpr int kLeft = 10;
    static constexpr int kLabelSpacing = 3;
    static constexpr int kUnitsGap = 5;
    static constexpr int kUnitsDrop = 2;
    static constexpr int kCheckBoxExtraWidth = 20;
    static constexpr int kEntryWidth = 121;
    static constexpr int kListWidth = 145;

    // The memory map is read to show what an unticked override stands for.
    WizardPage(QWidget& area, TValMap& values, const TMemMap& memory, IPrompter& prompter);
    ~WizardPage() override;

    // Builds the controls of the available children; returns the "desc" text.
    std::string Build(pugi::xml_node step);

    // Stores every control's value and removes every control. An entry whose
    // text is refused keeps its last accepted value; its text is shown again
    // when the page is built again.
    void Leave();

    // Checks every enabled entry as leaving it does; at the first refusal the
    // entry takes the focus and the result is false.
    bool CheckEntries();

    // Focus moving to one of these widgets (Back, Skip, Cancel) runs no check:
    // leaving the page that way never stores a refused value, and must not trap.
    void SetUncheckedFocusTargets(std::vector<QWidget*> targets) { uncheckedTargets_ = std::move(targets); }

    // How lists apply their presets; started when the values are built.
    PresetSelections& Presets() { return presets_; }

    // Shows the value table again, after it changed under the page (a load).
    void Refresh();

    // Runs what leaving a control does; false when the focus has to stay in it.
    bool ControlExit(QWidget* control);

    // The page control that is widget or holds it, or null.
    QWidget* ElementControlOf(QWidget* widget) const;

    // A check box was clicked: the controls it enables follow it.
    void ChClick(const std::string& id);

    // While set, controls losing the focus run nothing (the window moves it).
    void SetExitsSuppressed(bool suppressed) { exitsSuppressed_ = suppressed; }

    const std::map<std::string, PageControl>& Controls() const { return controls_; }
    const std::vector<QWidget*>& Extras() const { return extras_; }
    const std::map<std::string, std::vector<QWidget*>>& EnablingMap() const { return enabling_; }
    int NextTop() const { return nextTop_; }
    bool FocusPending() const { return focusPending_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddControl(QWidget* control, const std::string& id, pugi::xml_node element);
    void AddEntry(pugi::xml_node entry);
    void AddChoose(pugi::xml_node choose);
    void AddEnable(pugi::xml_node enable);
    void PutUnderEnablingRule(QWidget* control, pugi::xml_node element);
    void ApplyEnabling(bool report);
    void ShowWorkedOut(const std::string& boxId);
    void TakeFocus();
    void ShowValue(QWidget* control, pugi::xml_node element);
    void StoreValue(QWidget* control, pugi::xml_node element);
    bool EditExit(QLineEdit* edit, pugi::xml_node entry);
    void UpdateHints();
    bool SetHint(QLineEdit* edit, pugi::xml_node entry, bool report);
    void Destroy(QWidget* widget);

    QWidget& area_;
    TValMap& values_;
    const TMemMap& memory_;
    IPrompter& prompter_;
    PresetSelections presets_;
    // Entry texts refused when their page was left, by id.
    std::map<std::string, std::string> unsettled_;
    std::vector<QWidget*> uncheckedTargets_;

    std::map<std::string, PageControl> controls_;
    std::vector<QWidget*> extras_;
    std::map<std::string, std::vector<QWidget*>> enabling_;
    int nextTop_ = 0;
    bool focusPending_ = true;

    // Every control built from an element, with or without id, in page order.
    std::vector<PageControl> elementControls_;
    bool exitsSuppressed_ = false;
    bool inExit_ = false;
    bool leaving_ = false;
};

}  // namespace orvik
