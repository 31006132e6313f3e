// Warming up the OpenGL driver before the window asks for it.
//
// Opening the window is mostly the dynamic loader mapping and relocating the Mesa driver and the
// LLVM it links: about 60 ms on a machine without a GPU. Nothing in that needs the window, so
// start-up runs it on a thread beside the font loading. The driver stays loaded (the display is
// never terminated), and when SDL opens its own display the loader finds it already mapped.
#include <dlfcn.h>

#include <cstdint>

#include "platform/graphics.hpp"

namespace {
using EGLDisplay = void*;
using EGLBoolean = unsigned int;
using EGLint = int32_t;
using GetProcAddressFn = void* (*)(const char*);
using GetPlatformDisplayFn = EGLDisplay (*)(unsigned int, void*, const EGLint*);
using InitializeFn = EGLBoolean (*)(EGLDisplay, EGLint*, EGLint*);
constexpr unsigned int kPlatformSurfacelessMesa = 0x31DD;
}  // namespace

void WarmUpGraphicsDriver() {
    // The GLX side is a small library; loading it here only saves SDL a lookup on X11.
    dlopen("libGL.so.1", RTLD_NOW | RTLD_GLOBAL);
    void* egl = dlopen("libEGL.so.1", RTLD_NOW | RTLD_GLOBAL);
    if (!egl) return;
    auto getProc = reinterpret_cast<GetProcAddressFn>(dlsym(egl, "eglGetProcAddress"));
    auto initialize = reinterpret_cast<InitializeFn>(dlsym(egl, "eglInitialize"));
    if (!getProc || !initialize) return;
    auto getDisplay = reinterpret_cast<GetPlatformDisplayFn>(getProc("eglGetPlatformDisplayEXT"));
    if (!getDisplay) return;
    // A display without a window system loads the same driver the window will use.
    EGLDisplay display = getDisplay(kPlatformSurfacelessMesa, nullptr, nullptr);
    EGLint major = 0, minor = 0;
    if (display) initialize(display, &major, &minor);
}
