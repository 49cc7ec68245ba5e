#include "catalogue/picture_fetch.h"

#include <curl/curl.h>

#include <mutex>

namespace velnor {

namespace {

bool passesUnencoded(unsigned char byte) {
    return byte >= 0x21 && byte < 0x7F && byte != '#' && byte != '?';
}

size_t appendBody(char* data, size_t size, size_t count, void* userData) {
    static_cast<QByteArray*>(userData)->append(data, static_cast<qsizetype>(size * count));
    return size * count;
}

} // namespace

QByteArray pictureUrl(QByteArrayView serverAddress, QByteArrayView pictureName) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    QByteArray url;
    url.reserve(serverAddress.size() + 4 + pictureName.size() * 3);
    url += serverAddress;
    url += "/tp/";
    // A catalogue name may hold spaces, GBK bytes, '#' or '?': sent raw they would cut the path short or
    // make the request malformed. Everything else, '/' and '%' included, stays as the catalogue has it.
    for (const char ch : pictureName) {
        const auto byte = static_cast<unsigned char>(ch);
        if (passesUnencoded(byte)) {
            url += ch;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        }
    }
    return url;
}

QByteArray fetchUrl(const QByteArray& url, int timeoutMs) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    CURL* curl = curl_easy_init();
    if (!curl)
        return {};
    QByteArray body;
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_PATH_AS_IS, 1L);
    // Straight to the built-in server: libcurl would otherwise take a proxy from http_proxy/all_proxy.
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    // Runs on the GUI thread: a server that never answers must not freeze the window.
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeoutMs));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    if (result != CURLE_OK)
        return {};
    return body;
}

QByteArray fetchPicture(QByteArrayView serverAddress, QByteArrayView pictureName, int timeoutMs) {
    return fetchUrl(pictureUrl(serverAddress, pictureName), timeoutMs);
}

} // namespace velnor
