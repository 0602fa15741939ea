#pragma once

#include <QtGlobal>

namespace tavlo::test {

// For its scope, the control class is served by a stand-in that passes
// every call on to the real control but makes the operation `dispid` raise
// an error once `after` of its calls went through on a control instance.
// Control instances created in the scope use it; the real control is
// registered again when the scope ends.
class RaisingControl {
public:
    explicit RaisingControl(qint32 dispid, int after = 0);
    ~RaisingControl();
    RaisingControl(const RaisingControl&) = delete;
    RaisingControl& operator=(const RaisingControl&) = delete;
};

}  // namespace tavlo::test
