#pragma once

namespace vantrel {

class CConfigData;
class VantrelApp;
struct ConsolePasses;

// Gives the EEProm menu its editors: fills the modeless dialog slots of the
// Cycle, Temperature Sensor Control, UPS Settings, EEprom Setpoints and Update
// All dialogs and registers them with the shell's editor hooks. Returns the
// passes the command consoles fill for Update All and " Enable RTC".
ConsolePasses& InstallEditors(VantrelApp& app, CConfigData& record);

}  // namespace vantrel
