#pragma once

#include <QByteArray>

namespace velnor {

// The installation's own data, fixed at build time and handed by the app to the windows.
// All texts GBK.
struct Deployment {
    QByteArray dbHost;
    QByteArray dbAccount;
    QByteArray dbPassword;
    QByteArray dbPort;        // as the settings box shows it
    QByteArray pictureServer; // scheme and host, no trailing slash
    QByteArray shopName;
    QByteArray shopPhone;
    QByteArray shopFax;
    QByteArray shopWeb;
    QByteArray shopAddress;
    QByteArray shopDirections; // "(...)", ASCII parentheses
};

} // namespace velnor
