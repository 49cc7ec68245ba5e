// Placeholder until the fetch lands.
#include "catalogue/picture_fetch.h"

namespace velnor {
QByteArray pictureUrl(QByteArrayView serverAddress, QByteArrayView pictureName) {
    return serverAddress.toByteArray() + "/tp/" + pictureName.toByteArray();
}
QByteArray fetchPicture(QByteArrayView, QByteArrayView, int) { return {}; }
QByteArray fetchUrl(const QByteArray&, int) { return {}; }
} // namespace velnor
