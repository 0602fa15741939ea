#include "platform/Clock.h"

namespace tavlo {
namespace {

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

SystemClock systemClock;
Clock* installed = nullptr;

}  // namespace

Clock& pcClock()
{
    return installed ? *installed : static_cast<Clock&>(systemClock);
}

void installPcClock(Clock* clock)
{
    installed = clock;
}

}  // namespace tavlo
