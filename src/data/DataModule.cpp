#include "data/DataModule.h"

#include "common/Text.h"
#include "data/RequestConnections.h"

namespace zorv::data {

DataModule::DataModule(std::string name, DataContext context) : name_(std::move(name)), context_(std::move(context)) {}

DataModule::~DataModule() = default;

Dataset& DataModule::addDataset(std::string name, std::string alias, std::string sql, int tag)
{
    auto dataset = std::make_unique<Dataset>(std::move(name), std::move(sql));
    dataset->setModuleName(name_);
    dataset->setDatabaseName(std::move(alias));
    dataset->tag = tag;
    view_.push_back(dataset.get());
    datasets_.push_back(std::move(dataset));
    return *view_.back();
}

Dataset* DataModule::findDataset(std::string_view name) const
{
    for (Dataset* d : view_)
        if (iequals(d->name(), name))
            return d;
    return nullptr;
}

db::Connection& DataModule::connection(std::string_view alias) { return context_.connections->get(alias); }

void DataModule::open(Dataset& dataset) { dataset.open(connection(dataset.databaseName())); }

void DataModule::repointEmployeeDatasets(const std::string& alias, bool reopen)
{
    for (Dataset* d : view_) {
        if (d->tag != 1)
            continue;
        const bool wasOpen = d->active();
        d->close();
        d->setDatabaseName(alias);
        if (wasOpen && reopen)
            open(*d);
    }
}

void DataModule::closeEmployeeDatasets() noexcept
{
    for (Dataset* d : view_) {
        if (d->tag != 1)
            continue;
        try {
            d->close();
        } catch (...) {
        }
    }
}

} // namespace zorv::data
