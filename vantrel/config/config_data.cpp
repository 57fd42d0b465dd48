#include "config_data.h"

#include <unistd.h>

#include <climits>

#include "configuration_file.h"
#include "image_conversion.h"
#include "message_texts.h"
#include "profile_writer.h"
#include "settings_file.h"
#include "vantrel/link/board_link.h"

namespace vantrel {
namespace {

constexpr int kModeRead = 0;
constexpr int kModeWrite = 1;

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) != nullptr ? buffer : "";
}

}  // namespace

CConfigData::CConfigData(CBoardLink& boardLink, std::string settingsPath)
    : link(boardLink), settingsPath_(std::move(settingsPath)) {
    link.settings.ResetToDefaults();
    ResetToDefaults();
    LoadSettings();
}

CConfigData::~CConfigData() { SaveSettings(); }

void CConfigData::ResetToDefaults() {
    ResetFields();
    commands.ResetToDefaults();
    writeEnableFlag = 1;
    fileName.clear();
    filePath.clear();
    fileExtension.clear();
    fileTitle = texts::kUntitled;
    fileSpare.clear();
    loaded = 0;
}

void CConfigData::ToImage(EepromImage& image) const { vantrel::ToImage(*this, image); }

void CConfigData::FromImage(const EepromImage& image) { vantrel::FromImage(image, *this); }

int CConfigData::ReadWriteProfile(const std::string& path, int mode) {
    if (mode == kModeWrite) {
        EepromImage image;
        ToImage(image);
        return WriteProfile(path, image, link.trace, Prompter());
    }
    if (mode != kModeRead) return 0;

    EepromImage image;
    if (const auto failure = ReadConfigurationImage(path, image)) {
        Prompter().Message(*failure);
        return 1;
    }
    FromImage(image);
    return 0;
}

void CConfigData::LoadSettings() {
    SavedSettings saved;
    saved.PortSelection = link.settings.PortSelection;
    saved.LinkProtocol = link.settings.LinkProtocol;
    saved.FirmwareType = link.settings.FirmwareType;
    saved.enableFlags = enableFlags;
    if (!LoadSettingsFile(settingsPath_, saved)) return;
    link.settings.PortSelection = saved.PortSelection;
    link.settings.LinkProtocol = saved.LinkProtocol;
    link.settings.FirmwareType = saved.FirmwareType;
    enableFlags = saved.enableFlags;
    if (!saved.workingDirectory.empty() && chdir(saved.workingDirectory.c_str()) != 0) {
        // A folder that no longer exists leaves the current one.
    }
}

void CConfigData::SaveSettings() {
    SavedSettings saved;
    saved.PortSelection = link.settings.PortSelection;
    saved.LinkProtocol = link.settings.LinkProtocol;
    saved.FirmwareType = link.settings.FirmwareType;
    saved.workingDirectory = CurrentDirectory();
    saved.enableFlags = enableFlags;
    SaveSettingsFile(settingsPath_, saved);
}

}  // namespace vantrel
