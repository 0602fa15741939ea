#pragma once

#include "platform/PrivateProfile.h"

#include <QString>

namespace tavlo {

// The settings file "Ayarlar.ini" of the application folder and the keys of
// its section "Ayarlar".
class Settings {
public:
    static constexpr auto kFileName = "Ayarlar.ini";
    static constexpr auto kSection = "Ayarlar";
    static constexpr auto kMovementFile = "KayitDosyasi";
    static constexpr auto kDeleteAfterTransfer = "AktarimdanSonraSil";
    static constexpr auto kEntryCode = "GirisSTR";
    static constexpr auto kExitCode = "CikisSTR";
    static constexpr int kCodeLength = 7;

    explicit Settings(const QString& applicationDirectory);

    const PrivateProfile& profile() const { return profile_; }

    // Writes one text or integer key; a section or key that is blank after
    // trimming writes nothing. Raises "Unable to write to <path>".
    void writeText(const QString& section, const QString& key, const QString& value) const;
    void writeInteger(const QString& section, const QString& key, qint32 value) const;

private:
    PrivateProfile profile_;
};

}  // namespace tavlo
