#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <optional>

namespace velnor {

// Values follow the canonical order.
enum class ComponentCategory { Zb, Cpu, Yp, Nc, Xk, Gq, Jx, Dy, Xsq, Js, Srq, Yx };

inline constexpr int kCategoryCount = 12;

// One row of the fixed category table. Texts and control names are UTF-8 literals (control names are
// objectNames; texts go through gbk() where a GBK byte string is needed).
struct CategoryInfo {
    ComponentCategory category;
    const char* code;          // catalogue code, the `sort` column
    int canonicalPosition;     // 0-based
    int tabPage;               // page index in the main window's tab control
    const char* tabText;       // "主板"
    const char* summaryLabel;  // "主 板"
    const char* brandList;     // "" for cpu: its page's brand list is filled by nothing
    const char* modelList;
    const char* pictureLabel;
    const char* modelLabel;    // same names in both windows
    const char* priceLabel;
    const char* warrantyLabel;
    // Quote editor
    const char* lineLabelName; // 标签b1 …
    const char* lineLabelText; // " 主 板"
    const char* quantityBox;
    const char* retailBox;
    // Documents and printouts
    const char* copyLabel;     // "主板："
    const char* fileLabel;     // "主  板："
};

const CategoryInfo& categoryInfo(ComponentCategory category);
std::optional<ComponentCategory> categoryFromCode(QByteArrayView code);

// zb cpu yp nc xk gq jx dy xsq js srq yx
const std::array<ComponentCategory, kCategoryCount>& canonicalOrder();
// zb cpu xk yp nc gq jx dy xsq js yx srq: tab pages 1 to 12
const std::array<ComponentCategory, kCategoryCount>& tabOrder();
// Canonical order with speakers before the cooler: saved documents and printouts.
const std::array<ComponentCategory, kCategoryCount>& fileOrder();
// The ten categories whose brand lists load at start-up, in the order their loaders start.
const std::array<ComponentCategory, 10>& startupBrandOrder();

inline int categoryIndex(ComponentCategory category) { return static_cast<int>(category); }

} // namespace velnor
