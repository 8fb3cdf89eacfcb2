#pragma once

#include "web/Page.h"

#include <vector>

namespace zorv::web {
class CheckBox;
class ComboBox;
class Edit;
class Grid;
class Label;
} // namespace zorv::web

namespace zorv::testpages {

/// A page of typical weight for the POST benchmark: 30 controls (edits,
/// labels, lists, tick boxes, a memo, a button) and a 50-row grid of
/// editable cells. cmdSave copies a few posted values into labels.
class TfrmBench : public web::Page {
public:
    explicit TfrmBench(web::WebSession& session);

    static constexpr int kEdits = 10;
    static constexpr int kCombos = 5;
    static constexpr int kChecks = 5;
    static constexpr int kRows = 50;
    /// Grid columns: Name (text), Hours (decimal), Note (edit), Kind (list), Done (tick).
    static constexpr int kHoursCol = 1;
    static constexpr int kNoteCol = 2;
    static constexpr int kKindCol = 3;
    static constexpr int kDoneCol = 4;

private:
    void cmdSaveClick();

    std::vector<web::Edit*> edits_;
    std::vector<web::ComboBox*> combos_;
    std::vector<web::CheckBox*> checks_;
    web::Grid* grdBench_;
    web::Label* lblSaved_;
    web::Label* lblTotal_;
};

} // namespace zorv::testpages
