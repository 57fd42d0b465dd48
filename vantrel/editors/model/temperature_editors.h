#pragma once
#include <cstdint>

#include "table_editor.h"

namespace vantrel {

// "Temperature Sensor Control": the sixteen sensor slots and, with UPS
// firmware, the two alarm action words.
class TemperatureControlEditor : public TableEditor {
public:
    static constexpr int kSensorCount = 16;
    static constexpr int kHighActionsRow = 16;
    static constexpr int kNormalActionsRow = 17;
    static constexpr int kProgressLast = 48;
    static constexpr int kUpsProgressLast = 26;

    explicit TemperatureControlEditor(EditorContext& context);

    void Opened() override;
    void ApplyFirmware() override;
    int Read() override;
    int Write() override;
    bool Close() override;
    std::unique_ptr<SensorEditor> SensorEditorFor(int row) override;

private:
    int TransferSlots(int direction);
    int TransferActionWords(int direction);
    bool CommitActionTexts();
    void ShowActionWords();
};

// "Temperature Sensor/Controller s": slot s field by field. Modal; its values go
// into the record only when it commits.
class SensorEditor : public TableEditor {
public:
    enum Row {
        kFirstBitRow = 0,  // command bits 0 to 7
        kModeBitRow = 7,
        kAddressRow = 8,
        kReadWriteRow = 9,
        kTcIcTitle = 10,
        kSetpointRow = 11,
        kRelativeLowRow = 12,
        kRelativeHighRow = 13,
        kTsIcTitle = 14,
        kLowAlarmRow = 15,
        kHighAlarmRow = 16,
        kRowCount = 17,
    };
    static constexpr int kModeBit = 7;

    SensorEditor(EditorContext& context, int slot);

    int Slot() const { return slot_; }
    bool TcIcMode() const { return (command_ & (1 << kModeBit)) != 0; }
    int CommandByte() const { return command_; }

    void Opened() override;
    void CheckToggled(int row, bool checked) override;
    void EditFinished(int) override { Commit(); }
    bool Close() override { return Commit(); }
    // Escape or the close box validate and commit too; a failing field keeps it open.
    bool Dismiss() override { return Commit(); }

    // Validates every field, then writes the slot's three words. False (with the
    // message shown and the slot unchanged) when a field fails.
    bool Commit();

private:
    void ApplyMode();

    int slot_;
    int command_ = 0;
};

}  // namespace vantrel
