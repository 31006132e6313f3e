// Warming up the OpenGL driver before the window asks for it.
//
// Opening the window is mostly the dynamic loader mapping and relocating the Mesa driver and the
// LLVM it links: about 60 ms on a machine without a GPU. Nothing in that needs the window, so
// start-up runs it on a thread beside the font loading. The driver stays loaded (the display is
// never terminated), and when SDL opens its own display the loader finds it already mapped.
#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "platform/graphics.hpp"

namespace {
using EGLDisplay = void*;
using EGLBoolean = unsigned int;
using EGLint = int32_t;
using GetProcAddressFn = void* (*)(const char*);
using GetPlatformDisplayFn = EGLDisplay (*)(unsigned int, void*, const EGLint*);
using InitializeFn = EGLBoolean (*)(EGLDisplay, EGLint*, EGLint*);
constexpr unsigned int kPlatformSurfacelessMesa = 0x31DD;

// True when the object patches its own code at load time; its read-only pages may then differ
// from the file and must stay.
bool HasTextRelocations(const dl_phdr_info& info) {
    for (int i = 0; i < info.dlpi_phnum; ++i) {
        const ElfW(Phdr)& ph = info.dlpi_phdr[i];
        if (ph.p_type != PT_DYNAMIC) continue;
        for (auto* d = reinterpret_cast<const ElfW(Dyn)*>(info.dlpi_addr + ph.p_vaddr); d->d_tag != DT_NULL; ++d)
            if (d->d_tag == DT_TEXTREL || (d->d_tag == DT_FLAGS && (d->d_un.d_val & DF_TEXTREL))) return true;
    }
    return false;
}

int ReleaseReadOnlyPages(dl_phdr_info* info, size_t, void* name) {
    if (!info->dlpi_name || !std::strstr(info->dlpi_name, static_cast<const char*>(name))) return 0;
    if (HasTextRelocations(*info)) return 1;
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& ph = info->dlpi_phdr[i];
        // Writable segments hold relocated data that exists nowhere else; read-only ones are the
        // file's own bytes and come back from the page cache when touched again.
        if (ph.p_type != PT_LOAD || (ph.p_flags & PF_W)) continue;
        const uintptr_t from = (info->dlpi_addr + ph.p_vaddr + page - 1) & ~(page - 1);
        const uintptr_t to = (info->dlpi_addr + ph.p_vaddr + ph.p_filesz) & ~(page - 1);
        if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
    }
    return 1;
}
}  // namespace

// LLVM's start-up registers its passes and options from constructors spread over the whole
// library, and the kernel maps the neighbours of every page touched: about 45 MB of its code
// stays resident although compiling our few shaders needs a fraction of it. Compiling brings
// back some 30 MB, which then lies idle until a new drawing state needs the compiler again.
void ReleaseDriverCodePages() { dl_iterate_phdr(ReleaseReadOnlyPages, const_cast<char*>("libLLVM")); }

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
    ReleaseDriverCodePages();
}
