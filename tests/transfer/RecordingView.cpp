#include "tests/transfer/RecordingView.h"

#include "store/Table.h"
#include "transfer/TransferStatus.h"

namespace tavlo::test {

void RecordingView::processMessages()
{
    ++messageRounds_;
    if (duringMessages)
        duringMessages(messageRounds_);
}

void RecordingView::repaint()
{
    // Read through row indexes, so the table's current row stays where the
    // run left it.
    const int text = *terminals_.findField("Aciklama");
    const int progress = *terminals_.findField("TransferDurumu");
    Frame frame;
    frame.current = terminals_.recIdAt(terminals_.currentRow());
    for (int row = 0; row < terminals_.rowCount(); ++row)
        frame.rows[terminals_.recIdAt(row)] = {terminals_.value(row, text).toString(),
                                               terminals_.value(row, progress).toInt()};
    frames_.push_back(std::move(frame));
}

std::vector<RowShows> RecordingView::trace(qint32 recId) const
{
    std::vector<RowShows> shown;
    for (const Frame& frame : frames_)
        if (frame.current == recId)
            shown.push_back(frame.rows.at(recId));
    return shown;
}

RowShows RecordingView::lastShown(qint32 recId) const
{
    if (frames_.empty() || !frames_.back().rows.contains(recId))
        return {};
    return frames_.back().rows.at(recId);
}

std::vector<qint32> RecordingView::progressWhile(qint32 recId, const char* text) const
{
    std::vector<qint32> values;
    for (const RowShows& shown : trace(recId))
        if (shown.text == QString::fromUtf8(text))
            values.push_back(shown.progress);
    return values;
}

std::vector<qint32> RecordingView::readingProgress(qint32 recId) const
{
    std::vector<qint32> values = progressWhile(recId, TransferStatus::kReading);
    if (!values.empty())
        values.erase(values.begin());
    return values;
}

std::vector<qint32> RecordingView::completedProgress(qint32 recId) const
{
    return progressWhile(recId, TransferStatus::kCompleted);
}

}  // namespace tavlo::test
