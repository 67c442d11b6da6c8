#include "platform/deferred_calls.h"

#include <utility>

namespace velmora {

namespace {
constexpr UINT kRunPosted = WM_APP + 1;
}

DeferredCalls::DeferredCalls() {
    RegisterClassOnce();
    CreateWindowOf(0, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

DeferredCalls::~DeferredCalls() {
    posted_.clear();
    timed_.clear();
    if (HWND h = hwnd()) ::DestroyWindow(h);
}

void DeferredCalls::Post(Call call) {
    const std::uintptr_t id = next_++;
    posted_.emplace(id, std::move(call));
    ::PostMessageW(hwnd(), kRunPosted, static_cast<WPARAM>(id), 0);
}

std::uintptr_t DeferredCalls::After(unsigned milliseconds, Call call) {
    const std::uintptr_t id = next_++;
    timed_.emplace(id, std::move(call));
    ::SetTimer(hwnd(), id, milliseconds, nullptr);
    return id;
}

void DeferredCalls::Cancel(std::uintptr_t id) {
    if (timed_.erase(id) != 0) ::KillTimer(hwnd(), id);
    posted_.erase(id);
}

LRESULT DeferredCalls::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    std::map<std::uintptr_t, Call>* from = nullptr;
    if (msg == kRunPosted) {
        from = &posted_;
    } else if (msg == WM_TIMER) {
        ::KillTimer(hwnd(), wp);  // once; a stray tick after this finds nothing
        from = &timed_;
    } else {
        return Default(msg, wp, lp);
    }
    const auto it = from->find(static_cast<std::uintptr_t>(wp));
    if (it == from->end()) return 0;
    // Taken out before it runs: the call may post or cancel others.
    Call call = std::move(it->second);
    from->erase(it);
    call();
    return 0;
}

}  // namespace velmora
