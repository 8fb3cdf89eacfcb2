#pragma once

// Internal to the database layer.

#include "data/db/DatabaseError.h"

#include <firebird/Interface.h>

namespace zorv::db::detail {

/// The DatabaseError for a failed Firebird call: the formatted status text,
/// the SQLCODE and the GDS codes.
DatabaseError errorFromStatus(Firebird::IStatus* status);

/// Status argument of the OO API calls: a call that fails throws DatabaseError.
/// Borrows the IStatus; one wrapper serves one thread at a time.
class StatusWrapper : public Firebird::BaseStatusWrapper<StatusWrapper> {
public:
    explicit StatusWrapper(Firebird::IStatus* status) : BaseStatusWrapper(status) {}

    static void checkException(StatusWrapper* wrapper)
    {
        if (wrapper->dirty && (wrapper->getState() & Firebird::IStatus::STATE_ERRORS))
            throw errorFromStatus(wrapper->status);
    }
};

/// A status of its own for calls made before there is an Attachment (attach,
/// create); failures throw DatabaseError. Owns its IStatus.
class OwnStatus {
public:
    OwnStatus();
    ~OwnStatus();
    OwnStatus(const OwnStatus&) = delete;
    OwnStatus& operator=(const OwnStatus&) = delete;

    StatusWrapper* get() { return &wrapper_; }

private:
    Firebird::IStatus* status_;
    StatusWrapper wrapper_;
};

/// A status for clean-up calls in destructors, whose failures are looked at,
/// never thrown. Owns its IStatus.
class QuietStatus {
public:
    QuietStatus();
    ~QuietStatus();
    QuietStatus(const QuietStatus&) = delete;
    QuietStatus& operator=(const QuietStatus&) = delete;

    Firebird::CheckStatusWrapper* get() { return &wrapper_; }
    bool failed() const { return wrapper_.hasData(); }

private:
    Firebird::IStatus* status_;
    Firebird::CheckStatusWrapper wrapper_;
};

} // namespace zorv::db::detail
