// One trampoline for every subclassed control: the control's messages go to
// a member function of the window that owns it, which hands what it does not
// handle to ::DefSubclassProc. The subclass removes itself when the control
// is destroyed.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace velmora {

template <typename Owner, LRESULT (Owner::*Method)(HWND, UINT, WPARAM, LPARAM)>
class Subclass {
public:
    static void Attach(HWND control, Owner* owner) {
        ::SetWindowSubclass(control, &Proc, kId, reinterpret_cast<DWORD_PTR>(owner));
    }

private:
    static LRESULT CALLBACK Proc(HWND control, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
        if (msg == WM_NCDESTROY) {
            ::RemoveWindowSubclass(control, &Proc, kId);
            return ::DefSubclassProc(control, msg, wp, lp);
        }
        return (reinterpret_cast<Owner*>(data)->*Method)(control, msg, wp, lp);
    }

    // One id per owner type and method; a control can carry several.
    static inline const UINT_PTR kId = reinterpret_cast<UINT_PTR>(&Proc);
};

// Subclasses `control` so that its messages reach owner->Method.
template <auto Method, typename Owner>
void SubclassControl(HWND control, Owner* owner) {
    Subclass<Owner, Method>::Attach(control, owner);
}

}  // namespace velmora
