#pragma once

#include <string>

namespace zorv::db {

enum class ColumnType {
    Text,       ///< CHAR (trailing blanks removed) and VARCHAR
    Integer,    ///< SMALLINT, INTEGER, BIGINT
    Decimal,    ///< NUMERIC and DECIMAL, also the double-stored ones of dialect 1
    Double,     ///< FLOAT, DOUBLE PRECISION
    Date,       ///< DATE of dialect 3
    DateTime,   ///< TIMESTAMP, and DATE of dialect 1
    Time,       ///< TIME
    TextBlob,   ///< BLOB SUB_TYPE TEXT, read as a whole UTF-8 string
    BinaryBlob, ///< any other BLOB, read as bytes into a text value
    Boolean,    ///< BOOLEAN, read as the integer 0 or 1
    Other,      ///< a type this layer does not read (arrays)
};

/// What Firebird describes about one column of a result.
struct ColumnInfo {
    std::string name;     ///< the output name: the alias given in the select list, else the field name
    std::string relation; ///< the table or view the value comes from; empty for an expression
    std::string field;    ///< the column in that relation (for an expression, a name Firebird made up)
    ColumnType type = ColumnType::Other;
    int scale = 0;           ///< digits after the decimal point of a Decimal
    unsigned length = 0;     ///< bytes in the message; a UTF-8 text column has 4 a character
    bool nullable = true;
};

} // namespace zorv::db
