#include "emulator/TerminalService.h"

#include "emulator/CivilTime.h"
#include "platform/Error.h"
#include "sdk/protocol/MessageCodec.h"

#include <algorithm>

namespace tavlo::emulator {

namespace {

using namespace protocol;

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

TerminalService::Outcome ok(ReplyBody body = Ack{})
{
    return {TerminalService::Action::Reply, Reply{Status::Ok, std::move(body)}};
}

TerminalService::Outcome failed(Status status)
{
    return {TerminalService::Action::Reply, Reply{status, Ack{}}};
}

bool validPrivilege(std::int32_t p) { return p >= 0 && p <= 3; }
bool validNumber(std::int32_t n) { return n >= 0 && n <= 11; }

}  // namespace

TerminalService::TerminalService(TerminalState& state, Faults faults,
                                 std::function<void(const QString&)> log)
    : state_(state), faults_(faults), log_(std::move(log))
{
}

void TerminalService::note(const QString& text) const
{
    if (log_)
        log_(text);
}

bool TerminalService::ownKey(const EnrolmentKey& key) const
{
    return key.machine == state_.settings().machine && key.user >= 1 && validNumber(key.number);
}

TerminalService::Outcome TerminalService::handle(Session& session, const Request& request)
{
    // A stalled link answers nothing more; a new Hello on the same serial
    // line is a new link.
    if (session.stalled && !std::holds_alternative<HelloRequest>(request))
        return {Action::Ignore, {}};
    if (!session.linked && !std::holds_alternative<HelloRequest>(request))
        return failed(Status::Refused);
    if (const auto failing = faults_.failing.find(opOf(request)); failing != faults_.failing.end()) {
        if (session.requestsOf[failing->first]++ >= failing->second) {
            note(QStringLiteral("operation %1 refused on purpose").arg(static_cast<int>(failing->first)));
            return failed(Status::Refused);
        }
    }
    try {
        return std::visit(Overloaded{
            [&](const HelloRequest& m) { return hello(session, m); },
            [&](const ByeRequest& m) { return bye(session, m); },
            [&](const BeginLogReadRequest& m) {
                const std::uint32_t first = m.newOnly ? state_.confirmed() : 0;
                const std::uint32_t end = state_.records().count();
                session.logRead = Session::LogRead{first, first, end, generation_};
                note(QStringLiteral("log read of %1 records from %2").arg(end - first).arg(first));
                return ok(BeginLogReadReply{first, end - first});
            },
            [&](const NextLogBatchRequest& m) { return logBatch(session, m); },
            [&](const GetStatusRequest& m) {
                switch (m.index) {
                case 1: return ok(StatusReply{static_cast<std::int32_t>(state_.enrolments().userCount())});
                case 2: return ok(StatusReply{static_cast<std::int32_t>(state_.enrolments().entries().size())});
                case 6: return ok(StatusReply{static_cast<std::int32_t>(state_.unconfirmed())});
                case 8: return ok(StatusReply{static_cast<std::int32_t>(state_.records().count())});
                default: return failed(Status::NotFound);
                }
            },
            [&](const SetEnabledRequest& m) {
                TerminalSettings s = state_.settings();
                s.keypadEnabled = m.enabled;
                state_.changeSettings(s);
                note(m.enabled ? QStringLiteral("keypad unlocked") : QStringLiteral("keypad locked"));
                return ok();
            },
            [&](const BeginUserReadRequest&) {
                session.userRead = true;
                session.lastUser.reset();
                return ok(BeginUserReadReply{static_cast<std::uint32_t>(state_.enrolments().entries().size())});
            },
            [&](const NextUserBatchRequest& m) { return userBatch(session, m); },
            [&](const ReadEnrolmentRequest& m) {
                if (!ownKey(m.key))
                    return failed(Status::Invalid);
                const StoredEnrolment* e = state_.enrolments().find({m.key.user, m.key.number});
                if (!e)
                    return failed(Status::NotFound);
                return ok(EnrolmentReply{e->privilege, e->data, e->password});
            },
            [&](const WriteEnrolmentRequest& m) {
                if (!ownKey(m.key) || !validPrivilege(m.privilege))
                    return failed(Status::Invalid);
                StoredEnrolment e;
                if (const StoredEnrolment* old = state_.enrolments().find({m.key.user, m.key.number}))
                    e.enabled = old->enabled;
                e.privilege = m.privilege;
                e.password = m.password;
                e.data = m.data;
                state_.enrolments().put({m.key.user, m.key.number}, e);
                note(QStringLiteral("enrolment %1 of user %2 written").arg(m.key.number).arg(m.key.user));
                return ok();
            },
            [&](const DeleteEnrolmentRequest& m) {
                if (m.key.machine != state_.settings().machine || m.key.user < 1)
                    return failed(Status::Invalid);
                if (m.key.number == kDeleteAllEnrolments)
                    return state_.enrolments().removeUser(m.key.user) > 0 ? ok() : failed(Status::NotFound);
                if (!validNumber(m.key.number))
                    return failed(Status::Invalid);
                return state_.enrolments().remove({m.key.user, m.key.number}) ? ok() : failed(Status::NotFound);
            },
            [&](const ReadEnrolmentRawRequest& m) {
                const StoredEnrolment* e = state_.enrolments().find({m.user, m.number});
                if (!e)
                    return failed(Status::NotFound);
                return ok(EnrolmentRawReply{e->privilege, e->enabled, e->password});
            },
            [&](const WriteEnrolmentRawRequest& m) {
                if (!validPrivilege(m.privilege) || (m.enabled != 0 && m.enabled != 1))
                    return failed(Status::Invalid);
                const StoredEnrolment* e = state_.enrolments().find({m.user, m.number});
                if (!e)
                    return failed(Status::NotFound);
                StoredEnrolment changed = *e;
                changed.privilege = m.privilege;
                changed.enabled = m.enabled;
                changed.password = m.password;
                state_.enrolments().putAttributes({m.user, m.number}, changed);
                return ok();
            },
            [&](const GetClockRequest&) {
                const std::int64_t now = localNow() + state_.settings().clockOffset;
                return ok(ClockReply{civilTime(now), isoWeekday(now)});
            },
            [&](const SetClockRequest& m) {
                const std::optional<std::int64_t> wanted = civilSeconds(m.time);
                if (!wanted)
                    return failed(Status::Invalid);
                TerminalSettings s = state_.settings();
                s.clockOffset = *wanted - localNow();
                state_.changeSettings(s);
                note(QStringLiteral("clock set, %1 s from the host's").arg(s.clockOffset));
                return ok();
            },
            [&](const SetPrivilegeRequest& m) {
                if (!ownKey(m.key) || !validPrivilege(m.privilege))
                    return failed(Status::Invalid);
                const StoredEnrolment* e = state_.enrolments().find({m.key.user, m.key.number});
                if (!e)
                    return failed(Status::NotFound);
                if (e->privilege != m.privilege) {
                    StoredEnrolment changed = *e;
                    changed.privilege = m.privilege;
                    state_.enrolments().putAttributes({m.key.user, m.key.number}, changed);
                }
                return ok();
            },
            [&](const ConfirmLogRequest& m) { return confirmLog(m); },
            [&](const ClearLogsRequest&) {
                state_.clearRecords();
                ++generation_;
                session.logRead.reset();
                note(QStringLiteral("attendance log cleared"));
                return ok();
            },
        }, request);
    } catch (const Error& e) {
        note(QStringLiteral("failed: %1").arg(e.message()));
        return failed(Status::Invalid);
    }
}

TerminalService::Outcome TerminalService::hello(Session& session, const HelloRequest& m)
{
    const TerminalSettings& s = state_.settings();
    // A new Hello on a serial line starts a new link: what the old one read
    // and did not confirm is not confirmed.
    session = session.fresh();
    if (faults_.refuse || m.machine != s.machine || (!session.serial && m.password != s.password)) {
        note(QStringLiteral("link refused (machine %1)").arg(m.machine));
        return failed(Status::Refused);
    }
    session.linked = true;
    note(QStringLiteral("link opened"));
    return ok(HelloReply{s.machine, "Tavlo terminal emulator"});
}

TerminalService::Outcome TerminalService::bye(Session& session, const ByeRequest& m)
{
    if (faults_.loseConfirmation || faults_.holdConfirmation) {
        note(QStringLiteral("closing message lost, nothing confirmed"));
        if (faults_.holdConfirmation) {
            session.stalled = true;
            return {Action::Ignore, {}};
        }
        session = session.fresh();
        return {Action::Close, {}};
    }
    if (session.logRead && session.logRead->generation == generation_) {
        const Session::LogRead& read = *session.logRead;
        const std::uint32_t sent = read.cursor - read.first;
        const std::uint32_t end = read.first + std::min(m.confirmed, sent);
        state_.confirmUpTo(end);
        note(QStringLiteral("link closed, %1 records confirmed").arg(std::min(m.confirmed, sent)));
    } else {
        note(QStringLiteral("link closed"));
    }
    session = session.fresh();
    return {Action::ReplyAndClose, Reply{Status::Ok, Ack{}}};
}

TerminalService::Outcome TerminalService::confirmLog(const ConfirmLogRequest& m)
{
    const std::uint64_t end = std::uint64_t{m.first} + m.count;
    const std::uint32_t mark = state_.confirmed();
    // Before `first` the mark only stands when the log was emptied since
    // those records were read: they are gone, and the records now at those
    // positions are others that nobody has read.
    if (mark >= m.first && mark < end) {
        state_.confirmUpTo(static_cast<std::uint32_t>(std::min<std::uint64_t>(end, state_.records().count())));
        note(QStringLiteral("records %1 to %2 confirmed").arg(mark).arg(state_.confirmed()));
    }
    return ok(StatusReply{static_cast<std::int32_t>(state_.confirmed())});
}

TerminalService::Outcome TerminalService::logBatch(Session& session, const NextLogBatchRequest& m)
{
    if (!session.logRead || session.logRead->generation != generation_)
        return failed(Status::Invalid);
    Session::LogRead& read = *session.logRead;
    std::uint64_t n = std::min<std::uint64_t>({m.maxRecords, kMaxLogBatch, read.end - read.cursor});
    for (const auto& limit : {faults_.dropAfter, faults_.stallAfter}) {
        if (limit)
            n = std::min(n, *limit > session.recordsSent ? *limit - session.recordsSent : 0);
    }
    if (n == 0 && read.cursor < read.end) {
        if (faults_.dropAfter && session.recordsSent >= *faults_.dropAfter) {
            note(QStringLiteral("dropping the link after %1 records").arg(session.recordsSent));
            return {Action::Close, {}};
        }
        if (faults_.stallAfter && session.recordsSent >= *faults_.stallAfter) {
            note(QStringLiteral("no more answers after %1 records").arg(session.recordsSent));
            session.stalled = true;
            return {Action::Ignore, {}};
        }
    }
    LogBatchReply batch{state_.records().read(read.cursor, static_cast<std::uint32_t>(n))};
    read.cursor += static_cast<std::uint32_t>(batch.records.size());
    session.recordsSent += batch.records.size();
    return ok(std::move(batch));
}

TerminalService::Outcome TerminalService::userBatch(Session& session, const NextUserBatchRequest& m)
{
    if (!session.userRead)
        return failed(Status::Invalid);
    const auto& entries = state_.enrolments().entries();
    auto it = session.lastUser ? entries.upper_bound(*session.lastUser) : entries.begin();
    UserBatchReply batch;
    const std::size_t n = std::min<std::size_t>(m.maxEntries, kMaxUserBatch);
    for (; it != entries.end() && batch.entries.size() < n; ++it) {
        batch.entries.push_back(UserEntry{it->first.first, it->first.second, it->second.privilege,
                                          it->second.enabled});
        session.lastUser = it->first;
    }
    return ok(std::move(batch));
}

}  // namespace tavlo::emulator
