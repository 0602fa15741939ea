#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace tavlo::test::x11 {

// A window's title as the X server holds it for window managers and task
// bars, read with xprop: the UTF-8 _NET_WM_NAME and the older WM_NAME.
// A property that is not set reads as "(none)".
struct Title {
    QString netWmName;
    QString wmName;
};
Title titleOf(quint32 window);

// The viewable top-level windows of a process, found by their _NET_WM_PID,
// as a window manager lists them.
QList<quint32> viewableWindowsOf(qint64 processId);

// Sends what a window manager sends when the operator closes a window by
// its frame: the WM_DELETE_WINDOW message of the WM_PROTOCOLS the window
// takes part in. Returns once the X server has passed it on.
void requestClose(quint32 window);

}  // namespace tavlo::test::x11
