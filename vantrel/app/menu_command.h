#pragma once

namespace vantrel {

// Every item of the main window's menu.
enum class MenuCommand {
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    FileExit,
    InitSetup,
    InitDebugSetup,
    InitAdmin,
    InitFwUpdate,
    CommandSmbus,
    CommandTemperature,
    CommandI2c,
    CommandOther,
    CommandPolling,
    CommandWorkbook,
    CommandRealtimeClock,
    CommandMemory,
    EepromCycle1,
    EepromCycle2,
    EepromCycle3,
    EepromCycle4,
    EepromTemperature,
    EepromUpsCounters,
    EepromSetpoints,
    EepromUpdateAll,
    EepromPowerOnReset,
    ToolsOrvik,
    ToolsDebugCommand,
    ToolsIoDisplayToggle,
    ToolsClearScreen,
    HelpVantrelManual,
    HelpFirmwareManual,
    HelpSerManual,
    Help104Manual,
    HelpWeb,
    HelpAbout,
};

}  // namespace vantrel
