#include "catalogue/catalogue_queries.h"

#include <cstdint>
#include <initializer_list>

namespace velnor {

QByteArray platformStatement() {
    return QByteArrayLiteral("select * from zel_Platform_b order by sort");
}

QByteArray brandStatement(ComponentCategory category) {
    return QByteArray("select brand from zel_brand_b where sort='") + categoryInfo(category).code + "' order by paixu";
}

QByteArray modelStatement(ComponentCategory category, QByteArrayView escapedBrand) {
    QByteArray s("select * from zel_access_b where sort='");
    s += categoryInfo(category).code;
    s += "' and brand='";
    s += escapedBrand;
    s += "' order by jg";
    return s;
}

QByteArray boardStatement(QByteArrayView escapedBrand, QByteArrayView escapedPlatform) {
    QByteArray s("select * from zel_access_b where sort='zb' and brand='");
    s += escapedBrand;
    s += "' and Platform_ID=(select Platform_ID from zel_platform_b where Platform='";
    s += escapedPlatform;
    s += "') order by jg";
    return s;
}

QByteArray cpuStatement(QByteArrayView escapedPlatform) {
    QByteArray s("select * from zel_access_b where sort='cpu' and Platform_ID=(select Platform_ID from "
                 "zel_platform_b where Platform='");
    s += escapedPlatform;
    s += "') order by jg";
    return s;
}

namespace {

// Steps 2 to 7 of a load on an open session: run, take, walk rowCount rows, free. Rows from a failed
// statement or a session that is not connected: none.
template <typename Row, typename ReadRow>
std::vector<Row> readAll(CatalogueSession& session, const QByteArray& statement, ReadRow readRow) {
    std::vector<Row> rows;
    session.run(statement);
    RecordSet records = session.takeRecordSet();
    records.first();
    const auto count = static_cast<int32_t>(records.rowCount());
    if (count > 0)
        rows.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        rows.push_back(readRow(records));
        records.next();
    }
    records.free();
    return rows;
}

QByteArray readOne(RecordSet& records, const char* column) {
    QByteArray text;
    records.readText(column, text);
    return text;
}

QByteArray readBrand(RecordSet& records) {
    return readOne(records, "brand");
}

ModelRow readModel(RecordSet& records) {
    ModelRow row;
    row.price = readOne(records, "jg");
    row.model = readOne(records, "model");
    row.warranty = readOne(records, "repair");
    row.picture = readOne(records, "tp");
    return row;
}

ModelRow readCpu(RecordSet& records) {
    ModelRow row = readModel(records);
    row.mark1 = readOne(records, "cpujx");
    return row;
}

ModelRow readBoard(RecordSet& records) {
    ModelRow row = readModel(records);
    row.mark1 = readOne(records, "zbjx");
    row.mark2 = readOne(records, "xkjk");
    return row;
}

} // namespace

std::vector<PlatformRow> loadPlatforms(const ConnectionSettings& settings) {
    CatalogueSession session = CatalogueSession::open(settings);
    auto rows = readAll<PlatformRow>(session, platformStatement(), [](RecordSet& records) {
        PlatformRow row;
        row.platform = readOne(records, "Platform");
        row.brief = readOne(records, "Brief");
        return row;
    });
    session.close();
    return rows;
}

std::vector<QByteArray> loadBrands(const ConnectionSettings& settings, ComponentCategory category) {
    CatalogueSession session = CatalogueSession::open(settings);
    auto rows = readAll<QByteArray>(session, brandStatement(category), readBrand);
    session.close();
    return rows;
}

std::vector<ModelRow> loadModels(const ConnectionSettings& settings, ComponentCategory category, QByteArrayView brand) {
    CatalogueSession session = CatalogueSession::open(settings);
    auto rows = readAll<ModelRow>(session, modelStatement(category, session.escape(brand)), readModel);
    session.close();
    return rows;
}

std::vector<ModelRow> loadPlatformParts(const ConnectionSettings& settings, QByteArrayView platform,
                                        const std::function<void(std::vector<QByteArray>)>& onBrands) {
    CatalogueSession session = CatalogueSession::open(settings);
    auto brands = readAll<QByteArray>(session, brandStatement(ComponentCategory::Zb), readBrand);
    if (onBrands)
        onBrands(std::move(brands));
    auto cpus = readAll<ModelRow>(session, cpuStatement(session.escape(platform)), readCpu);
    session.close();
    return cpus;
}

std::vector<ModelRow> loadBoards(const ConnectionSettings& settings, QByteArrayView brand, QByteArrayView platform) {
    CatalogueSession session = CatalogueSession::open(settings);
    auto rows = readAll<ModelRow>(session, boardStatement(session.escape(brand), session.escape(platform)), readBoard);
    session.close();
    return rows;
}

} // namespace velnor
