#include "shell/single_instance.h"

#include <windows.h>

namespace velmora {

SingleInstance::SingleInstance(const wchar_t* name) {
    UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, name));
    if (!mutex) {
        claimed_ = true;  // no token to be had: better to run than to refuse to start
        return;
    }
    if (::GetLastError() == ERROR_ALREADY_EXISTS) return;
    token_ = std::move(mutex);
    claimed_ = true;
}

}  // namespace velmora
