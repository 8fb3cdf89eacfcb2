#pragma once

#include "common/DateTime.h"
#include "data/DataModule.h"

#include <string>

namespace zorv::data {

/// Global look-up tables: users, event colours, cycles, areas, pay codes.
/// Its datasets carry design-time database names until TdmMain's
/// MapDesignDatabaseNames turns them into aliases.
class TdmGlobal : public DataModule {
public:
    explicit TdmGlobal(DataContext context);
    ~TdmGlobal() override;

    /// Queues a holiday for the time-and-attendance service: one HolUpd row
    /// (VizereDivIdid), committed at once, with dEnd = end when stretch is
    /// set and the day after end otherwise. Throws on failure.
    void QueueHolidayUpdate(const std::string& staffNo, const std::string& paid, bool stretch, const std::string& event,
                            const std::string& reason, const std::string& holiday, const DateTime& start,
                            const DateTime& end);
};

} // namespace zorv::data
