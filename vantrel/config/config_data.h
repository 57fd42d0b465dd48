#pragma once
#include <cstdint>
#include <string>

#include "board_command_table.h"
#include "config_fields.h"
#include "console_enable_flags.h"
#include "eeprom_image.h"
#include "open_dialog_flags.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

class CBoardLink;

// The configuration record: one for the whole run, built after the link. Its
// constructor sets the link-setting defaults and the record's defaults, then
// loads the settings file; its destructor saves it.
//
// Members, grouped in this order: file identity; loaded flag; write-enable
// flag; open-dialog flags; link (its settings and trace), CommBusy, the
// connected flag and the board command table; console and poll values; then
// the EEPROM-mirroring fields (cycles, setpoints, slots, address tables,
// direction flags, extra words) of the ConfigFields base; the alarm action words.
class CConfigData : public ConfigFields {
public:
    // settingsPath: the start directory + "/Vantrel.ini".
    CConfigData(CBoardLink& link, std::string settingsPath);
    ~CConfigData();
    CConfigData(const CConfigData&) = delete;
    CConfigData& operator=(const CConfigData&) = delete;

    // File identity of the file last chosen in a file dialog.
    std::string fileName;
    std::string filePath;
    std::string fileExtension;  // lower case
    std::string fileTitle = "Untitled";
    std::string fileSpare;      // kept with the identity; nothing here uses it

    int32_t loaded = 0;
    int32_t writeEnableFlag = 1;
    OpenDialogFlags openDialogs;

    CBoardLink& link;  // the link settings and the trace texts live there
    int32_t CommBusy = 0;
    int32_t connected = 0;
    BoardCommandTable commands;

    ConsoleEnableFlags enableFlags;  // saved in the settings file
    int32_t pollingRate = 1;
    int32_t pollingActive = 0;

    // Alarm action words (0x9A, 0x9C): moved only by the Temperature Sensor Control,
    // never part of the image.
    int32_t highAlarmActions = 0;
    int32_t normalAlarmActions = 0;

    // Fields, address tables, direction flags, command table, write-enable flag
    // and file identity to their start values.
    void ResetToDefaults();
    void ToImage(EepromImage& image) const;
    void FromImage(const EepromImage& image);

    // Mode 1 writes path as a profile, mode 0 reads it (".psd" by the profile
    // reader, anything else by the word-layout reader) and applies it; any other
    // mode does nothing. Returns 0, or 1 after showing the failure.
    int ReadWriteProfile(const std::string& path, int mode);

    // Where texts and questions go; without a prompter texts are dropped and questions answered No.
    void SetPrompter(IPrompter* prompter) { prompter_ = prompter != nullptr ? prompter : &silent_; }
    IPrompter& Prompter() { return *prompter_; }

    const std::string& SettingsPath() const { return settingsPath_; }
    void LoadSettings();  // keeps the current values for what the file does not hold
    void SaveSettings();

private:
    std::string settingsPath_;
    SilentPrompter silent_;
    IPrompter* prompter_ = &silent_;
};

}  // namespace vantrel
