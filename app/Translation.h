#pragma once

class QCoreApplication;

namespace tavlo {

// Makes Qt's own texts (standard buttons, the file dialog) speak Turkish and
// sets the Turkish locale as default.
void installTurkishTranslation(QCoreApplication& application);

}  // namespace tavlo
