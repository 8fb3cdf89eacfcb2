#include "data/db/StatusWrapper.h"

#include "data/db/FbClient.h"

#include <algorithm>
#include <array>
#include <ibase.h>
#include <string>
#include <vector>

namespace zorv::db::detail {

namespace {

constexpr unsigned kStatusTextSize = 4096;

std::vector<long> gdsCodesOf(const ISC_STATUS* vector)
{
    std::vector<long> codes;
    const ISC_STATUS* item = vector;
    while (*item != isc_arg_end) {
        const ISC_STATUS kind = *item++;
        if (kind == isc_arg_gds)
            codes.push_back(static_cast<long>(*item));
        item += kind == isc_arg_cstring ? 2 : 1;
    }
    return codes;
}

} // namespace

DatabaseError errorFromStatus(Firebird::IStatus* status)
{
    std::array<char, kStatusTextSize> text{};
    const unsigned length = util()->formatStatus(text.data(), static_cast<unsigned>(text.size()), status);
    std::string message(text.data(), std::min<std::size_t>(length, text.size()));
    while (!message.empty() && message.back() == '\n')
        message.pop_back();
    const ISC_STATUS* vector = status->getErrors();
    return DatabaseError(message, static_cast<int>(isc_sqlcode(vector)), gdsCodesOf(vector));
}

OwnStatus::OwnStatus() : status_(master()->getStatus()), wrapper_(status_) {}

OwnStatus::~OwnStatus()
{
    status_->dispose();
}

QuietStatus::QuietStatus() : status_(master()->getStatus()), wrapper_(status_) {}

QuietStatus::~QuietStatus()
{
    status_->dispose();
}

} // namespace zorv::db::detail
