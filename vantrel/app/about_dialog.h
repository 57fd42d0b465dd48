#pragma once
#include <QDialog>

namespace vantrel {

class IDesktop;

inline constexpr const char* kAboutTitle = "About ";
inline constexpr const char* kAboutProgram = "Vantrel";
inline constexpr const char* kAboutVersion = "Version 3.3";
inline constexpr const char* kAboutFeature = "Featuring I/O Text Debug";
inline constexpr const char* kAboutWizard = "Profiles made with the Orvik profile wizard";
inline constexpr const char* kAboutOk = "&OK";

// Help > About Vantrel: the icon, the program's lines, the maker's web address
// (a click opens it) and OK.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(IDesktop& desktop, QWidget* parent = nullptr);

    // As a click on the address line does.
    void ActivateAddress();

private:
    IDesktop& desktop_;
};

}  // namespace vantrel
