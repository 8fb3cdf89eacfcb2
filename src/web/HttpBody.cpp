#include "web/HttpBody.h"

#include <algorithm>

namespace zorv::web {

LimitedStreamBuf::int_type LimitedStreamBuf::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (left_ == 0) {
        // One byte more than allowed tells an oversized body from an exact fit.
        if (in_.peek() != traits_type::eof())
            exceeded_ = true;
        return traits_type::eof();
    }
    auto want = static_cast<std::streamsize>(std::min<std::uint64_t>(sizeof buffer_, left_));
    in_.read(buffer_, want);
    std::streamsize got = in_.gcount();
    if (got <= 0)
        return traits_type::eof();
    left_ -= static_cast<std::uint64_t>(got);
    setg(buffer_, buffer_, buffer_ + got);
    return traits_type::to_int_type(*gptr());
}

} // namespace zorv::web
