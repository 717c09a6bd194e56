// Work that must run on every way out of a scope, normal or by an exception:
//     SetBusy(true);
//     ScopeExit done([&] { SetBusy(false); });
// One-off cleanup without a guard class of its own or try/catch/rethrow.
#pragma once

#include <utility>

template <typename Work> class [[nodiscard]] ScopeExit {
public:
    explicit ScopeExit(Work work) : work_(std::move(work)) {}
    ~ScopeExit() { work_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Work work_;
};
