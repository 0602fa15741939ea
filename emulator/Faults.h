#pragma once

#include "sdk/protocol/Messages.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

namespace tavlo::emulator {

// Misbehaviour on purpose, so that the PC's handling of a bad terminal can be
// tried without one.
struct Faults {
    std::optional<std::uint64_t> dropAfter;   // end the link after this many records of a link
    std::optional<std::uint64_t> stallAfter;  // stop answering after this many records of a link
    int slowMs = 0;                           // delay before every answer
    bool refuse = false;                      // refuse every link
    // The message that ends a link and confirms its read never arrives: the
    // link closes without an answer (lose) or stays open without one (hold,
    // so that the PC waits its whole reply time), and the mark stays.
    bool loseConfirmation = false;
    bool holdConfirmation = false;
    // Operations the terminal answers with a refusal, as a terminal that
    // cannot do them; the link stays. Each with how many of its requests a
    // link still gets done before the refusals begin (0: none).
    std::map<protocol::Op, std::uint64_t> failing;
};

// The operation of that name, as the protocol names it ("SetClock").
inline std::optional<protocol::Op> operationNamed(std::string_view name)
{
    using protocol::Op;
    static constexpr std::pair<std::string_view, Op> kNames[] = {
        {"Hello", Op::Hello},
        {"Bye", Op::Bye},
        {"BeginLogRead", Op::BeginLogRead},
        {"NextLogBatch", Op::NextLogBatch},
        {"GetStatus", Op::GetStatus},
        {"SetEnabled", Op::SetEnabled},
        {"BeginUserRead", Op::BeginUserRead},
        {"NextUserBatch", Op::NextUserBatch},
        {"ReadEnrolment", Op::ReadEnrolment},
        {"WriteEnrolment", Op::WriteEnrolment},
        {"DeleteEnrolment", Op::DeleteEnrolment},
        {"ReadEnrolmentRaw", Op::ReadEnrolmentRaw},
        {"WriteEnrolmentRaw", Op::WriteEnrolmentRaw},
        {"GetClock", Op::GetClock},
        {"SetClock", Op::SetClock},
        {"SetPrivilege", Op::SetPrivilege},
        {"ClearLogs", Op::ClearLogs},
        {"ConfirmLog", Op::ConfirmLog},
    };
    for (const auto& [known, op] : kNames)
        if (known == name)
            return op;
    return std::nullopt;
}

}  // namespace tavlo::emulator
