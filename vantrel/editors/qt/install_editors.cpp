#include "install_editors.h"

#include <memory>

#include "editor_dialog.h"
#include "vantrel/app/qt_modeless_window.h"
#include "vantrel/app/vantrel_app.h"
#include "vantrel/editors/model/cycle_editor.h"
#include "vantrel/editors/model/setpoints_editor.h"
#include "vantrel/editors/model/temperature_editors.h"
#include "vantrel/editors/model/update_all_editor.h"
#include "vantrel/editors/model/ups_settings_editor.h"

namespace vantrel {
namespace {

// What the editors share for the whole run.
struct EditorsState {
    EditorsState(CConfigData& record, IPrompter& prompter) : link(record, prompter) {}
    LinkEditorContext link;
};

constexpr ModelessDialog kCycles[] = {ModelessDialog::Cycle1, ModelessDialog::Cycle2, ModelessDialog::Cycle3,
                                      ModelessDialog::Cycle4};

// The editor of an open dialog (open flag 1 and built), else nullptr.
template <typename T>
T* OpenEditor(VantrelApp& app, ModelessDialog dialog) {
    ModelessDialogSlot& slot = app.Slot(dialog);
    if (slot.OpenFlag() != 1) return nullptr;
    auto* window = ModelessWidget<EditorDialog>(slot);
    return window != nullptr ? dynamic_cast<T*>(&window->Editor()) : nullptr;
}

void Reload(VantrelApp& app, std::initializer_list<ModelessDialog> dialogs) {
    for (ModelessDialog dialog : dialogs) {
        if (auto* editor = OpenEditor<TableEditor>(app, dialog)) editor->LoadFromRecord();
    }
}

}  // namespace

ConsolePasses& InstallEditors(VantrelApp& app, CConfigData& record) {
    auto state = std::make_shared<EditorsState>(record, app.Prompter());
    EditorContext& context = state->link.context;

    auto install = [&app, state](ModelessDialog dialog, std::function<std::unique_ptr<TableEditor>()> make) {
        int32_t* flag = OpenFlagOf(state->link.context.record.openDialogs, dialog);
        app.Slot(dialog).SetFactory([state, make, flag] {
            return std::make_unique<QtModelessWindow>(std::make_unique<EditorDialog>(make(), flag));
        });
    };
    for (int cycle = 0; cycle < 4; ++cycle) {
        install(kCycles[cycle], [&context, cycle] { return std::make_unique<CycleEditor>(context, cycle); });
    }
    install(ModelessDialog::TemperatureSensorControl,
            [&context] { return std::make_unique<TemperatureControlEditor>(context); });
    install(ModelessDialog::UpsSettings, [&context] { return std::make_unique<UpsSettingsEditor>(context); });
    install(ModelessDialog::EepromSetpoints, [&context] { return std::make_unique<SetpointsEditor>(context); });
    install(ModelessDialog::UpdateAll, [&app, &context] {
        auto editor = std::make_unique<UpdateAllEditor>(context);
        editor->openUpsSettings = [&app] { return OpenEditor<UpsSettingsEditor>(app, ModelessDialog::UpsSettings); };
        editor->refreshEditors = [&app] {
            Reload(app, {ModelessDialog::Cycle1, ModelessDialog::Cycle2, ModelessDialog::Cycle3,
                         ModelessDialog::Cycle4, ModelessDialog::EepromSetpoints});
        };
        return editor;
    });

    app.editors.OnReloadFromRecord([&app] {
        Reload(app, {ModelessDialog::Cycle1, ModelessDialog::Cycle2, ModelessDialog::Cycle3, ModelessDialog::Cycle4,
                     ModelessDialog::EepromSetpoints, ModelessDialog::UpsSettings});
    });
    app.editors.OnLinkSetupChanged([&app] {
        for (ModelessDialog dialog : {ModelessDialog::Cycle1, ModelessDialog::Cycle2, ModelessDialog::Cycle3,
                                      ModelessDialog::Cycle4, ModelessDialog::TemperatureSensorControl,
                                      ModelessDialog::UpsSettings, ModelessDialog::EepromSetpoints}) {
            if (auto* window = ModelessWidget<EditorDialog>(app.Slot(dialog))) window->Editor().ApplyFirmware();
        }
    });
    return context.consoles;
}

}  // namespace vantrel
