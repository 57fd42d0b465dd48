#include "polling_table.h"

#include "polling.h"

namespace vantrel {
namespace {

RowTable MakeTable() {
    RowTable table;
    table.caption = "Polling Control";
    table.controlHeading = "Input / Output";
    table.unitHeading = "Range/Units";
    table.descriptionHeading = "Command Description";
    table.progress = false;
    table.buttons = {"&Start / Stop", "&Close"};

    RowSpec name;
    name.unitLabel = " N/A";
    name.description = " Text Polling File Name";
    name.kind = ValueKind::Text;
    name.maxLength = Polling::kMaximumNameLength;

    RowSpec rate;
    rate.unitLabel = " 1..60 / Sec";
    rate.description = " Polling Rate";
    rate.kind = ValueKind::Integer;
    rate.wording = RangeWording::Integer;
    rate.minimum = Polling::kMinimumRate;
    rate.maximum = Polling::kMaximumRate;

    RowSpec graph;
    graph.control = RowControl::CheckBox;
    graph.controlText = "&Graph Battery Specs in Excel ";
    RowSpec log = graph;
    log.controlText = "&Log Data to Text File ";

    table.rows = {name, rate, graph, log};
    return table;
}

}  // namespace

const RowTable& PollingControlTable() {
    static const RowTable table = MakeTable();
    return table;
}

}  // namespace vantrel
