#pragma once

#include <QByteArray>
#include <QString>

namespace velnor {

// Writes the whole file or leaves an existing one as it was: the bytes go to a temporary file beside it,
// which replaces the target only once everything is written. Only where the folder allows no temporary file
// is the target written in place. A read-only existing file is refused. False on any failure.
bool saveTextFile(const QString& path, const QByteArray& bytes);

} // namespace velnor
