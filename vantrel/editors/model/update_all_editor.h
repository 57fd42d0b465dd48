#pragma once
#include <functional>

#include "table_editor.h"
#include "vantrel/config/update_all.h"

namespace vantrel {

class UpsSettingsEditor;

// The "Update All" dialog: Read, Write and Close over the whole configuration.
class UpdateAllEditor : public TableEditor {
public:
    explicit UpdateAllEditor(EditorContext& context);

    // The UPS Settings dialog while it is open, else nullptr.
    std::function<UpsSettingsEditor*()> openUpsSettings;
    // Every open Cycle dialog and the EEprom Setpoints dialog reload from the record.
    std::function<void()> refreshEditors;

    void Opened() override;
    int Read() override;
    int Write() override;
    bool Close() override { return true; }
    bool Dismiss() override { return true; }

private:
    // What the Update All sequence asks of the dialogs around it.
    class Host : public IUpdateAllHost {
    public:
        explicit Host(UpdateAllEditor& editor) : editor_(editor) {}
        void SetProgressRange(int low, int high) override { editor_.SetProgressRange(low, high); }
        void SetProgressPosition(int position) override { editor_.SetProgressPosition(position); }
        void StepProgress() override { editor_.StepProgress(); }
        bool UpsSettingsOpen() override;
        void UpsSettingsToRecord() override;
        void UpsSettingsFromRecord() override;
        bool ClockOrI2cConsoleOpen() override;
        void ConsoleRead() override;
        void ConsoleWrite() override;
        void RefreshEditors() override;

    private:
        UpsSettingsEditor* Ups() const;
        UpdateAllEditor& editor_;
    };

    Host host_;
};

}  // namespace vantrel
