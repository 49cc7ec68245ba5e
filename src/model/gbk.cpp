#include "model/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace velnor {

QByteArray toGbk(QStringView text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString fromGbk(QByteArrayView bytes) {
    // Bytes that are not GBK come out as replacement characters; the bytes themselves are kept by the caller.
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

} // namespace velnor
