#pragma once
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTest>
#include <QWidget>

#include "orvik/wizard/window/splash_picture.h"
#include "orvik/wizard/window/tf_profile.h"
#include "orvik/wizard/window/wizard_page.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace orvik::test {

// A wizard window over a definition written for the test, shown offscreen.
// Its program folder (where working.psd goes) is the test's own folder.
class WindowTest : public testing::Test {
protected:
    void Open(const std::string& definition, const std::string& commandLine = "") {
        OpenFile(folder.Write("profile.xml", definition), commandLine);
    }

    void OpenFile(const std::string& path, const std::string& commandLine = "") {
        window = std::make_unique<TfProfile>(prompter, folder.Path().string());
        window->Start(path);
        window->SetCommandLine(commandLine);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // A page control by its id, or null.
    template <class Widget = QWidget>
    Widget* Control(const std::string& id) const {
        const auto& controls = window->Page().Controls();
        const auto found = controls.find(id);
        return found == controls.end() ? nullptr : qobject_cast<Widget*>(found->second.control);
    }

    // Presses Next until the named step shows; false when it does not come.
    bool NextUntil(const std::string& stepName, int presses = 60) {
        for (int i = 0; i < presses && window->CurrentStepName() != stepName; ++i) window->bNextClick();
        return window->CurrentStepName() == stepName;
    }

    bool HasMessage(const std::string& caption, const std::string& text) const {
        for (const ScriptedPrompter::Message& message : prompter.messages) {
            if (message.caption == caption && message.text == text) return true;
        }
        return false;
    }

    TempFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TfProfile> window;
};

// The memory part every small test definition shares.
inline constexpr const char* kOneLocation =
    R"(<memory><loc id="m0" address="0x00" length="2" eval="1"/></memory>)";

inline std::string Definition(const std::string& steps, const std::string& memory = kOneLocation) {
    return "<profile-wizard><steps>" + steps + "</steps>" + memory + "</profile-wizard>";
}

}  // namespace orvik::test
