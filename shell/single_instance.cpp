#include "shell/single_instance.h"

#include <windows.h>

namespace velmora {

SingleInstance::SingleInstance(const wchar_t* name) {
    UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, name));
    // A name that cannot be had is held by something: a copy running with
    // other rights (an elevated one refuses a plain user's open), or an
    // object of another kind squatting it. Either way another writer of the
    // profile and the history may run, so this start counts as a second one.
    if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) return;
    token_ = std::move(mutex);
    claimed_ = true;
}

}  // namespace velmora
