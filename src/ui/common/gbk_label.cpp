#include "ui/common/gbk_label.h"

#include "model/gbk.h"

#include <QLabel>
#include <QVariant>

namespace velnor {

namespace {
constexpr const char* kBytesProperty = "velnorBytes";
}

void setLabelBytes(QLabel* label, const QByteArray& bytes) {
    label->setProperty(kBytesProperty, bytes);
    label->setText(fromGbk(bytes));
    label->setToolTip(label->text());
}

QByteArray labelBytes(const QLabel* label) {
    const QVariant bytes = label->property(kBytesProperty);
    return bytes.isValid() ? bytes.toByteArray() : toGbk(label->text());
}

} // namespace velnor
