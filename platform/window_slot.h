// Windows on demand: each window kind exists at most once. A slot hands out
// the live window, creating it (and running its load logic, without showing
// it) when there is none. Closing the window destroys it; the slot lets its
// object go on the next turn of the message loop, and the next use creates
// both afresh.
//
// A window kind that is slow to make may keep a spare (KeepSpare): once its
// window is gone, a new one is made hidden at the next turn of the loop,
// while nobody waits for it, and the next use takes that one.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

#include "platform/deferred_calls.h"

namespace velmora {

template <typename W>
class WindowSlot {
public:
    // Creates the window and runs its load logic without showing it;
    // nullptr when the window cannot be made.
    using Factory = std::function<std::unique_ptr<W>()>;

    WindowSlot(DeferredCalls& later, Factory make) : later_(later), make_(std::move(make)) {}
    ~WindowSlot() { Destroy(); }
    WindowSlot(const WindowSlot&) = delete;
    WindowSlot& operator=(const WindowSlot&) = delete;

    // The object whose window exists, or nullptr.
    W* Live() const { return object_ && object_->hwnd() ? object_.get() : nullptr; }
    HWND LiveWindow() const { return Live() ? object_->hwnd() : nullptr; }

    // The live window, created first when there is none; nullptr when it
    // cannot be made (or its load closed it again).
    W* Ensure() {
        if (W* live = Live()) return live;
        object_.reset();  // a window gone before the slot heard of it
        std::unique_ptr<W> made = TakeSpare();
        if (!made) made = make_ ? make_() : nullptr;
        if (!made || !made->hwnd()) return nullptr;
        object_ = std::move(made);
        W* raw = object_.get();
        raw->SetGoneCallback([this, raw, token = std::weak_ptr<int>(alive_)] {
            // Not now: the object may be deep in its own call stack.
            later_.Post([this, raw, token] {
                if (token.expired() || object_.get() != raw || raw->hwnd()) return;
                object_.reset();
                if (keepSpare_ && make_) spare_ = make_();
            });
        });
        return raw;
    }

    // On: from the next close on, a spare waits for the next use, which
    // loads it again (W::Reload, for what changed while it waited) and
    // takes it. Off: a spare waiting goes, and none is made.
    void KeepSpare(bool on) {
        keepSpare_ = on;
        if (!on) spare_.reset();
    }
    bool HasSpare() const { return spare_ && spare_->hwnd(); }

    // Shows the window modeless, creating it first when needed, restores it
    // when minimised or maximised and brings it to the front.
    W* ShowNormal() {
        W* w = Ensure();
        if (!w) return nullptr;
        ::ShowWindow(w->hwnd(), SW_SHOW);
        if (::IsIconic(w->hwnd()) || ::IsZoomed(w->hwnd())) ::ShowWindow(w->hwnd(), SW_RESTORE);
        ::SetForegroundWindow(w->hwnd());
        return w;
    }

    // Closes a live window as the user would: its close logic runs.
    void Close() {
        if (HWND h = LiveWindow()) ::SendMessageW(h, WM_CLOSE, 0, 0);
    }

    // Destroys a live window without its close logic, then its object.
    void Destroy() {
        if (HWND h = LiveWindow()) ::DestroyWindow(h);
        object_.reset();
        spare_.reset();
    }

private:
    std::unique_ptr<W> TakeSpare() {
        std::unique_ptr<W> spare = std::move(spare_);
        if (!spare || !spare->hwnd()) return nullptr;
        if constexpr (requires(W& w) { w.Reload(); }) spare->Reload();
        return spare;
    }

    DeferredCalls& later_;
    Factory make_;
    std::unique_ptr<W> object_;
    std::unique_ptr<W> spare_;  // made hidden after a close, for the next use
    bool keepSpare_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace velmora
