#pragma once

// Internal to the database layer.

#include <memory>

namespace zorv::db::detail {

struct ReleaseInterface {
    template <class T>
    void operator()(T* object) const
    {
        object->release();
    }
};

/// One reference to a Firebird interface, released when it goes.
template <class T>
using Owned = std::unique_ptr<T, ReleaseInterface>;

} // namespace zorv::db::detail
