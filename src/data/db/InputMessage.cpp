#include "data/db/InputMessage.h"

#include "data/db/BlobIo.h"
#include "data/db/SqlTypes.h"

#include <cstring>
#include <optional>
#include <string>

namespace zorv::db::detail {

namespace {

// The longest VARCHAR value a message can carry.
constexpr std::size_t kMaxVaryingBytes = 32765;

struct Described {
    unsigned type;
    int scale;
    unsigned charSet;
};

/// A parameter's value as the bytes of its message field (text: the
/// characters, without the VARCHAR length); nothing for null.
using Encoded = std::optional<std::string>;

template <class T>
std::string bytesOf(const T& value)
{
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

std::int64_t scaledUnits(const Value& value, int digits)
{
    const std::optional<Decimal> scaled = value.kind() == ValueKind::Double
                                              ? Decimal::fromDouble(value.asDouble(), digits)
                                              : value.asDecimal().rescaled(digits);
    if (!scaled)
        throw DatabaseError(value.asString() + " is out of range");
    return scaled->units;
}

std::string textOf(const Value& value)
{
    std::string text = value.asString();
    if (text.size() > kMaxVaryingBytes)
        throw DatabaseError("a text of " + std::to_string(text.size()) + " bytes is longer than " +
                            std::to_string(kMaxVaryingBytes));
    return text;
}

std::string encodeValue(const Value& value, const Described& described, Attachment& attachment,
                        Firebird::ITransaction* transaction)
{
    switch (described.type) {
    case SQL_TEXT:
    case SQL_VARYING: return textOf(value);
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: return bytesOf(scaledUnits(value, -described.scale));
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return bytesOf(value.asDouble());
    case SQL_TYPE_DATE: return bytesOf(toIscDate(value.asDate()));
    case SQL_TIMESTAMP: return bytesOf(toIscTimestamp(value.asDateTime()));
    case SQL_TYPE_TIME: return bytesOf(toIscTime(value.asTime().seconds));
    case SQL_BLOB: return bytesOf(writeBlob(attachment, transaction, value.asString()));
    case SQL_BOOLEAN: return bytesOf(static_cast<FB_BOOLEAN>(value.asInt() != 0));
    case SQL_NULL: return {};
    default: throw DatabaseError("parameters of Firebird type " + std::to_string(described.type) + " are not supported");
    }
}

/// Sets the message type of one non-null parameter; types left alone keep
/// their described form.
void setWireType(Firebird::IMetadataBuilder* builder, StatusWrapper* status, unsigned index,
                 const Described& described, std::size_t encodedLength)
{
    switch (described.type) {
    case SQL_TEXT:
    case SQL_VARYING:
        builder->setType(status, index, SQL_VARYING);
        builder->setLength(status, index, static_cast<unsigned>(encodedLength));
        builder->setCharSet(status, index, described.charSet);
        return;
    case SQL_SHORT:
    case SQL_LONG:
        builder->setType(status, index, SQL_INT64);
        builder->setLength(status, index, sizeof(ISC_INT64));
        builder->setScale(status, index, described.scale);
        return;
    case SQL_FLOAT:
    case SQL_D_FLOAT:
        builder->setType(status, index, SQL_DOUBLE);
        builder->setLength(status, index, sizeof(double));
        return;
    default: return;
    }
}

/// Every parameter encoded, with the message types set on builder.
std::vector<Encoded> encodeAll(Firebird::IMessageMetadata* described, Firebird::IMetadataBuilder* builder,
                               const Params& params, Attachment& attachment, Firebird::ITransaction* transaction)
{
    StatusWrapper* status = attachment.status();
    std::vector<Encoded> encoded(params.size());
    for (unsigned i = 0; i < params.size(); ++i) {
        if (params[i].isNull())
            continue;
        const Described field{described->getType(status, i), described->getScale(status, i),
                              described->getCharSet(status, i)};
        try {
            encoded[i] = encodeValue(params[i], field, attachment, transaction);
        } catch (const DatabaseError& error) {
            if (error.gdsCode() != 0)
                throw;
            throw DatabaseError("parameter " + std::to_string(i + 1) + ": " + error.what());
        }
        setWireType(builder, status, i, field, encoded[i]->size());
    }
    return encoded;
}

void writeField(unsigned char* field, unsigned type, const std::string& bytes)
{
    if (type == SQL_VARYING) {
        const auto length = static_cast<ISC_USHORT>(bytes.size());
        std::memcpy(field, &length, sizeof length);
        field += sizeof length;
    }
    std::memcpy(field, bytes.data(), bytes.size());
}

} // namespace

InputMessage::InputMessage(Firebird::IMessageMetadata* described, const Params& params, Attachment& attachment,
                           Firebird::ITransaction* transaction)
{
    StatusWrapper* status = attachment.status();
    const unsigned count = described->getCount(status);
    if (params.size() != count)
        throw DatabaseError("the statement takes " + std::to_string(count) + " parameters, " +
                            std::to_string(params.size()) + " were given");
    if (count == 0)
        return;

    Owned<Firebird::IMetadataBuilder> builder(described->getBuilder(status));
    const std::vector<Encoded> encoded = encodeAll(described, builder.get(), params, attachment, transaction);
    metadata_.reset(builder->getMetadata(status));
    buffer_.assign(metadata_->getMessageLength(status), 0);
    for (unsigned i = 0; i < count; ++i) {
        const ISC_SHORT nullFlag = encoded[i] ? 0 : -1;
        std::memcpy(buffer_.data() + metadata_->getNullOffset(status, i), &nullFlag, sizeof nullFlag);
        if (encoded[i])
            writeField(buffer_.data() + metadata_->getOffset(status, i), metadata_->getType(status, i), *encoded[i]);
    }
}

} // namespace zorv::db::detail
