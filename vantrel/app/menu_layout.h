#pragma once
#include <string>
#include <utility>
#include <vector>

#include "menu_command.h"

namespace vantrel {

struct MenuEntry {
    MenuEntry(std::string text_, MenuCommand command_, bool separatorAfter_ = false, bool greyed_ = false,
              std::string submenu_ = {})
        : text(std::move(text_)),
          command(command_),
          separatorAfter(separatorAfter_),
          greyed(greyed_),
          submenu(std::move(submenu_)) {}

    std::string text;            // "&" marks the access key
    MenuCommand command;
    bool separatorAfter = false;
    bool greyed = false;         // never enabled by any code
    std::string submenu;         // the entry sits in this submenu of its menu when not empty
};

struct MenuColumn {
    std::string title;
    std::vector<MenuEntry> entries;
};

// The main window's menu bar, left to right.
const std::vector<MenuColumn>& MainMenuLayout();

}  // namespace vantrel
