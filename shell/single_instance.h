// One running copy per user session.
#pragma once

#include "platform/handles.h"

namespace velmora {

// The name of the token the running copy holds.
inline constexpr wchar_t kSingleInstanceName[] = L"Local\\Velmora.SingleInstance";

class SingleInstance {
public:
    // Claims the token; claimed() is false when an earlier copy holds it,
    // and when the name cannot be opened at all (held with other rights or
    // by another kind of object). The token is held for the object's life,
    // so two starts at the same moment cannot both win.
    explicit SingleInstance(const wchar_t* name = kSingleInstanceName);
    bool claimed() const { return claimed_; }

private:
    UniqueKernelHandle token_;
    bool claimed_ = false;
};

}  // namespace velmora
