#pragma once

#include <cstdint>
#include <istream>
#include <streambuf>

namespace zorv::web {

/// Reads at most limit bytes from a stream; reading past the limit ends the
/// stream and sets exceeded(), so an oversized body is never stored whole.
class LimitedStreamBuf : public std::streambuf {
public:
    LimitedStreamBuf(std::istream& in, std::uint64_t limit) : in_(in), left_(limit) {}
    bool exceeded() const { return exceeded_; }

protected:
    int_type underflow() override;

private:
    std::istream& in_;
    std::uint64_t left_;
    bool exceeded_ = false;
    char buffer_[8192];
};

} // namespace zorv::web
