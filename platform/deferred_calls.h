// Work that waits for the message loop: a call made once the current
// message is handled, or once after a delay. Backed by a message-only window,
// so the calls run inside modal loops too (a message box, a popup menu), as
// every other message of the thread does.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>

#include "platform/window.h"

namespace velmora {

class DeferredCalls : public BaseWindow<DeferredCalls> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.DeferredCalls";
    using Call = std::function<void()>;

    DeferredCalls();
    ~DeferredCalls();

    // Runs `call` once the message being handled now is done.
    void Post(Call call);
    // Runs `call` once, `milliseconds` from now; the id cancels it.
    std::uintptr_t After(unsigned milliseconds, Call call);
    void Cancel(std::uintptr_t id);
    // Calls posted or waiting for their time.
    std::size_t Pending() const { return posted_.size() + timed_.size(); }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    std::map<std::uintptr_t, Call> posted_;
    std::map<std::uintptr_t, Call> timed_;
    std::uintptr_t next_ = 1;
};

}  // namespace velmora
