#include "ui/quote/save_text_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace velnor {

bool saveTextFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    // Replacing by rename would ignore the file's own write protection.
    if (info.exists() && (!info.isFile() || !info.isWritable())) {
        return false;
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    // Unbuffered: a short write (disk full, file size limit) shows in write()'s count; a buffered flush
    // would drop the rest silently and the commit would then replace the earlier file with a cut one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    if (file.write(bytes) != bytes.size() || file.size() != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace velnor
