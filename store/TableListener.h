#pragma once

namespace tavlo {

// Told of every change of a table while its controls are enabled, so that
// views follow it. Each change that adds or removes a row is announced before
// and after it happens, as item views need. A listener must not throw.
class TableListener {
public:
    virtual ~TableListener() = default;

    // The whole table may be different: opened, closed, loaded, or changed
    // while its controls were disabled.
    virtual void tableAboutToBeReset() {}
    virtual void tableReset() {}
    virtual void rowAboutToBeInserted(int /*row*/) {}
    virtual void rowInserted(int /*row*/) {}
    virtual void rowAboutToBeRemoved(int /*row*/) {}
    virtual void rowRemoved(int /*row*/) {}
    // Field values of the rows first to last changed.
    virtual void rowsChanged(int /*first*/, int /*last*/) {}
    // The current row moved, or became a different row at the same place;
    // -1 when there is none.
    virtual void currentChanged(int /*row*/) {}
};

}  // namespace tavlo
