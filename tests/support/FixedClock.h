#pragma once

#include "platform/Clock.h"

#include <utility>

namespace tavlo::test {

// A PC clock that stands still at the time the test set, installed for the
// process while it lives.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime time) : time_(std::move(time)) { installPcClock(this); }
    ~FixedClock() override { installPcClock(nullptr); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    QDateTime now() const override { return time_; }
    void set(QDateTime time) { time_ = std::move(time); }

private:
    QDateTime time_;
};

}  // namespace tavlo::test
