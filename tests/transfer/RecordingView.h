#pragma once

#include "tests/transfer/RowShows.h"
#include "transfer/TransferRun.h"

#include <functional>
#include <map>
#include <vector>

namespace tavlo {
class Table;
}

namespace tavlo::test {

// The window of a run as tests see it: it counts the rounds of message
// handling and keeps what every terminal row showed at each repaint.
class RecordingView final : public TransferView {
public:
    explicit RecordingView(const Table& terminals) : terminals_(terminals) {}

    void processMessages() override;
    void repaint() override;

    int messageRounds() const { return messageRounds_; }
    int repaints() const { return static_cast<int>(frames_.size()); }
    // What the row of that RecId showed at each repaint that the run made
    // for it (the status routines leave the table on the row they wrote).
    std::vector<RowShows> trace(qint32 recId) const;
    // What the row showed at the last repaint.
    RowShows lastShown(qint32 recId) const;
    // The progress values the row showed while its records were read, one
    // per progress change (the repaint of the status text itself left out).
    std::vector<qint32> readingProgress(qint32 recId) const;
    // The progress values of the repaints from "Aktarım Tamamlandı" on.
    std::vector<qint32> completedProgress(qint32 recId) const;
    void clear() { frames_.clear(); messageRounds_ = 0; }

    // Called at each round of message handling with its number, from 1;
    // stands for what the operator or the system does meanwhile.
    std::function<void(int)> duringMessages;

private:
    std::vector<qint32> progressWhile(qint32 recId, const char* text) const;

    const Table& terminals_;
    int messageRounds_ = 0;
    struct Frame {
        qint32 current = 0;  // RecId of the current row
        std::map<qint32, RowShows> rows;
    };
    std::vector<Frame> frames_;
};

}  // namespace tavlo::test
