#include "data/db/Xpb.h"

#include "data/db/FbClient.h"

#include <string>

namespace zorv::db::detail {

Xpb::Xpb(unsigned kind) : builder_(util()->getXpbBuilder(status_.get(), kind, nullptr, 0)) {}

Xpb::~Xpb()
{
    builder_->dispose();
}

Xpb& Xpb::tag(unsigned char tag)
{
    builder_->insertTag(status_.get(), tag);
    return *this;
}

Xpb& Xpb::integer(unsigned char tag, int value)
{
    builder_->insertInt(status_.get(), tag, value);
    return *this;
}

Xpb& Xpb::text(unsigned char tag, std::string_view value)
{
    builder_->insertString(status_.get(), tag, std::string(value).c_str());
    return *this;
}

unsigned Xpb::length()
{
    return builder_->getBufferLength(status_.get());
}

const unsigned char* Xpb::data()
{
    return builder_->getBuffer(status_.get());
}

} // namespace zorv::db::detail
