#include "ui/keyboard_state.h"

#include <QGuiApplication>

#ifdef TOKO_HAVE_X11
// After the Qt headers: X11 defines macros (Bool, None, Status) that clash with them.
#include <X11/XKBlib.h>
#endif

bool SystemKeyboardState::numLock() const
{
#ifdef TOKO_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return false;
    Display* display = x11->display();
    static const Atom numLockName = XInternAtom(display, "Num Lock", False);
    int on = 0;
    if (!XkbGetNamedIndicator(display, numLockName, nullptr, &on, nullptr, nullptr))
        return false;
    return on != 0;
#else
    return false;
#endif
}
