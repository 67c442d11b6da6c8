#include "shell/single_instance.h"

#include <windows.h>

#include "platform/handles.h"

namespace velmora {

bool ClaimSingleInstance() {
    static UniqueKernelHandle token;
    if (token) return true;
    UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, L"Local\\Velmora.SingleInstance"));
    if (!mutex) return true;  // no token to be had: better to run than to refuse to start
    if (::GetLastError() == ERROR_ALREADY_EXISTS) return false;
    token = std::move(mutex);
    return true;
}

}  // namespace velmora
