#include "data/db/RowDecoder.h"

#include "data/db/BlobIo.h"
#include "data/db/SqlTypes.h"

#include <cstring>
#include <string>

namespace zorv::db::detail {

namespace {

constexpr int kBlobSubTypeText = 1;

ColumnType columnTypeOf(unsigned sqlType, int scale, int subType)
{
    switch (sqlType) {
    case SQL_TEXT:
    case SQL_VARYING: return ColumnType::Text;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: return scale == 0 ? ColumnType::Integer : ColumnType::Decimal;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return scale == 0 ? ColumnType::Double : ColumnType::Decimal;
    case SQL_TYPE_DATE: return ColumnType::Date;
    case SQL_TIMESTAMP: return ColumnType::DateTime;
    case SQL_TYPE_TIME: return ColumnType::Time;
    case SQL_BLOB: return subType == kBlobSubTypeText ? ColumnType::TextBlob : ColumnType::BinaryBlob;
    case SQL_BOOLEAN: return ColumnType::Boolean;
    default: return ColumnType::Other;
    }
}

template <class T>
T load(const unsigned char* data)
{
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

Value scaledInteger(std::int64_t units, int scale)
{
    if (scale == 0)
        return Value(units);
    return Value(Decimal{units, -scale});
}

/// Dialect 1 keeps NUMERIC(15,2) in a double with a scale: read it as the
/// decimal it stands for.
Value scaledDouble(double value, int scale)
{
    if (scale == 0)
        return Value(value);
    if (const std::optional<Decimal> decimal = Decimal::fromDouble(value, -scale))
        return Value(*decimal);
    return Value(value);
}

std::string withoutTrailingBlanks(const unsigned char* data, unsigned length)
{
    std::string text(reinterpret_cast<const char*>(data), length);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

} // namespace

RowDecoder::RowDecoder(Firebird::IMessageMetadata* output, StatusWrapper* status)
    : messageLength_(output->getMessageLength(status))
{
    const unsigned count = output->getCount(status);
    std::vector<ColumnInfo> columns;
    fields_.reserve(count);
    columns.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        const Field field{output->getOffset(status, i), output->getNullOffset(status, i),
                          output->getType(status, i),   output->getScale(status, i),
                          output->getLength(status, i), output->getCharSet(status, i)};
        fields_.push_back(field);
        ColumnInfo column;
        column.name = output->getAlias(status, i);
        column.relation = output->getRelation(status, i);
        column.field = output->getField(status, i);
        column.type = columnTypeOf(field.sqlType, field.scale, output->getSubType(status, i));
        column.scale = -field.scale;
        column.length = field.length;
        column.nullable = output->isNullable(status, i);
        columns.push_back(std::move(column));
    }
    columns_ = std::make_shared<const Columns>(std::move(columns));
}

std::vector<Value> RowDecoder::decode(const unsigned char* message, Attachment& attachment,
                                      Firebird::ITransaction* transaction) const
{
    std::vector<Value> values;
    values.reserve(fields_.size());
    for (const Field& field : fields_) {
        if (load<ISC_SHORT>(message + field.nullOffset) != 0)
            values.emplace_back();
        else
            values.push_back(decodeField(field, message + field.offset, attachment, transaction));
    }
    return values;
}

Value RowDecoder::decodeField(const Field& field, const unsigned char* data, Attachment& attachment,
                              Firebird::ITransaction* transaction) const
{
    switch (field.sqlType) {
    case SQL_TEXT:
        if (field.charSet == kCharSetOctets)
            return Value(std::string(reinterpret_cast<const char*>(data), field.length));
        return Value(withoutTrailingBlanks(data, field.length));
    case SQL_VARYING:
        return Value(std::string(reinterpret_cast<const char*>(data) + sizeof(ISC_USHORT), load<ISC_USHORT>(data)));
    case SQL_SHORT: return scaledInteger(load<ISC_SHORT>(data), field.scale);
    case SQL_LONG: return scaledInteger(load<ISC_LONG>(data), field.scale);
    case SQL_INT64: return scaledInteger(load<ISC_INT64>(data), field.scale);
    case SQL_FLOAT: return scaledDouble(load<float>(data), field.scale);
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return scaledDouble(load<double>(data), field.scale);
    case SQL_TYPE_DATE: return Value(fromIscDate(load<ISC_DATE>(data)));
    case SQL_TIMESTAMP: return Value(fromIscTimestamp(load<ISC_TIMESTAMP>(data)));
    case SQL_TYPE_TIME: return Value(TimeOfDay{fromIscTime(load<ISC_TIME>(data))});
    case SQL_BLOB: return Value(readBlob(attachment, transaction, load<ISC_QUAD>(data)));
    case SQL_BOOLEAN: return Value(load<FB_BOOLEAN>(data) ? 1 : 0);
    case SQL_NULL: return Value();
    default: throw DatabaseError("cannot read a column of Firebird type " + std::to_string(field.sqlType));
    }
}

} // namespace zorv::db::detail
