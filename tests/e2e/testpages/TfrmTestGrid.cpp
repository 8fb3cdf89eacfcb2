#include "testpages/TfrmTestGrid.h"

#include "web/WebSession.h"
#include "web/controls/Button.h"
#include "web/controls/FileUpload.h"
#include "web/controls/Grid.h"
#include "web/controls/Label.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace zorv::testpages {

namespace {
constexpr const char* kRowNames[] = {"Alpha", "Bravo", "Charlie"};
/// Long enough for a browser test to see the page while the post is pending.
constexpr auto kSlowHandler = std::chrono::milliseconds(1500);
} // namespace

TfrmTestGrid::TfrmTestGrid(web::WebSession& session) : Page(session, "TfrmTestGrid")
{
    using namespace web;
    setTitle("Grid test page");
    grdItems_ = add<Grid>("grdItems");
    grdItems_->addColumn("Name");
    grdItems_->addColumn("Note", GridColumnKind::Edit);
    GridColumn action;
    action.title = "Action";
    action.kind = GridColumnKind::Button;
    action.caption = "Go";
    grdItems_->addColumn(action);
    for (const char* name : kRowNames) {
        int row = grdItems_->addRow();
        grdItems_->setCell(row, kNameCol, name);
        grdItems_->setCell(row, kNoteCol, std::string("note ") + name);
    }
    grdItems_->onButtonClick = [this](int row, int col) { grdItemsButtonClick(row, col); };

    lblResult_ = add<Label>("lblResult");
    lblNote_ = add<Label>("lblNote");
    fupFile_ = add<FileUpload>("fupFile");
    cmdUpload_ = add<Button>("cmdUpload", "Upload");
    cmdUpload_->onClick = [this] { cmdUploadClick(); };
    cmdDownload_ = add<Button>("cmdDownload", "Download");
    cmdDownload_->onClick = [this] { cmdDownloadClick(); };
    cmdSlow_ = add<Button>("cmdSlow", "Slow");
    cmdSlow_->onClick = [this] { cmdSlowClick(); };
}

void TfrmTestGrid::grdItemsButtonClick(int row, int col)
{
    if (col != kButtonCol)
        return;
    lblResult_->setCaption("clicked row " + std::to_string(row));
    lblNote_->setCaption("note: " + grdItems_->cell(row, kNoteCol));
    session().showMessage("Row " + std::to_string(row) + " button clicked");
}

void TfrmTestGrid::cmdUploadClick()
{
    const web::UploadedFile* file = fupFile_->uploadedFile();
    if (!file) {
        lblResult_->setCaption("no file");
        return;
    }
    // The temporary file is gone after this request; check that it is there now.
    std::error_code ec;
    auto onDisk = std::filesystem::file_size(file->tempPath, ec);
    lblResult_->setCaption("uploaded " + file->fileName + " (" + std::to_string(file->size) + " bytes" +
                           (ec || onDisk != file->size ? ", missing on disk)" : ")"));
}

void TfrmTestGrid::cmdDownloadClick()
{
    auto path = std::filesystem::temp_directory_path() / ("zorvweb-report-" + web::randomToken() + ".csv");
    {
        std::ofstream out(path, std::ios::binary);
        out << grdItems_->toCsv();
    }
    session().sendFile(path.string(), "report.csv", true);
    lblResult_->setCaption("download ready");
}

void TfrmTestGrid::cmdSlowClick()
{
    std::this_thread::sleep_for(kSlowHandler);
    ++slowClicks_;
    lblResult_->setCaption("slow clicks: " + std::to_string(slowClicks_));
}

} // namespace zorv::testpages
