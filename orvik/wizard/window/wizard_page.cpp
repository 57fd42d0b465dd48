#include "orvik/wizard/window/wizard_page.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "orvik/definition/availability.h"
#include "orvik/definition/element.h"
#include "orvik/definition/enabling_rule.h"
#include "orvik/eval/eval_error.h"
#include "orvik/image/presets.h"
#include "orvik/wizard/window/page_rules.h"

namespace orvik {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Focus lost to another window, a popup or a menu is not the user leaving the control.
bool LeavesControl(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

}  // namespace

WizardPage::WizardPage(QWidget& area, TValMap& values, const TMemMap& memory, IPrompter& prompter)
    : area_(area), values_(values), memory_(memory), prompter_(prompter) {}

WizardPage::~WizardPage() {
    leaving_ = true;
    for (const PageControl& control : elementControls_) control.control->removeEventFilter(this);
}

std::string WizardPage::Build(pugi::xml_node step) {
    std::string description;
    for (pugi::xml_node child : step.children()) {
        if (child.type() != pugi::node_element) continue;
        if (IsElementNamed(child, "desc")) {
            description = TextContent(child);
            continue;
        }
        const bool control =
            IsElementNamed(child, "entry") || IsElementNamed(child, "choose") || IsElementNamed(child, "enable");
        if (!control || !IsAvailable(child, values_, prompter_)) continue;
        if (IsElementNamed(child, "entry")) AddEntry(child);
        if (IsElementNamed(child, "choose")) AddChoose(child);
        if (IsElementNamed(child, "enable")) AddEnable(child);
    }
    ApplyEnabling(true);
    for (const auto& [id, dependents] : enabling_) {
        const auto box = controls_.find(id);
        auto* checkBox = box == controls_.end() ? nullptr : qobject_cast<QCheckBox*>(box->second.control);
        if (checkBox != nullptr && !checkBox->isChecked()) ShowWorkedOut(id);
    }
    TakeFocus();
    return description;
}

void WizardPage::AddControl(QWidget* control, const std::string& id, pugi::xml_node element) {
    control->setObjectName(Text(id));
    const int top = nextTop_ + kControlGap;
    control->move(kLeft, top);
    nextTop_ = top + control->height();
    if (id.empty()) {
        extras_.push_back(control);
    } else {
        // Two controls of one id on a page are not supported; the first is kept for removal only.
        if (const auto old = controls_.find(id); old != controls_.end()) extras_.push_back(old->second.control);
        controls_[id] = {control, element};
    }
    if (element) {
        elementControls_.push_back({control, element});
        control->installEventFilter(this);
    }
    control->show();
}

void WizardPage::AddEntry(pugi::xml_node entry) {
    auto* edit = new QLineEdit(&area_);
    edit->resize(kEntryWidth, edit->sizeHint().height());
    PutUnderEnablingRule(edit, entry);
    ShowValue(edit, entry);

    const std::string caption = AttributeText(entry, "caption");
    int labelHeight = 0;
    QLabel* label = nullptr;
    if (!caption.empty()) {
        label = new QLabel(Text(caption), &area_);
        label->adjustSize();
        labelHeight = label->height();
    }
    nextTop_ += labelHeight + kLabelSpacing;
    AddControl(edit, AttributeText(entry, "id"), entry);
    if (label != nullptr) {
        label->move(kLeft, edit->y() - kLabelSpacing - labelHeight);
        label->show();
        extras_.push_back(label);
    }
    nextTop_ += kControlGap;

    if (HasAttribute(entry, "units")) {
        auto* units = new QLabel(Text("[" + AttributeText(entry, "units") + "]"), &area_);
        units->adjustSize();
        units->move(edit->x() + edit->width() + kUnitsGap, edit->y() + kUnitsDrop);
        units->show();
        extras_.push_back(units);
    }
    SetHint(edit, entry, true);
}

void WizardPage::AddChoose(pugi::xml_node choose) {
    auto* label = new QLabel(Text(AttributeText(choose, "caption")), &area_);
    label->adjustSize();
    AddControl(label, "", {});

    auto* list = new QComboBox(&area_);
    list->setEditable(AttributeText(choose, "validate") != "yes");
    for (const std::string& name : OptionNames(choose)) list->addItem(Text(name));
    list->resize(std::max(kListWidth, list->sizeHint().width()), list->sizeHint().height());
    PutUnderEnablingRule(list, choose);
    ShowValue(list, choose);
    AddControl(list, AttributeText(choose, "id"), choose);
}

void WizardPage::AddEnable(pugi::xml_node enable) {
    const std::string caption = AttributeText(enable, "caption");
    auto* box = new QCheckBox(Text(caption), &area_);
    box->resize(box->fontMetrics().horizontalAdvance(Text(caption)) + kCheckBoxExtraWidth, box->sizeHint().height());
    const std::string id = AttributeText(enable, "id");
    if (!id.empty()) PutUnderEnablingRule(box, enable);
    ShowValue(box, enable);
    connect(box, &QCheckBox::clicked, this, [this, id] { ChClick(id); });
    AddControl(box, id, enable);
}

void WizardPage::PutUnderEnablingRule(QWidget* control, pugi::xml_node element) {
    const EnablingRule rule = ReadEnablingRule(element);
    if (rule.kind == EnablingRule::kNever) control->setEnabled(false);
    if (rule.kind == EnablingRule::kCheckBox) enabling_[rule.checkBoxId].push_back(control);
}

void WizardPage::ApplyEnabling(bool report) {
    for (const auto& [id, dependents] : enabling_) {
        const auto box = controls_.find(id);
        auto* checkBox = box == controls_.end() ? nullptr : qobject_cast<QCheckBox*>(box->second.control);
        if (checkBox == nullptr && report) prompter_.Report(kErrorCaption, NotOnPageMessage(id));
        for (QWidget* control : dependents) control->setEnabled(checkBox != nullptr && checkBox->isChecked());
    }
}

void WizardPage::ShowWorkedOut(const std::string& boxId) {
    // An unticked override shows what the wizard works out in its place, so
    // ticking it changes nothing until the user edits the value.
    const auto dependents = enabling_.find(boxId);
    if (dependents == enabling_.end()) return;
    const TMemMap workedOut = WorkedOutMemory(memory_, values_, boxId);
    for (const PageControl& control : elementControls_) {
        if (std::find(dependents->second.begin(), dependents->second.end(), control.control) ==
            dependents->second.end()) {
            continue;
        }
        const std::optional<std::string> text = WorkedOutText(control.element, workedOut);
        if (!text) continue;
        if (auto* edit = qobject_cast<QLineEdit*>(control.control)) edit->setText(Text(*text));
        if (auto* box = qobject_cast<QCheckBox*>(control.control)) box->setChecked(*text == "1");
        unsettled_.erase(AttributeText(control.element, "id"));
    }
}

void WizardPage::TakeFocus() {
    // The final enabling is known only once the page is built, so the focus waits for it.
    for (const PageControl& control : elementControls_) {
        if (!control.control->isEnabled()) continue;
        control.control->setFocus(Qt::OtherFocusReason);
        focusPending_ = false;
        return;
    }
}

void WizardPage::ShowValue(QWidget* control, pugi::xml_node element) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        const auto unsettled = unsettled_.find(AttributeText(element, "id"));
        edit->setText(Text(unsettled != unsettled_.end() ? unsettled->second : EntryText(element, values_)));
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        const std::vector<std::string> items = OptionNames(element);
        const std::string value = ControlValueText(element, values_);
        if (list->isEditable() && IsTypedChoice(items, value)) {
            list->setCurrentIndex(-1);
            list->setEditText(Text(value));
        } else if (const auto selected = ChooseSelection(element, items, value)) {
            list->setCurrentIndex(static_cast<int>(*selected));
        }
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        box->setChecked(ControlValueText(element, values_) == "1");
    }
}

void WizardPage::StoreValue(QWidget* control, pugi::xml_node element) {
    const std::string id = AttributeText(element, "id");
    if (id.empty()) return;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        values_[id].value = edit->text().toStdString();
        unsettled_.erase(id);
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        values_[id].value = list->currentText().toStdString();
        presets_.Select(element, id, values_[id].value, values_);
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        values_[id].value = box->isChecked() ? "1" : "0";
    }
}

bool WizardPage::ControlExit(QWidget* control) {
    const auto found = std::find_if(elementControls_.begin(), elementControls_.end(),
                                    [control](const PageControl& c) { return c.control == control; });
    if (found == elementControls_.end()) return true;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return EditExit(edit, found->element);
    StoreValue(control, found->element);
    return true;
}

bool WizardPage::EditExit(QLineEdit* edit, pugi::xml_node entry) {
    const std::string text = edit->text().toStdString();
    EntryCheck check = EntryCheck::kAccepted;
    try {
        check = CheckEntry(entry, text, values_);
    } catch (const EvalError& error) {
        // A limit that cannot be worked out cannot pass the value either.
        prompter_.Report(kEvaluationErrorCaption, error.what());
        return false;
    }
    if (check == EntryCheck::kNotANumber) {
        prompter_.Report(kErrorCaption, NotANumberMessage(text));
        return false;
    }
    if (check == EntryCheck::kOutOfRange) {
        prompter_.Report(kErrorCaption, OutOfRangeMessage(text, edit->toolTip().toStdString()));
        return false;
    }
    StoreValue(edit, entry);
    UpdateHints();
    return true;
}

bool WizardPage::SetHint(QLineEdit* edit, pugi::xml_node entry, bool report) {
    try {
        edit->setToolTip(Text(EntryHint(entry, values_)));
        return true;
    } catch (const EvalError& error) {
        edit->setToolTip({});
        if (report) prompter_.Report(kEvaluationErrorCaption, error.what());
        return false;
    }
}

void WizardPage::UpdateHints() {
    bool report = true;  // one message for a page whose limits fail, not one per entry
    for (const PageControl& control : elementControls_) {
        if (auto* edit = qobject_cast<QLineEdit*>(control.control)) {
            if (!SetHint(edit, control.element, report)) report = false;
        }
    }
}

QWidget* WizardPage::ElementControlOf(QWidget* widget) const {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        for (const PageControl& control : elementControls_) {
            if (control.control == widget) return widget;
        }
    }
    return nullptr;
}

void WizardPage::ChClick(const std::string& id) {
    const auto box = controls_.find(id);
    const auto dependents = enabling_.find(id);
    if (box == controls_.end() || dependents == enabling_.end()) return;
    auto* checkBox = qobject_cast<QCheckBox*>(box->second.control);
    if (checkBox == nullptr) return;
    for (QWidget* control : dependents->second) control->setEnabled(checkBox->isChecked());
    if (!checkBox->isChecked()) ShowWorkedOut(id);
}

bool WizardPage::CheckEntries() {
    for (const PageControl& control : elementControls_) {
        auto* edit = qobject_cast<QLineEdit*>(control.control);
        if (edit == nullptr || !edit->isEnabled()) continue;
        if (!EditExit(edit, control.element)) {
            edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

bool WizardPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut || leaving_ || exitsSuppressed_ || inExit_) return false;
    if (!LeavesControl(static_cast<QFocusEvent*>(event)->reason())) return false;
    // The widget taking the focus is already known while the old one loses it.
    const QWidget* target = QApplication::focusWidget();
    if (std::find(uncheckedTargets_.begin(), uncheckedTargets_.end(), target) != uncheckedTargets_.end()) return false;
    auto* control = qobject_cast<QWidget*>(watched);
    if (control == nullptr) return false;
    inExit_ = true;
    if (!ControlExit(control)) control->setFocus(Qt::OtherFocusReason);
    inExit_ = false;
    return false;
}

void WizardPage::Refresh() {
    unsettled_.clear();
    for (const auto& [id, control] : controls_) {
        if (control.element) ShowValue(control.control, control.element);
    }
    ApplyEnabling(false);
    UpdateHints();
}

void WizardPage::Destroy(QWidget* widget) {
    widget->removeEventFilter(this);
    widget->hide();
    delete widget;
}

void WizardPage::Leave() {
    leaving_ = true;
    for (QWidget* extra : extras_) Destroy(extra);
    for (const auto& [id, control] : controls_) {
        auto* edit = qobject_cast<QLineEdit*>(control.control);
        if (edit == nullptr || EntryAccepted(control.element, edit->text().toStdString(), values_)) {
            StoreValue(control.control, control.element);
        } else if (edit->isEnabled()) {
            // Refused text is never stored in passing (Back, Skip); it waits on its page.
            unsettled_[id] = edit->text().toStdString();
        }
        Destroy(control.control);
    }
    controls_.clear();
    extras_.clear();
    enabling_.clear();
    elementControls_.clear();
    nextTop_ = 0;
    focusPending_ = true;
    leaving_ = false;
}

}  // namespace orvik
