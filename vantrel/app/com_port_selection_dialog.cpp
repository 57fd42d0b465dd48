#include "com_port_selection_dialog.h"

namespace vantrel {
namespace {

QStringList PortLabels() {
    QStringList labels;
    for (int port = 1; port <= 8; ++port) labels << QString("COM &%1").arg(port);
    return labels;
}

}  // namespace

ComPortSelectionDialog::ComPortSelectionDialog(SetupContext& ctx, QWidget* parent)
    : PortChoiceDialog(model_,
                       {.title = "COM Port Selection",
                        .groupTitle = "COM Port Selection",
                        .labels = PortLabels(),
                        .autoselectText = "Autoselect",
                        .okOffDuringAutoselect = true},
                       parent),
      model_(ctx) {
    Sync();
}

}  // namespace vantrel
