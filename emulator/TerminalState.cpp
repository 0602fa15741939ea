#include "emulator/TerminalState.h"

#include "platform/Error.h"

#include <QDir>

#include <algorithm>

namespace tavlo::emulator {

QString TerminalState::prepared(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Cannot create folder \"%1\".").arg(folder));
    return folder;
}

TerminalState::TerminalState(const QString& folder)
    : folder_(prepared(folder)),
      settings_(TerminalSettings::load(folder_ + "/terminal.ini")),
      records_(folder_ + "/records.dat"),
      enrolments_(folder_)
{
}

void TerminalState::changeSettings(const TerminalSettings& settings)
{
    settings.save(folder_ + "/terminal.ini");
    settings_ = settings;
}

std::uint32_t TerminalState::confirmed() const
{
    return std::min(settings_.confirmed, records_.count());
}

void TerminalState::confirmUpTo(std::uint32_t end)
{
    end = std::min(end, records_.count());
    if (end <= confirmed())
        return;
    TerminalSettings s = settings_;
    s.confirmed = end;
    changeSettings(s);
}

void TerminalState::clearRecords()
{
    // The mark goes first: a stop between the two steps leaves records that
    // come again, never a mark that hides records appended later.
    TerminalSettings s = settings_;
    s.confirmed = 0;
    changeSettings(s);
    records_.clear();
}

}  // namespace tavlo::emulator
