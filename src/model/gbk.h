#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace velnor {

// Every text the system keeps is a GBK byte string; windows convert at the control boundary only.
QByteArray toGbk(QStringView text);
QString fromGbk(QByteArrayView bytes);

// For constants written in UTF-8 source.
inline QByteArray gbk(const char* utf8) { return toGbk(QString::fromUtf8(utf8)); }

} // namespace velnor
