// The program's message boxes as the application sees them (its own and
// the about box): whether one is up, and a call once the last one has gone.
// Verbs that arrive while a box is up (a second start's /next, a hot key)
// wait for it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "platform/services.h"

namespace velmora {

class WatchedPrompter final : public Prompter {
public:
    WatchedPrompter(Prompter& inner, std::function<void()> allClosed)
        : inner_(inner), allClosed_(std::move(allClosed)) {}

    int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) override {
        ++open_;
        const int answer = inner_.Show(owner, text, title, type);
        if (--open_ == 0 && allClosed_) allClosed_();
        return answer;
    }
    bool Open() const { return open_ > 0; }
    // A box the system shows for the program (the about box) counts as one
    // of its own while `show` runs.
    void WhileUp(const std::function<void()>& show) {
        ++open_;
        show();
        if (--open_ == 0 && allClosed_) allClosed_();
    }

private:
    Prompter& inner_;
    std::function<void()> allClosed_;
    int open_ = 0;
};

}  // namespace velmora
