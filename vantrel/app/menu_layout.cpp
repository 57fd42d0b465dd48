#include "menu_layout.h"

namespace vantrel {

const std::vector<MenuColumn>& MainMenuLayout() {
    using C = MenuCommand;
    static const std::vector<MenuColumn> layout = {
        {"&File",
         {
             {"&New             Ctrl-N", C::FileNew},
             {"&Open...        Ctrl+O", C::FileOpen},
             {"&Save            Ctrl-S", C::FileSave},
             {"Save &As...", C::FileSaveAs},
             {"E&xit", C::FileExit},
         }},
        {"&Init",
         {
             {"Setup...", C::InitSetup},
             {"&Debug Setup...", C::InitDebugSetup, true},
             {"&Admin...", C::InitAdmin, true, true},
             {"&FW Update...", C::InitFwUpdate},
         }},
        {"&Command",
         {
             {"&SMBus Cmd...", C::CommandSmbus},
             {"&Temp Cmd...", C::CommandTemperature},
             {"&I2C Cmd...", C::CommandI2c},
             {"&Other Cmd...", C::CommandOther, true},
             {"&Polling Cmd...", C::CommandPolling},
             {"&Workbook...", C::CommandWorkbook, true},
             {"&Realtime Clock...", C::CommandRealtimeClock},
             {"&Memory...", C::CommandMemory, false, true},
         }},
        {"&EEProm",
         {
             {"Cycle &1...", C::EepromCycle1},
             {"Cycle &2...", C::EepromCycle2},
             {"Cycle &3...", C::EepromCycle3},
             {"Cycle &4...", C::EepromCycle4, true},
             {"&Temperature...", C::EepromTemperature},
             {"UPS &Counters...", C::EepromUpsCounters},
             {"&Setpoints...", C::EepromSetpoints, true},
             {"&Update All", C::EepromUpdateAll},
             {"&Pwr On Reset", C::EepromPowerOnReset},
         }},
        {"&Tools",
         {
             {"&Orvik...", C::ToolsOrvik, true},
             {"&Debug Command...", C::ToolsDebugCommand, true},
             {"Enable/Disable", C::ToolsIoDisplayToggle, false, false, "I/O Text Display"},
             {"&Clear Screen", C::ToolsClearScreen},
         }},
        {"&Help",
         {
             {"&Vantrel Manual...", C::HelpVantrelManual},
             {"&Firmware Manual...", C::HelpFirmwareManual},
             {"IXEN &Ser Manual...", C::HelpSerManual},
             {"IXEN&104 Manual...", C::Help104Manual},
             {"&Web Based Help...", C::HelpWeb},
             {"&About Vantrel", C::HelpAbout},
         }},
    };
    return layout;
}

}  // namespace vantrel
