// A stand-in for the terminal control, for tests of what a feature does
// when a control call raises an error. It serves the control's class by
// loading the real control beside the program and passing every call on,
// except one operation, which it refuses as a dispatch interface refuses a
// member it does not know, once it has passed that operation on a chosen
// number of times on the instance:
//   TAVLO_RAISE_DISPID  the operation's dispatch id
//   TAVLO_RAISE_AFTER   how many of its calls go through first (default 0)
// The real control is TAVLO_BIN_DIR/sbxpc.ocx, as CTest sets it.

#include "sdk/include/sbxpc/SbxpcControl.h"

#include <cstdlib>
#include <dlfcn.h>
#include <memory>
#include <string>

namespace {

struct RealControl {
    void* handle = nullptr;
    decltype(&SbxpcCreateInstance) create = nullptr;
    decltype(&SbxpcDestroyInstance) destroy = nullptr;
    decltype(&SbxpcInvoke) invoke = nullptr;
};

// Loaded once and kept for the process, as a host keeps a control's file.
const RealControl* realControl()
{
    static const RealControl real = [] {
        RealControl r;
        const char* folder = std::getenv("TAVLO_BIN_DIR");
        if (!folder)
            return r;
        r.handle = ::dlopen((std::string(folder) + "/sbxpc.ocx").c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!r.handle)
            return r;
        r.create = reinterpret_cast<decltype(r.create)>(::dlsym(r.handle, "SbxpcCreateInstance"));
        r.destroy = reinterpret_cast<decltype(r.destroy)>(::dlsym(r.handle, "SbxpcDestroyInstance"));
        r.invoke = reinterpret_cast<decltype(r.invoke)>(::dlsym(r.handle, "SbxpcInvoke"));
        return r;
    }();
    return real.create && real.destroy && real.invoke ? &real : nullptr;
}

int32_t setting(const char* name, int32_t fallback)
{
    const char* text = std::getenv(name);
    return text ? static_cast<int32_t>(std::strtol(text, nullptr, 10)) : fallback;
}

struct Instance {
    void* real = nullptr;
    int32_t calls = 0;  // of the operation that raises
};

}  // namespace

SBX_EXTERN_C SBX_EXPORT uint32_t SbxpcInterfaceVersion(void)
{
    return SBXPC_INTERFACE_VERSION;
}

SBX_EXTERN_C SBX_EXPORT void* SbxpcCreateInstance(const char* class_id)
{
    const RealControl* control = realControl();
    if (!control)
        return nullptr;
    void* real = control->create(class_id);
    if (!real)
        return nullptr;
    auto instance = std::make_unique<Instance>();
    instance->real = real;
    return instance.release();
}

SBX_EXTERN_C SBX_EXPORT void SbxpcDestroyInstance(void* instance)
{
    const std::unique_ptr<Instance> owned(static_cast<Instance*>(instance));
    if (owned)
        realControl()->destroy(owned->real);
}

SBX_EXTERN_C SBX_EXPORT int32_t SbxpcInvoke(void* instance, int32_t dispid, int32_t call, sbxpc_arg* args,
                                            int32_t count, sbxpc_arg* result)
{
    auto* self = static_cast<Instance*>(instance);
    if (!self)
        return SBXPC_E_INSTANCE;
    if (dispid == setting("TAVLO_RAISE_DISPID", -1) && self->calls++ >= setting("TAVLO_RAISE_AFTER", 0))
        return SBXPC_E_MEMBER;
    return realControl()->invoke(self->real, dispid, call, args, count, result);
}
