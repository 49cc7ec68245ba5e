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
    // As rich text, so that a text which looks like markup is still shown character for character.
    const QString text = label->text();
    label->setToolTip(text.isEmpty() ? QString()
                                     : QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
                                           QStringLiteral("</p>"));
}

QByteArray labelBytes(const QLabel* label) {
    const QVariant bytes = label->property(kBytesProperty);
    return bytes.isValid() ? bytes.toByteArray() : toGbk(label->text());
}

} // namespace velnor
