#pragma once

#include "model/categories.h"

#include <QByteArray>

#include <array>

namespace velnor {

// One category's choice, the three texts exactly as the main window shows them.
struct PartChoice {
    QByteArray modelText;
    QByteArray priceText;
    QByteArray warrantyText;

    bool isEmpty() const { return modelText.isEmpty() && priceText.isEmpty() && warrantyText.isEmpty(); }
    friend bool operator==(const PartChoice&, const PartChoice&) = default;
};

// What the quote editor is to list. One per program; GUI thread only (no lock).
class SelectionState {
public:
    void set(ComponentCategory category, const QByteArray& modelText, const QByteArray& priceText,
             const QByteArray& warrantyText);
    void clear(ComponentCategory category);
    const PartChoice& get(ComponentCategory category) const;

private:
    std::array<PartChoice, kCategoryCount> m_choices;
};

// Texts the main window hands to the other two windows. One per program; GUI thread only.
struct SharedTexts {
    QByteArray statusTextForInfoPages;
    QByteArray statusTextForEditor;
    QByteArray windowTitle;
    QByteArray infoPageAddress;
};

} // namespace velnor
