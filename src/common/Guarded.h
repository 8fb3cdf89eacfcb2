#pragma once

namespace zorv {

/// Runs one step of a teardown or clean-up whose failure must not stop the
/// steps after it: any exception of the step is swallowed.
template <class Step>
void guarded(Step&& step) noexcept
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace zorv
