#include "LockKeys.h"

#include <QGuiApplication>

#ifdef QUIB_HAVE_XKB
#include <X11/XKBlib.h>
#endif

#ifdef QUIB_HAVE_XKB
namespace {

// The indicator's atom, asked of the server once per name.
Atom IndicatorAtom(Display* display, LockKey key) {
    static Display* known = nullptr;
    static Atom atoms[3];
    if (known != display) {
        known = display;
        atoms[int(LockKey::Caps)] = XInternAtom(display, "Caps Lock", True);
        atoms[int(LockKey::Num)] = XInternAtom(display, "Num Lock", True);
        atoms[int(LockKey::Scroll)] = XInternAtom(display, "Scroll Lock", True);
    }
    return atoms[int(key)];
}

} // namespace
#endif

bool IsLockKeyOn(LockKey key) {
#ifdef QUIB_HAVE_XKB
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr)
        return false;
    const Atom indicator = IndicatorAtom(display, key);
    Bool on = False;
    if (indicator == None ||
        !XkbGetNamedIndicator(display, indicator, nullptr, &on, nullptr, nullptr))
        return false;
    return on == True;
#else
    (void)key;
    return false;
#endif
}
