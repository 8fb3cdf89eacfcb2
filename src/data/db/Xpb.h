#pragma once

// Internal to the database layer.

#include "data/db/StatusWrapper.h"

#include <firebird/Interface.h>
#include <string_view>

namespace zorv::db::detail {

/// A parameter block (DPB for attaching, TPB for a transaction) being built.
class Xpb {
public:
    /// kind: Firebird::IXpbBuilder::DPB or ::TPB.
    explicit Xpb(unsigned kind);
    ~Xpb();
    Xpb(const Xpb&) = delete;
    Xpb& operator=(const Xpb&) = delete;

    Xpb& tag(unsigned char tag);
    Xpb& integer(unsigned char tag, int value);
    Xpb& text(unsigned char tag, std::string_view value);

    unsigned length();
    const unsigned char* data();

private:
    OwnStatus status_;
    Firebird::IXpbBuilder* builder_;
};

} // namespace zorv::db::detail
