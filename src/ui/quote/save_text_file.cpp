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
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace velnor
