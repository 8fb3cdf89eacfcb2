#include "testpages/TfrmBench.h"

#include "web/controls/Button.h"
#include "web/controls/CheckBox.h"
#include "web/controls/ComboBox.h"
#include "web/controls/Edit.h"
#include "web/controls/Grid.h"
#include "web/controls/Label.h"
#include "web/controls/Memo.h"

#include <cstdio>
#include <cstdlib>

namespace zorv::testpages {

namespace {
const std::vector<std::string> kKinds = {"Normal", "Overtime", "Holiday", "Sick", "Training"};
} // namespace

// 10 labels + 10 edits + 5 lists + 5 tick boxes = 30 controls, then the
// memo, the grid, the button and two result labels.
TfrmBench::TfrmBench(web::WebSession& session) : Page(session, "TfrmBench")
{
    using namespace web;
    setTitle("Benchmark page");
    for (int i = 0; i < kEdits; ++i) {
        auto n = std::to_string(i);
        add<Label>("lblField" + n, "Field " + n)->setCssClass("zw-field-label");
        auto* edit = add<Edit>("edtField" + n);
        edit->setText("value " + n);
        edit->setLabelledBy("lblField" + n);
        edits_.push_back(edit);
    }
    for (int i = 0; i < kCombos; ++i) {
        auto* combo = add<ComboBox>("cboChoice" + std::to_string(i));
        for (int item = 0; item < 12; ++item)
            combo->addItem("Choice " + std::to_string(item));
        combo->setItemIndex(i);
        combos_.push_back(combo);
    }
    for (int i = 0; i < kChecks; ++i) {
        auto* check = add<CheckBox>("chkOption" + std::to_string(i), "Option " + std::to_string(i));
        check->setChecked(i % 2 == 0);
        checks_.push_back(check);
    }
    add<Memo>("memNotes")->setText("Notes of the benchmark page.\nSecond line.");

    grdBench_ = add<Grid>("grdBench");
    grdBench_->addColumn("Name");
    grdBench_->addColumn("Hours", GridColumnKind::Decimal);
    grdBench_->addColumn("Note", GridColumnKind::Edit);
    GridColumn kind;
    kind.title = "Kind";
    kind.kind = GridColumnKind::Combo;
    kind.items = kKinds;
    grdBench_->addColumn(kind);
    grdBench_->addColumn("Done", GridColumnKind::CheckBox);
    for (int r = 0; r < kRows; ++r) {
        grdBench_->addRow();
        grdBench_->setCell(r, 0, "Employee " + std::to_string(r));
        grdBench_->setCell(r, kHoursCol, std::to_string(r % 9) + ".5");
        grdBench_->setCell(r, kNoteCol, "note " + std::to_string(r));
        grdBench_->setCell(r, kKindCol, kKinds[static_cast<size_t>(r) % kKinds.size()]);
        grdBench_->setCellChecked(r, kDoneCol, r % 3 == 0);
    }

    auto* save = add<Button>("cmdSave", "Save");
    save->onClick = [this] { cmdSaveClick(); };
    lblSaved_ = add<Label>("lblSaved");
    lblTotal_ = add<Label>("lblTotal");
}

void TfrmBench::cmdSaveClick()
{
    lblSaved_->setCaption(edits_.front()->text() + " / " + combos_.front()->text() + " / " +
                          grdBench_->cell(kRows - 1, kNoteCol));
    double total = 0;
    for (int r = 0; r < grdBench_->rowCount(); ++r)
        total += std::strtod(grdBench_->cell(r, kHoursCol).c_str(), nullptr);
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", total);
    lblTotal_->setCaption(std::string("Total hours: ") + text);
}

} // namespace zorv::testpages
