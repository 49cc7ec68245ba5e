// Placeholder until the queries land.
#include "catalogue/catalogue_queries.h"

namespace velnor {
QByteArray platformStatement() { return {}; }
QByteArray brandStatement(ComponentCategory) { return {}; }
QByteArray modelStatement(ComponentCategory, QByteArrayView) { return {}; }
QByteArray boardStatement(QByteArrayView, QByteArrayView) { return {}; }
QByteArray cpuStatement(QByteArrayView) { return {}; }
std::vector<PlatformRow> loadPlatforms(const ConnectionSettings&) { return {}; }
std::vector<QByteArray> loadBrands(const ConnectionSettings&, ComponentCategory) { return {}; }
std::vector<ModelRow> loadModels(const ConnectionSettings&, ComponentCategory, QByteArrayView) { return {}; }
std::vector<ModelRow> loadPlatformParts(const ConnectionSettings&, QByteArrayView,
                                        const std::function<void(std::vector<QByteArray>)>& onBrands) {
    onBrands({});
    return {};
}
std::vector<ModelRow> loadBoards(const ConnectionSettings&, QByteArrayView, QByteArrayView) { return {}; }
} // namespace velnor
