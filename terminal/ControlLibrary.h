#pragma once

#include "sdk/include/sbxpc/SbxpcControl.h"

#include <QString>

namespace tavlo {

// The loaded file of the terminal control with its entry points. Loading
// fails with Error when the file is missing, does not load, or is not a
// control of our interface version.
class ControlLibrary {
public:
    explicit ControlLibrary(const QString& path);
    ~ControlLibrary();
    ControlLibrary(const ControlLibrary&) = delete;
    ControlLibrary& operator=(const ControlLibrary&) = delete;

    void* createInstance(const char* classId) const { return create_(classId); }
    void destroyInstance(void* instance) const { destroy_(instance); }
    int32_t invoke(void* instance, int32_t dispid, int32_t call, sbxpc_arg* args, int32_t count,
                   sbxpc_arg* result) const
    {
        return invoke_(instance, dispid, call, args, count, result);
    }

    const QString& path() const { return path_; }

private:
    QString path_;
    void* handle_ = nullptr;
    decltype(&SbxpcCreateInstance) create_ = nullptr;
    decltype(&SbxpcDestroyInstance) destroy_ = nullptr;
    decltype(&SbxpcInvoke) invoke_ = nullptr;
};

}  // namespace tavlo
