#include "data/NamedSql.h"

#include "common/Text.h"

#include <cctype>

namespace zorv::data {

namespace {
bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }
} // namespace

NamedSql NamedSql::parse(std::string_view text)
{
    NamedSql out;
    out.sql.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\'' || c == '"') {
            size_t end = text.find(c, i + 1);
            end = end == std::string_view::npos ? text.size() : end + 1;
            out.sql.append(text.substr(i, end - i));
            i = end;
            continue;
        }
        if (c == '-' && i + 1 < text.size() && text[i + 1] == '-') {
            size_t end = text.find('\n', i);
            end = end == std::string_view::npos ? text.size() : end;
            out.sql.append(text.substr(i, end - i));
            i = end;
            continue;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            size_t end = text.find("*/", i + 2);
            end = end == std::string_view::npos ? text.size() : end + 2;
            out.sql.append(text.substr(i, end - i));
            i = end;
            continue;
        }
        if (c == ':' && i + 1 < text.size() && isNameChar(text[i + 1])) {
            size_t end = i + 1;
            while (end < text.size() && isNameChar(text[end]))
                ++end;
            out.names.push_back(toUpper(text.substr(i + 1, end - i - 1)));
            out.sql += '?';
            i = end;
            continue;
        }
        out.sql += c;
        ++i;
    }
    return out;
}

} // namespace zorv::data
