#include "tools/Installation.h"

#include "data/Tdmdata.h"
#include "tools/SchemaLoader.h"

namespace zorv::admin {

std::size_t createDatabases(const std::filesystem::path& home, const std::vector<PlannedDatabase>& databases)
{
    const data::DatabaseLayout defaults;
    std::size_t rows = 0;
    for (const PlannedDatabase& planned : databases) {
        const db::ConnectionTarget target{(home / planned.file).string(), defaults.user, defaults.password};
        db::Connection connection = createFromSchema(target, planned.kind);
        for (const DatabaseContent* content : planned.contents) {
            try {
                rows += writeContent(connection, *content);
            } catch (const std::exception& e) {
                throw std::runtime_error(planned.file + ": " + e.what());
            }
        }
    }
    return rows;
}

} // namespace zorv::admin
