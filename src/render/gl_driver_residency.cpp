#include "render/gl_driver_residency.h"

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <link.h>

#include <cstring>

namespace {

int pinDriver(dl_phdr_info* info, std::size_t, void*)
{
    // Mesa's drivers are named *_dri.so; taking another reference with RTLD_NODELETE makes
    // every later dlclose leave them mapped.
    if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr) {
        dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}

} // namespace

void keepGlDriverResident()
{
    dl_iterate_phdr(pinDriver, nullptr);
}
#else
void keepGlDriverResident() {}
#endif
