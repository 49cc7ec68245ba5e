#pragma once

#include "catalogue/catalogue_session.h"
#include "model/categories.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <vector>

namespace velnor {

// Column 0 platform name (`Platform`), column 1 description (`Brief`).
struct PlatformRow {
    QByteArray platform;
    QByteArray brief;
    friend bool operator==(const PlatformRow&, const PlatformRow&) = default;
};

// jg, model, repair, tp, then cpujx for CPUs or zbjx and xkjk for motherboards (empty otherwise).
struct ModelRow {
    QByteArray price;
    QByteArray model;
    QByteArray warranty;
    QByteArray picture;
    QByteArray mark1; // cpujx (CPU) or zbjx (motherboard)
    QByteArray mark2; // xkjk (motherboard)
    friend bool operator==(const ModelRow&, const ModelRow&) = default;
};

// A mark is set only when it is exactly "a".
inline bool markIsSet(QByteArrayView mark) {
    return mark == QByteArrayView("a");
}

// Statements, byte for byte. Values are escaped already (CatalogueSession::escape).
QByteArray platformStatement();
QByteArray brandStatement(ComponentCategory category);
QByteArray modelStatement(ComponentCategory category, QByteArrayView escapedBrand);
QByteArray boardStatement(QByteArrayView escapedBrand, QByteArrayView escapedPlatform);
QByteArray cpuStatement(QByteArrayView escapedPlatform);

// Loads: one session each, opened and closed inside; callable from any thread that holds a
// CatalogueThreadScope. A failure of any kind gives no rows.
std::vector<PlatformRow> loadPlatforms(const ConnectionSettings& settings);
std::vector<QByteArray> loadBrands(const ConnectionSettings& settings, ComponentCategory category);
std::vector<ModelRow> loadModels(const ConnectionSettings& settings, ComponentCategory category, QByteArrayView brand);
// Motherboard brands then CPUs of the platform, on one connection. onBrands runs (on the loading thread)
// after the first statement, before the second is sent.
std::vector<ModelRow> loadPlatformParts(const ConnectionSettings& settings, QByteArrayView platform,
                                        const std::function<void(std::vector<QByteArray>)>& onBrands);
std::vector<ModelRow> loadBoards(const ConnectionSettings& settings, QByteArrayView brand, QByteArrayView platform);

} // namespace velnor
