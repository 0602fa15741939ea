#include "terminal/TSBXPC.h"

#include "platform/Error.h"
#include "terminal/ControlLibrary.h"

#include <array>

namespace tavlo {

// The argument list of one dispatch call, in order. It lives on the stack:
// a log read makes one call per record.
class TSBXPC::Call {
public:
    static constexpr std::size_t kMaxArguments = 11;

    Call& i4(qint32 v)
    {
        sbxpc_arg a{};
        a.tag = SBXPC_I4;
        a.v.i4 = v;
        return add(a);
    }
    Call& boolean(bool v)
    {
        sbxpc_arg a{};
        a.tag = SBXPC_BOOL;
        a.v.boolean = v ? -1 : 0;
        return add(a);
    }
    Call& ref(qint32& v)
    {
        sbxpc_arg a{};
        a.tag = SBXPC_I4_REF;
        a.v.i4_ref = &v;
        return add(a);
    }
    // `text` must outlive the call.
    Call& text(const QString& text)
    {
        sbxpc_arg a{};
        a.tag = SBXPC_WSTR;
        a.count = static_cast<int32_t>(text.size());
        a.v.wstr = reinterpret_cast<const uint16_t*>(text.utf16());
        return add(a);
    }
    Call& enrolment(qint32* words, qsizetype count)
    {
        sbxpc_arg a{};
        a.tag = SBXPC_ENROLMENT_REF;
        a.count = static_cast<int32_t>(count);
        a.v.enrolment = words;
        return add(a);
    }
    sbxpc_arg* data() { return args_.data(); }
    int32_t size() const { return static_cast<int32_t>(count_); }

private:
    Call& add(const sbxpc_arg& a)
    {
        if (count_ < kMaxArguments)
            args_[count_++] = a;
        return *this;
    }

    std::array<sbxpc_arg, kMaxArguments> args_{};
    std::size_t count_ = 0;
};

namespace {

QString reason(int32_t status)
{
    switch (status) {
    case SBXPC_E_MEMBER: return QStringLiteral("unknown member");
    case SBXPC_E_PARAMCOUNT: return QStringLiteral("wrong number of arguments");
    case SBXPC_E_TYPE: return QStringLiteral("argument of the wrong type");
    case SBXPC_E_INSTANCE: return QStringLiteral("no control instance");
    default: return QStringLiteral("error %1").arg(status);
    }
}

}  // namespace

TSBXPC::TSBXPC() : TSBXPC(ClassRegistry::forCurrentUser()) {}

TSBXPC::TSBXPC(const ClassRegistry& registry)
{
    const auto path = registry.lookup(kClassId);
    if (!path)
        throw Error(QStringLiteral("Class not registered: %1").arg(QString::fromLatin1(kClassId)));
    library_ = std::make_unique<ControlLibrary>(QString::fromStdString(path->string()));
    instance_ = library_->createInstance(kClassId);
    if (!instance_)
        throw Error(QStringLiteral("\"%1\" does not create the class %2.")
                        .arg(library_->path(), QString::fromLatin1(kClassId)));
}

TSBXPC::~TSBXPC()
{
    if (instance_)
        library_->destroyInstance(instance_);
}

sbxpc_arg TSBXPC::invoke(qint32 dispid, qint32 kind, Call& call, const char* name) const
{
    sbxpc_arg result{};
    const int32_t status = library_->invoke(instance_, dispid, kind, call.data(), call.size(), &result);
    if (status != SBXPC_OK)
        throw Error(QStringLiteral("The terminal control refused %1: %2.")
                        .arg(QString::fromLatin1(name), reason(status)));
    return result;
}

namespace {

bool truth(const sbxpc_arg& result)
{
    return result.tag == SBXPC_BOOL && result.v.boolean != 0;
}

}  // namespace

bool TSBXPC::OpenTcpLink(qint32 machine, const QString& ipAddress, qint32 port, qint32 password)
{
    Call c;
    c.i4(machine).text(ipAddress).i4(port).i4(password);
    return truth(invoke(SBXPC_OPEN_TCP_LINK, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::OpenSerialLink(qint32 machine, qint32 port, qint32 baudRate)
{
    Call c;
    c.i4(machine).i4(port).i4(baudRate);
    return truth(invoke(SBXPC_OPEN_SERIAL_LINK, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::CloseLink()
{
    Call c;
    return truth(invoke(SBXPC_CLOSE_LINK, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::ConfirmLogRead(qint32 machine, qint32 first, qint32 count)
{
    Call c;
    c.i4(machine).i4(first).i4(count);
    return truth(invoke(SBXPC_CONFIRM_LOG_READ, SBXPC_METHOD, c, __func__));
}

void TSBXPC::DropLink()
{
    Call c;
    invoke(SBXPC_DROP_LINK, SBXPC_METHOD, c, __func__);
}

bool TSBXPC::BeginLogRead(qint32 machine)
{
    Call c;
    c.i4(machine);
    return truth(invoke(SBXPC_BEGIN_LOG_READ, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::NextLogRecord(qint32 machine, qint32& terminalMachine, qint32& user, qint32& verifyKind,
                           qint32& mode, qint32& year, qint32& month, qint32& day, qint32& hour,
                           qint32& minute, qint32& second)
{
    Call c;
    c.i4(machine).ref(terminalMachine).ref(user).ref(verifyKind).ref(mode).ref(year).ref(month)
        .ref(day).ref(hour).ref(minute).ref(second);
    return truth(invoke(SBXPC_NEXT_LOG_RECORD, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::GetStatusValue(qint32 machine, qint32 index, qint32& value)
{
    Call c;
    c.i4(machine).i4(index).ref(value);
    return truth(invoke(SBXPC_GET_STATUS_VALUE, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::SetDeviceEnabled(qint32 machine, qint32 enabled)
{
    Call c;
    c.i4(machine).i4(enabled);
    return truth(invoke(SBXPC_SET_DEVICE_ENABLED, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::BeginUserRead(qint32 machine)
{
    Call c;
    c.i4(machine);
    return truth(invoke(SBXPC_BEGIN_USER_READ, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::NextUserRecord(qint32 machine, qint32& user, qint32& enrolmentMachine,
                            qint32& enrolmentNumber, qint32& privilege, qint32& enabled)
{
    Call c;
    c.i4(machine).ref(user).ref(enrolmentMachine).ref(enrolmentNumber).ref(privilege).ref(enabled);
    return truth(invoke(SBXPC_NEXT_USER_RECORD, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::ReadEnrolment(qint32 machine, qint32 user, qint32 enrolmentMachine,
                           qint32 enrolmentNumber, qint32& privilege, EnrolmentData& data,
                           qint32& password)
{
    std::array<qint32, kEnrolmentSize> words{};
    std::copy_n(data.cbegin(), std::min(data.size(), kEnrolmentSize), words.begin());
    Call c;
    c.i4(machine).i4(user).i4(enrolmentMachine).i4(enrolmentNumber).ref(privilege)
        .enrolment(words.data(), kEnrolmentSize).ref(password);
    if (!truth(invoke(SBXPC_READ_ENROLMENT, SBXPC_METHOD, c, __func__)))
        return false;
    data = EnrolmentData(words.begin(), words.end());
    return true;
}

bool TSBXPC::WriteEnrolment(qint32 machine, qint32 user, qint32 enrolmentMachine,
                            qint32 enrolmentNumber, qint32 privilege, EnrolmentData& data,
                            qint32 password)
{
    Call c;
    c.i4(machine).i4(user).i4(enrolmentMachine).i4(enrolmentNumber).i4(privilege)
        .enrolment(data.data(), data.size()).i4(password);
    return truth(invoke(SBXPC_WRITE_ENROLMENT, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::DeleteEnrolment(qint32 machine, qint32 user, qint32 enrolmentMachine,
                             qint32 enrolmentNumber)
{
    Call c;
    c.i4(machine).i4(user).i4(enrolmentMachine).i4(enrolmentNumber);
    return truth(invoke(SBXPC_DELETE_ENROLMENT, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::ReadEnrolmentRaw(qint32 machine, qint32 user, qint32 enrolmentNumber,
                              qint32& privilege, qint32& enabled, qint32& password)
{
    Call c;
    c.i4(machine).i4(user).i4(enrolmentNumber).ref(privilege).ref(enabled).ref(password);
    return truth(invoke(SBXPC_READ_ENROLMENT_RAW, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::WriteEnrolmentRaw(qint32 machine, qint32 user, qint32 enrolmentNumber,
                               qint32 privilege, qint32& enabled, qint32 password)
{
    Call c;
    c.i4(machine).i4(user).i4(enrolmentNumber).i4(privilege).ref(enabled).i4(password);
    return truth(invoke(SBXPC_WRITE_ENROLMENT_RAW, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::GetDeviceClock(qint32 machine, qint32& year, qint32& month, qint32& day, qint32& hour,
                            qint32& minute, qint32& second, qint32& weekday)
{
    Call c;
    c.i4(machine).ref(year).ref(month).ref(day).ref(hour).ref(minute).ref(second).ref(weekday);
    return truth(invoke(SBXPC_GET_DEVICE_CLOCK, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::SetDeviceClock(qint32 machine)
{
    Call c;
    c.i4(machine);
    return truth(invoke(SBXPC_SET_DEVICE_CLOCK, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::SetUserPrivilege(qint32 machine, qint32 user, qint32 enrolmentMachine,
                              qint32 enrolmentNumber, qint32 privilege)
{
    Call c;
    c.i4(machine).i4(user).i4(enrolmentMachine).i4(enrolmentNumber).i4(privilege);
    return truth(invoke(SBXPC_SET_USER_PRIVILEGE, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::ClearLogs(qint32 machine)
{
    Call c;
    c.i4(machine);
    return truth(invoke(SBXPC_CLEAR_LOGS, SBXPC_METHOD, c, __func__));
}

bool TSBXPC::ReadMark() const
{
    Call c;
    return truth(invoke(SBXPC_PROPERTY_READ_MARK, SBXPC_PROPERTY_GET, c, "ReadMark"));
}

bool TSBXPC::LastLogReadComplete() const
{
    Call c;
    return truth(invoke(SBXPC_PROPERTY_LOG_READ_COMPLETE, SBXPC_PROPERTY_GET, c, __func__));
}

qint32 TSBXPC::LastLogReadStart() const
{
    Call c;
    const sbxpc_arg result = invoke(SBXPC_PROPERTY_LOG_READ_START, SBXPC_PROPERTY_GET, c, __func__);
    return result.tag == SBXPC_I4 ? result.v.i4 : 0;
}

qint32 TSBXPC::LastLogReadCount() const
{
    Call c;
    const sbxpc_arg result = invoke(SBXPC_PROPERTY_LOG_READ_COUNT, SBXPC_PROPERTY_GET, c, __func__);
    return result.tag == SBXPC_I4 ? result.v.i4 : 0;
}

void TSBXPC::SetReadMark(bool value)
{
    Call c;
    c.boolean(value);
    invoke(SBXPC_PROPERTY_READ_MARK, SBXPC_PROPERTY_PUT, c, "ReadMark");
}

}  // namespace tavlo
