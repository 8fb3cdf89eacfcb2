#pragma once

#include "web/Page.h"

namespace zorv::web {
class Button;
class FileUpload;
class Grid;
class Label;
} // namespace zorv::web

namespace zorv::testpages {

/// A grid with an edit and a button column, a file upload, a download and a
/// slow button: the flows the browser tests drive.
///
/// Grid rows are counted from 0 as the grid counts them: the button of row
/// 1 sets lblResult to "clicked row 1" and lblNote to "note: <its Note cell>".
class TfrmTestGrid : public web::Page {
public:
    explicit TfrmTestGrid(web::WebSession& session);

    static constexpr int kNameCol = 0;
    static constexpr int kNoteCol = 1;
    static constexpr int kButtonCol = 2;

private:
    void grdItemsButtonClick(int row, int col);
    void cmdUploadClick();
    void cmdDownloadClick();
    void cmdSlowClick();

    web::Grid* grdItems_;
    web::Label* lblResult_;
    web::Label* lblNote_;
    web::FileUpload* fupFile_;
    web::Button* cmdUpload_;
    web::Button* cmdDownload_;
    web::Button* cmdSlow_;
    int slowClicks_ = 0;
};

} // namespace zorv::testpages
