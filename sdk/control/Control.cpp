// sbxpc.ocx: the terminal control. It holds one link per instance and the
// ReadMark property, checks each call's arguments the way an automation
// dispatch interface does, and hands the work to SBXPCDLL.dll.

#include "sdk/include/sbxpc/SbxpcControl.h"

#include "platform/registry/ClassRegistry.h"
#include "sdk/include/sbxpc/GenFont.h"
#include "sdk/include/sbxpc/SbxpcDll.h"

#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <memory>
#include <string>
#include <strings.h>

namespace {

constexpr std::uint32_t kMagic = 0x53425850;  // marks a live instance
constexpr int32_t kSelfRegClassError = static_cast<int32_t>(0x80040201u);

struct Control {
    std::uint32_t magic = kMagic;
    sbx_link* link = sbx_link_create();
    bool readMark = false;

    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    ~Control()
    {
        sbx_link_destroy(link);
        magic = 0;
    }
};

// The arguments of one call, checked before anything is done with them.
class Arguments {
public:
    Arguments(sbxpc_arg* args, int32_t count) : args_(args), count_(count) {}

    bool count(int32_t expected) const { return count_ == expected && (count_ == 0 || args_); }
    bool typesAre(std::initializer_list<int32_t> tags) const
    {
        int32_t i = 0;
        for (int32_t tag : tags) {
            const sbxpc_arg& a = args_[i++];
            if (a.tag != tag)
                return false;
            if (tag == SBXPC_I4_REF && !a.v.i4_ref)
                return false;
            if (tag == SBXPC_ENROLMENT_REF && (!a.v.enrolment || a.count != SBXPC_ENROLMENT_WORDS))
                return false;
            if (tag == SBXPC_WSTR && (a.count < 0 || (a.count > 0 && !a.v.wstr)))
                return false;
        }
        return true;
    }
    int32_t i4(int i) const { return args_[i].v.i4; }
    int32_t& ref(int i) const { return *args_[i].v.i4_ref; }
    int32_t* enrolment(int i) const { return args_[i].v.enrolment; }
    std::string text(int i) const
    {
        const sbxpc_arg& a = args_[i];
        const size_t length = static_cast<size_t>(a.count);
        const size_t needed = gf_wide_to_wire(a.v.wstr, length, nullptr, 0);
        std::string out(needed + 1, '\0');
        gf_wide_to_wire(a.v.wstr, length, out.data(), out.size());
        out.resize(needed);
        return out;
    }

private:
    sbxpc_arg* args_;
    int32_t count_;
};

constexpr int32_t I4 = SBXPC_I4;
constexpr int32_t REF = SBXPC_I4_REF;

void answer(sbxpc_arg* result, bool value)
{
    if (result) {
        result->tag = SBXPC_BOOL;
        result->count = 0;
        result->v.boolean = value ? -1 : 0;
    }
}

void answerInteger(sbxpc_arg* result, int32_t value)
{
    if (result) {
        result->tag = SBXPC_I4;
        result->count = 0;
        result->v.i4 = value;
    }
}

void answerNothing(sbxpc_arg* result)
{
    if (result) {
        result->tag = SBXPC_EMPTY;
        result->count = 0;
        result->v.i4 = 0;
    }
}

int32_t invokeMethod(Control& c, int32_t dispid, const Arguments& a, sbxpc_arg* result)
{
    // Checks the argument list, then runs the call and answers its result.
    const auto with = [&](int32_t n, std::initializer_list<int32_t> tags, auto&& call) -> int32_t {
        if (!a.count(n))
            return SBXPC_E_PARAMCOUNT;
        if (!a.typesAre(tags))
            return SBXPC_E_TYPE;
        answer(result, call() != 0);
        return SBXPC_OK;
    };
    sbx_link* l = c.link;
    switch (dispid) {
    case SBXPC_OPEN_TCP_LINK:
        return with(4, {I4, SBXPC_WSTR, I4, I4},
                    [&] { return sbx_open_tcp(l, a.i4(0), a.text(1).c_str(), a.i4(2), a.i4(3)); });
    case SBXPC_OPEN_SERIAL_LINK:
        return with(3, {I4, I4, I4}, [&] { return sbx_open_serial(l, a.i4(0), a.i4(1), a.i4(2)); });
    case SBXPC_CLOSE_LINK:
        return with(0, {}, [&] { return sbx_close(l); });
    case SBXPC_DROP_LINK:
        if (!a.count(0))
            return SBXPC_E_PARAMCOUNT;
        sbx_drop(l);
        answerNothing(result);
        return SBXPC_OK;
    case SBXPC_CONFIRM_LOG_READ:
        return with(3, {I4, I4, I4}, [&] {
            return a.i4(1) >= 0 && a.i4(2) >= 0
                   && sbx_confirm_log(l, a.i4(0), static_cast<uint32_t>(a.i4(1)),
                                      static_cast<uint32_t>(a.i4(2)));
        });
    case SBXPC_BEGIN_LOG_READ:
        return with(1, {I4}, [&] { return sbx_begin_log_read(l, a.i4(0), c.readMark ? 1 : 0); });
    case SBXPC_NEXT_LOG_RECORD:
        return with(11, {I4, REF, REF, REF, REF, REF, REF, REF, REF, REF, REF}, [&] {
            int32_t values[10] = {};
            if (!sbx_next_log_record(l, a.i4(0), values))
                return 0;
            for (int i = 0; i < 10; ++i)
                a.ref(i + 1) = values[i];
            return 1;
        });
    case SBXPC_GET_STATUS_VALUE:
        return with(3, {I4, I4, REF}, [&] { return sbx_get_status(l, a.i4(0), a.i4(1), &a.ref(2)); });
    case SBXPC_SET_DEVICE_ENABLED:
        return with(2, {I4, I4}, [&] { return sbx_set_enabled(l, a.i4(0), a.i4(1)); });
    case SBXPC_BEGIN_USER_READ:
        return with(1, {I4}, [&] { return sbx_begin_user_read(l, a.i4(0)); });
    case SBXPC_NEXT_USER_RECORD:
        return with(6, {I4, REF, REF, REF, REF, REF}, [&] {
            int32_t values[5] = {};
            if (!sbx_next_user_record(l, a.i4(0), values))
                return 0;
            for (int i = 0; i < 5; ++i)
                a.ref(i + 1) = values[i];
            return 1;
        });
    case SBXPC_READ_ENROLMENT:
        return with(7, {I4, I4, I4, I4, REF, SBXPC_ENROLMENT_REF, REF}, [&] {
            return sbx_read_enrolment(l, a.i4(0), a.i4(1), a.i4(2), a.i4(3), &a.ref(4),
                                      a.enrolment(5), &a.ref(6));
        });
    case SBXPC_WRITE_ENROLMENT:
        return with(7, {I4, I4, I4, I4, I4, SBXPC_ENROLMENT_REF, I4}, [&] {
            return sbx_write_enrolment(l, a.i4(0), a.i4(1), a.i4(2), a.i4(3), a.i4(4),
                                       a.enrolment(5), a.i4(6));
        });
    case SBXPC_DELETE_ENROLMENT:
        return with(4, {I4, I4, I4, I4},
                    [&] { return sbx_delete_enrolment(l, a.i4(0), a.i4(1), a.i4(2), a.i4(3)); });
    case SBXPC_READ_ENROLMENT_RAW:
        return with(6, {I4, I4, I4, REF, REF, REF}, [&] {
            return sbx_read_enrolment_raw(l, a.i4(0), a.i4(1), a.i4(2), &a.ref(3), &a.ref(4), &a.ref(5));
        });
    case SBXPC_WRITE_ENROLMENT_RAW:
        return with(6, {I4, I4, I4, I4, REF, I4}, [&] {
            return sbx_write_enrolment_raw(l, a.i4(0), a.i4(1), a.i4(2), a.i4(3), &a.ref(4), a.i4(5));
        });
    case SBXPC_GET_DEVICE_CLOCK:
        return with(8, {I4, REF, REF, REF, REF, REF, REF, REF}, [&] {
            int32_t values[7] = {};
            if (!sbx_get_clock(l, a.i4(0), values))
                return 0;
            for (int i = 0; i < 7; ++i)
                a.ref(i + 1) = values[i];
            return 1;
        });
    case SBXPC_SET_DEVICE_CLOCK:
        return with(1, {I4}, [&] { return sbx_set_clock(l, a.i4(0)); });
    case SBXPC_SET_USER_PRIVILEGE:
        return with(5, {I4, I4, I4, I4, I4}, [&] {
            return sbx_set_privilege(l, a.i4(0), a.i4(1), a.i4(2), a.i4(3), a.i4(4));
        });
    case SBXPC_CLEAR_LOGS:
        return with(1, {I4}, [&] { return sbx_clear_logs(l, a.i4(0)); });
    default:
        return SBXPC_E_MEMBER;
    }
}

Control* live(void* instance)
{
    auto* c = static_cast<Control*>(instance);
    return c && c->magic == kMagic ? c : nullptr;
}

std::filesystem::path ownFile()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) == 0 || !info.dli_fname)
        return {};
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(info.dli_fname, error);
    return error ? std::filesystem::path() : path.lexically_normal();
}

}  // namespace

uint32_t SbxpcInterfaceVersion(void)
{
    return SBXPC_INTERFACE_VERSION;
}

void* SbxpcCreateInstance(const char* class_id)
{
    if (!class_id || ::strcasecmp(class_id, SBXPC_CLASS_ID) != 0)
        return nullptr;
    return std::make_unique<Control>().release();
}

void SbxpcDestroyInstance(void* instance)
{
    std::unique_ptr<Control> owned(live(instance));
}

int32_t SbxpcInvoke(void* instance, int32_t dispid, int32_t call, sbxpc_arg* args, int32_t count,
                    sbxpc_arg* result)
{
    Control* c = live(instance);
    if (!c)
        return SBXPC_E_INSTANCE;
    const Arguments a(args, count);
    if (dispid == SBXPC_PROPERTY_LOG_READ_COMPLETE || dispid == SBXPC_PROPERTY_LOG_READ_START
        || dispid == SBXPC_PROPERTY_LOG_READ_COUNT) {
        if (call != SBXPC_PROPERTY_GET)
            return SBXPC_E_MEMBER;
        if (!a.count(0))
            return SBXPC_E_PARAMCOUNT;
        if (dispid == SBXPC_PROPERTY_LOG_READ_COMPLETE)
            answer(result, sbx_log_read_complete(c->link) != 0);
        else if (dispid == SBXPC_PROPERTY_LOG_READ_START)
            answerInteger(result, static_cast<int32_t>(sbx_log_read_start(c->link)));
        else
            answerInteger(result, static_cast<int32_t>(sbx_log_read_count(c->link)));
        return SBXPC_OK;
    }
    if (dispid == SBXPC_PROPERTY_READ_MARK) {
        if (call == SBXPC_PROPERTY_GET) {
            if (!a.count(0))
                return SBXPC_E_PARAMCOUNT;
            answer(result, c->readMark);
            return SBXPC_OK;
        }
        if (call == SBXPC_PROPERTY_PUT) {
            if (!a.count(1))
                return SBXPC_E_PARAMCOUNT;
            if (args[0].tag != SBXPC_BOOL && args[0].tag != SBXPC_I4)
                return SBXPC_E_TYPE;
            c->readMark = args[0].v.i4 != 0;
            answerNothing(result);
            return SBXPC_OK;
        }
        return SBXPC_E_MEMBER;
    }
    if (call != SBXPC_METHOD)
        return SBXPC_E_MEMBER;
    return invokeMethod(*c, dispid, a, result);
}

int32_t DllRegisterServer(void)
{
    const std::filesystem::path file = ownFile();
    if (file.empty())
        return kSelfRegClassError;
    return tavlo::ClassRegistry::forCurrentUser().registerClass(SBXPC_CLASS_ID, file)
               ? 0
               : kSelfRegClassError;
}

int32_t DllUnregisterServer(void)
{
    return tavlo::ClassRegistry::forCurrentUser().unregisterClass(SBXPC_CLASS_ID) ? 0
                                                                                  : kSelfRegClassError;
}
