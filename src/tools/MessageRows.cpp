#include "tools/ReferenceData.h"

#include <string_view>

namespace zorv::admin {

namespace {

struct MessageText {
    int number;
    std::string_view text;
};

// The numbered texts the pages look up by number. The rounding words at the
// end are looked up by their English text (translation keys).
constexpr MessageText kMessages[] = {
    {5, "The record could not be deleted."},
    {24, "The record could not be locked for editing."},
    {91, " is mandatory."},
    {180, "The end date is before the start date."},
    {181, "Please choose a category."},
    {185, "The leave scheme of this employee does not exist."},
    {191, "The benefit end date is before its start date."},
    {504, "The expiry date is before the training date."},
    {510, "Please choose a pay period."},
    {528, "Please enter a staff number."},
    {530, "Please choose a valid leave scheme."},
    {532, "The date of joining is after the date of leaving."},
    {533, "The staff number of an existing employee cannot be changed."},
    {534, "This staff number is already in use."},
    {540, "The career event has no description."},
    {591, "No employees can be listed: the employee query is empty."},
    {640, "The record locks could not be checked."},
    {641, "The record could not be locked."},
    {642, "The record could not be unlocked."},
    {643, "Your record locks could not be released."},
    {778, "Error"},
    {779, "Message"},
    {792, "This record is being edited by "},
    {793, "The changes could not be saved."},
    {818, "The pay end date is before the pay start date."},
    {903, "You have no access to this table."},
    {950, "UP"},
    {951, "Down"},
    {952, "Up/Down"},
};

} // namespace

void addMessages(DatabaseContent& globalSet)
{
    auto& messages = globalSet.table("MESSAGES", {"IKEY", "MESSAGEEN", "MESSAGEGA"});
    for (const MessageText& message : kMessages)
        messages.add({message.number, std::string(message.text), ""});
}

} // namespace zorv::admin
