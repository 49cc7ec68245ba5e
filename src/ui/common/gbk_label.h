#pragma once

#include <QByteArray>

class QLabel;

namespace velnor {

// Labels that show catalogue texts keep the bytes they were given, so that bytes which are not valid GBK
// pass on unchanged while the label shows their best decoding. The tooltip carries the whole text, since
// the form's columns are narrow.
void setLabelBytes(QLabel* label, const QByteArray& bytes);
// What was put there with setLabelBytes; otherwise the label's text, encoded.
QByteArray labelBytes(const QLabel* label);

} // namespace velnor
