#pragma once

#include <QtGlobal>

namespace tavlo::test {

// A loopback TCP port that refuses every connection: bound for the scope's
// lifetime, so that nothing else can take it, but never listening. A
// terminal that is switched off, whatever else runs on the machine.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    quint16 port() const { return port_; }

private:
    int fd_ = -1;
    quint16 port_ = 0;
};

}  // namespace tavlo::test
