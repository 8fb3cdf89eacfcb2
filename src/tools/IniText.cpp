#include "tools/IniText.h"

#include <fstream>
#include <stdexcept>

namespace zorv::admin {

IniText& IniText::section(std::string name)
{
    sections_.push_back(Section{std::move(name), {}});
    return *this;
}

IniText& IniText::set(std::string key, std::string value)
{
    if (sections_.empty())
        throw std::logic_error("INI key " + key + " set before any section");
    sections_.back().keys.emplace_back(std::move(key), std::move(value));
    return *this;
}

std::string IniText::text() const
{
    std::string out;
    for (const Section& section : sections_) {
        if (!out.empty())
            out += '\n';
        out += '[' + section.name + "]\n";
        for (const auto& [key, value] : section.keys)
            out += key + '=' + value + '\n';
    }
    return out;
}

void IniText::write(const std::filesystem::path& file) const { writeFile(file, text()); }

void writeFile(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace zorv::admin
