#include "data/DesignNames.h"
#include "data/Aliases.h"

#include "common/Text.h"
#include "data/DataModule.h"

namespace zorv::data {

namespace {

using zorv::data::alias::kGlobal;
using zorv::data::alias::kCentral;
using zorv::data::alias::kGlobalWork;

void followEmployee(Dataset& dataset, const std::string& employeeAlias)
{
    dataset.setDatabaseName(employeeAlias);
    dataset.tag = 1;
}

} // namespace

void mapDesignDatabaseNames(DataModule& module, const std::function<bool(const std::string&)>& aliasDefined,
                            const std::string& employeeAlias)
{
    auto defined = [&](const char* name) { return aliasDefined && aliasDefined(name); };
    for (Dataset* dataset : module.datasets()) {
        const std::string name = dataset->databaseName();
        if (iequals(name, kGlobalWorkDesignName))
            dataset->setDatabaseName(kGlobalWork);
        else if (iequals(name, kGlobalHrDesignName))
            dataset->setDatabaseName(kGlobal);
        else if (iequals(name, kEmployeeServerDesignName))
            followEmployee(*dataset, employeeAlias);
        else if (iequals(name, kCentralGlobalDesignName) && !defined(kCentralGlobalDesignName))
            dataset->setDatabaseName(kCentral);
        else if (iequals(name, kCentralGlobalWorkDesignName) && !defined(kCentralGlobalWorkDesignName))
            dataset->setDatabaseName(kGlobalWork);
        else if (iequals(name, kEmployeeSessionDesignName) && !defined(kEmployeeSessionDesignName))
            followEmployee(*dataset, employeeAlias);
    }
}

} // namespace zorv::data
