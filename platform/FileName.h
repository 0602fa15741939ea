#pragma once

#include <QString>

namespace tavlo {

// The file that a name given to the program stands for. A relative name is
// taken from the application folder, never from the folder the program was
// started in; an absolute name is kept as it is, and empty text stays empty.
QString resolveFileName(const QString& applicationDirectory, const QString& name);

}  // namespace tavlo
