#include "sdk/include/sbxpc/SbxpcDll.h"

#include "sdk/xpcdll/TerminalLink.h"

#include <ctime>
#include <memory>

struct sbx_link {
    tavlo::xpc::TerminalLink link;
};

namespace {

using namespace tavlo::protocol;
using tavlo::xpc::TerminalLink;

// The body of an Ok reply of the expected kind, or null.
template <class Body>
const Body* okBody(const std::optional<Reply>& reply)
{
    return reply && reply->status == Status::Ok ? std::get_if<Body>(&reply->body) : nullptr;
}

// A body must not outlive its reply.
template <class Body>
const Body* okBody(std::optional<Reply>&&) = delete;

int succeeded(const std::optional<Reply>& reply)
{
    return reply && reply->status == Status::Ok ? 1 : 0;
}

ClockTime pcLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
            local.tm_sec > 59 ? 59 : local.tm_sec};
}

}  // namespace

sbx_link* sbx_link_create(void)
{
    return std::make_unique<sbx_link>().release();
}

void sbx_link_destroy(sbx_link* link)
{
    std::unique_ptr<sbx_link> owned(link);
}

int sbx_open_tcp(sbx_link* link, int32_t machine, const char* host, int32_t port, int32_t password)
{
    return link && host && link->link.openTcp(machine, host, port, password) ? 1 : 0;
}

int sbx_open_serial(sbx_link* link, int32_t machine, int32_t port, int32_t baud)
{
    return link && link->link.openSerial(machine, port, baud) ? 1 : 0;
}

int sbx_close(sbx_link* link)
{
    return link && link->link.close() ? 1 : 0;
}

void sbx_drop(sbx_link* link)
{
    if (link)
        link->link.drop();
}

int sbx_log_read_complete(const sbx_link* link)
{
    return link && link->link.logReadComplete() ? 1 : 0;
}

int sbx_is_open(const sbx_link* link)
{
    return link && link->link.isOpen() ? 1 : 0;
}

uint32_t sbx_log_read_start(const sbx_link* link)
{
    return link ? link->link.logReadStart() : 0;
}

uint32_t sbx_log_read_count(const sbx_link* link)
{
    return link ? link->link.logHandedOut() : 0;
}

int sbx_confirm_log(sbx_link* link, int32_t machine, uint32_t first, uint32_t count)
{
    return link && link->link.confirmLog(machine, first, count) ? 1 : 0;
}

int sbx_begin_log_read(sbx_link* link, int32_t machine, int new_only)
{
    return link && link->link.beginLogRead(machine, new_only != 0) ? 1 : 0;
}

int sbx_next_log_record(sbx_link* link, int32_t machine, int32_t values[10])
{
    if (!link || !values)
        return 0;
    const std::optional<LogRecord> r = link->link.nextLogRecord(machine);
    if (!r)
        return 0;
    const int32_t all[10] = {link->link.machine(), r->user, r->verify, r->mode, r->time.year,
                             r->time.month, r->time.day, r->time.hour, r->time.minute, r->time.second};
    std::copy(std::begin(all), std::end(all), values);
    return 1;
}

int sbx_get_status(sbx_link* link, int32_t machine, int32_t index, int32_t* value)
{
    if (!link || !value)
        return 0;
    const std::optional<Reply> reply = link->link.call(machine, GetStatusRequest{index});
    const auto* body = okBody<StatusReply>(reply);
    if (!body)
        return 0;
    *value = body->value;
    return 1;
}

int sbx_set_enabled(sbx_link* link, int32_t machine, int32_t enabled)
{
    if (!link || (enabled != 0 && enabled != 1))
        return 0;
    return succeeded(link->link.call(machine, SetEnabledRequest{enabled == 1}));
}

int sbx_begin_user_read(sbx_link* link, int32_t machine)
{
    return link && link->link.beginUserRead(machine) ? 1 : 0;
}

int sbx_next_user_record(sbx_link* link, int32_t machine, int32_t values[5])
{
    if (!link || !values)
        return 0;
    const std::optional<UserEntry> e = link->link.nextUserEntry(machine);
    if (!e)
        return 0;
    values[0] = e->user;
    values[1] = link->link.machine();
    values[2] = e->number;
    values[3] = e->privilege;
    values[4] = e->enabled;
    return 1;
}

int sbx_read_enrolment(sbx_link* link, int32_t machine, int32_t user, int32_t enrolment_machine,
                       int32_t number, int32_t* privilege, int32_t data[SBX_ENROLMENT_WORDS],
                       int32_t* password)
{
    if (!link || !privilege || !data || !password)
        return 0;
    const std::optional<Reply> reply =
        link->link.call(machine, ReadEnrolmentRequest{{user, enrolment_machine, number}});
    const auto* body = okBody<EnrolmentReply>(reply);
    if (!body)
        return 0;
    *privilege = body->privilege;
    std::copy(body->data.begin(), body->data.end(), data);
    *password = body->password;
    return 1;
}

int sbx_write_enrolment(sbx_link* link, int32_t machine, int32_t user, int32_t enrolment_machine,
                        int32_t number, int32_t privilege, const int32_t data[SBX_ENROLMENT_WORDS],
                        int32_t password)
{
    if (!link || !data)
        return 0;
    WriteEnrolmentRequest request{{user, enrolment_machine, number}, privilege, {}, password};
    std::copy(data, data + SBX_ENROLMENT_WORDS, request.data.begin());
    return succeeded(link->link.call(machine, request));
}

int sbx_delete_enrolment(sbx_link* link, int32_t machine, int32_t user, int32_t enrolment_machine,
                         int32_t number)
{
    if (!link)
        return 0;
    return succeeded(link->link.call(machine, DeleteEnrolmentRequest{{user, enrolment_machine, number}}));
}

int sbx_read_enrolment_raw(sbx_link* link, int32_t machine, int32_t user, int32_t number,
                           int32_t* privilege, int32_t* enabled, int32_t* password)
{
    if (!link || !privilege || !enabled || !password)
        return 0;
    const std::optional<Reply> reply = link->link.call(machine, ReadEnrolmentRawRequest{user, number});
    const auto* body = okBody<EnrolmentRawReply>(reply);
    if (!body)
        return 0;
    *privilege = body->privilege;
    *enabled = body->enabled;
    *password = body->password;
    return 1;
}

int sbx_write_enrolment_raw(sbx_link* link, int32_t machine, int32_t user, int32_t number,
                            int32_t privilege, int32_t* enabled, int32_t password)
{
    if (!link || !enabled)
        return 0;
    return succeeded(link->link.call(
        machine, WriteEnrolmentRawRequest{user, number, privilege, *enabled, password}));
}

int sbx_set_privilege(sbx_link* link, int32_t machine, int32_t user, int32_t enrolment_machine,
                      int32_t number, int32_t privilege)
{
    if (!link)
        return 0;
    return succeeded(link->link.call(machine, SetPrivilegeRequest{{user, enrolment_machine, number}, privilege}));
}

int sbx_get_clock(sbx_link* link, int32_t machine, int32_t values[7])
{
    if (!link || !values)
        return 0;
    const std::optional<Reply> reply = link->link.call(machine, GetClockRequest{});
    const auto* body = okBody<ClockReply>(reply);
    if (!body)
        return 0;
    const int32_t all[7] = {body->time.year, body->time.month, body->time.day, body->time.hour,
                            body->time.minute, body->time.second, body->weekday};
    std::copy(std::begin(all), std::end(all), values);
    return 1;
}

int sbx_set_clock(sbx_link* link, int32_t machine)
{
    if (!link)
        return 0;
    return succeeded(link->link.call(machine, SetClockRequest{pcLocalTime()}));
}

int sbx_clear_logs(sbx_link* link, int32_t machine)
{
    if (!link)
        return 0;
    return succeeded(link->link.call(machine, ClearLogsRequest{}));
}
