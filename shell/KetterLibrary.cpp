#include "shell/KetterLibrary.h"

#include <dlfcn.h>

#include <cstdlib>

KetterLibrary::LoadResult KetterLibrary::load(const std::string& path)
{
    if (module_) return LoadResult::AlreadyLoaded;
    error_.clear();
    module_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module_) {
        const char* why = ::dlerror();
        error_ = why ? why : path;
        return LoadResult::NotLoadable;
    }
    for (const char* name : kEntryNames) {
        if (!::dlsym(module_, name)) {
            error_ = std::string("missing ") + name;
            unload();
            return LoadResult::Incomplete;
        }
    }
    findDeviceEntry_ = reinterpret_cast<FindDeviceEntryFn>(::dlsym(module_, "FindDeviceEntry"));
    return LoadResult::Loaded;
}

void KetterLibrary::unload()
{
    if (module_) ::dlclose(module_);
    module_ = nullptr;
    findDeviceEntry_ = nullptr;
}

bool KetterLibrary::readerPresent() const
{
    if (!findDeviceEntry_) return false;
    char* path = findDeviceEntry_("7E5D");
    bool present = path != nullptr;
    std::free(path);  // the block belongs to the caller; nothing here needs the path
    return present;
}
