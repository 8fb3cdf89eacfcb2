#include "ScreenFixture.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "data/Dataset.h"
#include "data/ReferenceCache.h"
#include "data/TdmMain.h"
#include "web/Html.h"
#include "web/controls/Button.h"
#include "web/controls/Region.h"

namespace zorv::test {

ScreenPage::ScreenPage(web::WebSession& session) : Page(session, "ScreenPage")
{
    regedit = add<web::Region>("regedit");
    cmdAdd = regedit->add<web::Button>("cmdAdd", "Add");
    cmdEdit = regedit->add<web::Button>("cmdEdit", "Edit");
    cmdDelete = regedit->add<web::Button>("cmdDelete", "Delete");
    cmdSave = regedit->add<web::Button>("cmdSave", "Save");
    cmdCancel = regedit->add<web::Button>("cmdCancel", "Cancel");
    regScreen = regedit->add<web::Region>("regScreen");
    imgBrowse = add<web::Button>("imgBrowse", "Browse");
    imgEdit = add<web::Button>("imgEdit", "Details");
}

ScreenTest::ScreenTest()
{
    data::ReferenceCache::instance().clear();
    user.UserName = "ann";
    user.Language = "EN";
    user.SecurityCode = "clerk";
    user.dmMain->ConnectEmployeeDatabase("Hospital");
    page = &session.open<ScreenPage>();
    records::ScreenHost host{*page->regScreen, page->regedit,  page->cmdAdd,    page->cmdEdit, page->cmdDelete,
                             page->cmdSave,    page->cmdCancel, page->imgBrowse, page->imgEdit, "clYellow"};
    screen = std::make_unique<records::RecordScreen>(host, user);
}

ScreenTest::~ScreenTest()
{
    screen.reset();
    user.RequestFinished();
    data::ReferenceCache::instance().clear();
}

void ScreenTest::addLayout(int tag, const std::vector<LayoutRow>& rows)
{
    for (const LayoutRow& row : rows) {
        web.execute("insert into TUSRSCR (ITAG, AFIELDNAME, ACOMTYPE, LVISIBLE, IDATALEFT, IDATATOP, ILABELLEFT, "
                    "ILABELTOP) values (?, ?, ?, 'TRUE', ?, ?, 10, ?)",
                    {tag, row.field, row.kind, row.left, row.top, row.top});
        for (const auto& [column, value] : row.more)
            // The column names are the test's own constants.
            web.execute("update TUSRSCR set " + column + " = ? where ITAG = ? and AFIELDNAME = ?",
                        {value, tag, row.field});
    }
}

void ScreenTest::addLabel(const std::string& table, const std::string& field, const std::string& caption,
                          const std::string& captionGa)
{
    reference.execute("insert into LABEL (TABLENAME, FIELDNAME, CAPTION, CAPTIONGA) values (?, ?, ?, ?)",
                      {table, field, caption, captionGa});
}

void ScreenTest::addRectangle(int tag, int id, const std::string& caption, int top)
{
    web.execute("insert into TUSRREC (ITAG, IID, ACAPTION, ILABELLEFT, ILABELTOP) values (?, ?, ?, 10, ?)",
                {tag, id, caption, top});
}

void ScreenTest::addEmployee(const std::string& staffNo, const std::string& surname)
{
    // The absence class of the profile's current employees, which the employee set lists.
    employee.execute("insert into MASTER (STAFFNO, SURNAME, ABSCLASS) values (?, ?, 'Current')", {staffNo, surname});
}

void ScreenTest::openFor(data::Dataset& set, const std::string& staffNo)
{
    user.CurrentStaffNo = staffNo;
    set.close();
    set.setParam("EmpNo", staffNo);
    user.dmMain->open(set);
}

bool ScreenTest::showScreen(const std::string& table, int tag, data::Dataset& set, bool isEmployeeSet)
{
    screen->LayoutScreen(table, tag, set);
    const bool allowed = screen->ApplyScreenRights(set, isEmployeeSet);
    if (allowed)
        screen->makeReadOnly();
    return allowed;
}

std::string ScreenTest::renderScreen() const
{
    web::HtmlWriter w;
    page->regScreen->render(w);
    return w.str();
}

std::vector<std::string> ScreenTest::loggedContexts() const
{
    const Ini log(errorIniPath());
    std::vector<std::string> contexts;
    for (const std::string& section : log.sections())
        for (const std::string& key : log.keys(section))
            contexts.push_back(key);
    return contexts;
}

} // namespace zorv::test
