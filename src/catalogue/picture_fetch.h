#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace velnor {

inline constexpr int kPictureTimeoutMs = 3000;

// serverAddress + "/tp/" + name, with the bytes that cannot stand in a URL path percent-encoded.
QByteArray pictureUrl(QByteArrayView serverAddress, QByteArrayView pictureName);
// One blocking GET: the body whatever the status; empty on any failure or when the time limit passes.
QByteArray fetchPicture(QByteArrayView serverAddress, QByteArrayView pictureName, int timeoutMs = kPictureTimeoutMs);
// The same for a full URL.
QByteArray fetchUrl(const QByteArray& url, int timeoutMs = kPictureTimeoutMs);

} // namespace velnor
