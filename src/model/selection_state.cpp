#include "model/selection_state.h"

namespace velnor {

void SelectionState::set(ComponentCategory category, const QByteArray& modelText, const QByteArray& priceText,
                         const QByteArray& warrantyText) {
    m_choices[categoryIndex(category)] = PartChoice{modelText, priceText, warrantyText};
}

void SelectionState::clear(ComponentCategory category) { m_choices[categoryIndex(category)] = PartChoice{}; }

const PartChoice& SelectionState::get(ComponentCategory category) const { return m_choices[categoryIndex(category)]; }

} // namespace velnor
