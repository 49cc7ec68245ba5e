// Session, result reading and catalogue loads against the tests' own MariaDB (fixture catalogue_db).
#include "catalogue/catalogue_client.h"
#include "catalogue/catalogue_queries.h"
#include "catalogue/catalogue_session.h"
#include "model/gbk.h"

#include "local_server.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <thread>

using namespace velnor;

namespace {

// ---- Recording of client-library calls: each entry notes its name, then calls the real one.
namespace rec {
CatalogueClient real;
QStringList calls;
struct ConnectArgs {
    bool called = false;
    QByteArray host, user, password, database;
    bool hostAbsent = false, userAbsent = false, passwordAbsent = false, socketAbsent = false;
    unsigned int port = 0;
    unsigned long flags = 0;
} connect;

QByteArray orNull(const char* s, bool& absent) {
    absent = s == nullptr;
    return s ? QByteArray(s) : QByteArray();
}

MYSQL* init(MYSQL* m) {
    calls << "mysql_init";
    return real.init(m);
}
int options(MYSQL* m, enum mysql_option o, const void* a) {
    calls << "mysql_options";
    return real.options(m, o, a);
}
MYSQL* realConnect(MYSQL* m, const char* host, const char* user, const char* pw, const char* db, unsigned int port,
                   const char* socket, unsigned long flags) {
    calls << "mysql_real_connect";
    connect.called = true;
    connect.host = orNull(host, connect.hostAbsent);
    connect.user = orNull(user, connect.userAbsent);
    connect.password = orNull(pw, connect.passwordAbsent);
    connect.database = db ? QByteArray(db) : QByteArray("<null>");
    connect.socketAbsent = socket == nullptr;
    connect.port = port;
    connect.flags = flags;
    return real.realConnect(m, host, user, pw, db, port, socket, flags);
}
unsigned long escape(MYSQL* m, char* to, const char* from, unsigned long n) {
    calls << "mysql_real_escape_string";
    return real.realEscapeString(m, to, from, n);
}
int realQuery(MYSQL* m, const char* q, unsigned long n) {
    calls << "mysql_real_query";
    return real.realQuery(m, q, n);
}
MYSQL_RES* storeResult(MYSQL* m) {
    calls << "mysql_store_result";
    return real.storeResult(m);
}
my_ulonglong numRows(MYSQL_RES* r) {
    calls << "mysql_num_rows";
    return real.numRows(r);
}
void dataSeek(MYSQL_RES* r, unsigned long long o) {
    calls << "mysql_data_seek";
    real.dataSeek(r, o);
}
unsigned int numFields(MYSQL_RES* r) {
    calls << "mysql_num_fields";
    return real.numFields(r);
}
MYSQL_FIELD* fetchFields(MYSQL_RES* r) {
    calls << "mysql_fetch_fields";
    return real.fetchFields(r);
}
MYSQL_ROWS* rowTell(MYSQL_RES* r) {
    calls << "mysql_row_tell";
    return real.rowTell(r);
}
MYSQL_ROW_OFFSET rowSeek(MYSQL_RES* r, MYSQL_ROW_OFFSET o) {
    calls << "mysql_row_seek";
    return real.rowSeek(r, o);
}
MYSQL_ROW fetchRow(MYSQL_RES* r) {
    calls << "mysql_fetch_row";
    return real.fetchRow(r);
}
unsigned long* fetchLengths(MYSQL_RES* r) {
    calls << "mysql_fetch_lengths";
    return real.fetchLengths(r);
}
void freeResult(MYSQL_RES* r) {
    calls << "mysql_free_result";
    real.freeResult(r);
}
void close(MYSQL* m) {
    calls << "mysql_close";
    real.close(m);
}
} // namespace rec

// Installs the recording table for its lifetime (single-threaded use only).
class CallRecorder {
public:
    CallRecorder() {
        rec::real = catalogueClient();
        rec::calls.clear();
        rec::connect = {};
        CatalogueClient& c = catalogueClient();
        c.init = rec::init;
        c.options = rec::options;
        c.realConnect = rec::realConnect;
        c.realEscapeString = rec::escape;
        c.realQuery = rec::realQuery;
        c.storeResult = rec::storeResult;
        c.numRows = rec::numRows;
        c.dataSeek = rec::dataSeek;
        c.numFields = rec::numFields;
        c.fetchFields = rec::fetchFields;
        c.rowTell = rec::rowTell;
        c.rowSeek = rec::rowSeek;
        c.fetchRow = rec::fetchRow;
        c.fetchLengths = rec::fetchLengths;
        c.freeResult = rec::freeResult;
        c.close = rec::close;
    }
    ~CallRecorder() { catalogueClient() = rec::real; }
    const QStringList& calls() const { return rec::calls; }
};

// Statements the server received since the last mark, from its general query log.
class QueryLog {
public:
    explicit QueryLog(QString path) : m_path(std::move(path)) { mark(); }
    void mark() { m_offset = QFileInfo(m_path).size(); }
    QByteArrayList newQueries() {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        file.seek(m_offset);
        QByteArrayList queries;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const qsizetype at = line.indexOf(" Query\t");
            if (at >= 0)
                queries << line.mid(at + 7);
        }
        mark();
        return queries;
    }

private:
    QString m_path;
    qint64 m_offset = 0;
};

QByteArray env(const char* name) {
    return qgetenv(name);
}

ConnectionSettings serverSettings() {
    ConnectionSettings s;
    s.host = "127.0.0.1";
    s.account = env("CATALOGUE_DB_ACCOUNT");
    s.password = env("CATALOGUE_DB_PASSWORD");
    s.port = env("CATALOGUE_DB_PORT").toInt();
    return s;
}

using testing::closedPort;

QByteArrayList gbkList(std::initializer_list<const char*> utf8) {
    QByteArrayList list;
    for (const char* s : utf8)
        list << gbk(s);
    return list;
}

QByteArrayList toList(const std::vector<QByteArray>& v) {
    return QByteArrayList(v.begin(), v.end());
}

// "model|mark1|mark2" per row, enough to tell rows and their marks apart.
QByteArrayList modelsOf(const std::vector<ModelRow>& rows, int marks) {
    QByteArrayList list;
    for (const ModelRow& r : rows) {
        QByteArray s = r.model;
        if (marks >= 1)
            s += '|' + r.mark1;
        if (marks >= 2)
            s += '|' + r.mark2;
        list << s;
    }
    return list;
}

// The calls of one readText that finds its column on a current row.
QStringList readCalls() {
    return {"mysql_num_fields", "mysql_fetch_fields",  "mysql_row_tell",
            "mysql_fetch_row",  "mysql_fetch_lengths", "mysql_row_seek"};
}

} // namespace

class TestCatalogueDb : public QObject {
    Q_OBJECT

    QScopedPointer<QueryLog> m_log;

private slots:
    void initTestCase() {
        if (env("CATALOGUE_DB_PORT").isEmpty())
            QSKIP("needs the catalogue_db fixture (run through ctest)");
        initCatalogueLibrary();
        m_log.reset(new QueryLog(QString::fromLocal8Bit(env("CATALOGUE_DB_LOG"))));
        QVERIFY(CatalogueSession::open(serverSettings()).isConnected());
    }

    void loadCallingOrder() {
        QStringList expected{"mysql_init",         "mysql_options",   "mysql_real_connect", "mysql_real_query",
                             "mysql_store_result", "mysql_data_seek", "mysql_num_rows"};
        for (int row = 0; row < 2; ++row) // xk has two brands; one column each
            expected << readCalls() << "mysql_fetch_row";
        expected << "mysql_free_result"
                 << "mysql_close";

        CallRecorder recorder;
        const auto brands = loadBrands(serverSettings(), ComponentCategory::Xk);
        QCOMPARE(toList(brands), gbkList({"影驰", "七彩虹"}));
        QCOMPARE(recorder.calls(), expected);
        QVERIFY(rec::connect.called);
        QCOMPARE(rec::connect.database, QByteArray("zel_k"));
        QVERIFY(rec::connect.socketAbsent);
        QCOMPARE(rec::connect.flags, 0ul);
    }

    void modelLoadEscapesOnItsConnection() {
        QStringList expected{"mysql_init",       "mysql_options",      "mysql_real_connect", "mysql_real_escape_string",
                             "mysql_real_query", "mysql_store_result", "mysql_data_seek",    "mysql_num_rows"};
        for (int column = 0; column < 4; ++column) // one row: jg, model, repair, tp
            expected << readCalls();
        expected << "mysql_fetch_row"
                 << "mysql_free_result"
                 << "mysql_close";

        CallRecorder recorder;
        QCOMPARE(loadModels(serverSettings(), ComponentCategory::Xk, gbk("影驰")).size(), size_t(1));
        QCOMPARE(recorder.calls(), expected);
    }

    void connectArguments_data() {
        QTest::addColumn<QByteArray>("host");
        QTest::addColumn<QByteArray>("account");
        QTest::addColumn<QByteArray>("password");
        QTest::newRow("all given") << QByteArray("127.0.0.1") << QByteArray("someone") << QByteArray("secret");
        QTest::newRow("all empty") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("only password empty") << QByteArray("127.0.0.1") << QByteArray("someone") << QByteArray("");
    }

    void connectArguments() {
        QFETCH(QByteArray, host);
        QFETCH(QByteArray, account);
        QFETCH(QByteArray, password);
        ConnectionSettings settings{host, account, password, closedPort()};
        CallRecorder recorder;
        CatalogueSession session = CatalogueSession::open(settings);
        QVERIFY(!session.isConnected());
        QVERIFY(rec::connect.called);
        // Empty texts go as absent so that the library's defaults apply, never as "".
        QCOMPARE(rec::connect.hostAbsent, host.isEmpty());
        QCOMPARE(rec::connect.userAbsent, account.isEmpty());
        QCOMPARE(rec::connect.passwordAbsent, password.isEmpty());
        QCOMPARE(rec::connect.host, host);
        QCOMPARE(rec::connect.user, account);
        QCOMPARE(rec::connect.password, password);
        QCOMPARE(rec::connect.port, static_cast<unsigned int>(settings.port));
        QCOMPARE(rec::connect.database, QByteArray("zel_k"));
    }

    void failedOpen_data() {
        QTest::addColumn<QByteArray>("account");
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<int>("port");
        QTest::addColumn<QByteArray>("database");
        const ConnectionSettings s = serverSettings();
        QTest::newRow("wrong password") << s.account << QByteArray("not_the_password") << s.port << QByteArray("zel_k");
        QTest::newRow("closed port") << s.account << s.password << closedPort() << QByteArray("zel_k");
        QTest::newRow("missing database") << s.account << s.password << s.port << QByteArray("zel_gone");
        // A port box whose text is no number converts to 0: the library's default port, where nothing listens.
        QTest::newRow("port text not a number") << s.account << s.password << 0 << QByteArray("zel_k");
    }

    void failedOpen() {
        QFETCH(QByteArray, account);
        QFETCH(QByteArray, password);
        QFETCH(int, port);
        QFETCH(QByteArray, database);
        const ConnectionSettings settings{"127.0.0.1", account, password, port};
        const QStringList failedConnect{"mysql_init", "mysql_options", "mysql_real_connect", "mysql_close"};

        {
            CallRecorder recorder;
            CatalogueSession session = CatalogueSession::open(settings, database.constData());
            QVERIFY(!session.isConnected());
            // The whole calling order of a load, with every operation a no-op.
            QCOMPARE(session.escape("O'Neil"), QByteArray("O'Neil"));
            QVERIFY(!session.run("select brand from zel_brand_b"));
            RecordSet records = session.takeRecordSet();
            QVERIFY(!records.isValid());
            records.first();
            QCOMPARE(records.rowCount(), uint64_t(0));
            QByteArray target("kept");
            QVERIFY(!records.readText("brand", target));
            QCOMPARE(target, QByteArray("kept"));
            QVERIFY(!records.next());
            records.free();
            session.close();
            QCOMPARE(recorder.calls(), failedConnect);
        }

        if (database != "zel_k")
            return; // the loads always name zel_k
        CallRecorder recorder;
        QVERIFY(loadPlatforms(settings).empty());
        QVERIFY(loadBrands(settings, ComponentCategory::Yp).empty());
        QVERIFY(loadModels(settings, ComponentCategory::Yp, gbk("希捷")).empty());
        QVERIFY(loadBoards(settings, gbk("华硕"), "AM5").empty());
        bool brandsHanded = false;
        const auto cpus = loadPlatformParts(settings, "AM5", [&](std::vector<QByteArray> brands) {
            brandsHanded = true;
            QVERIFY(brands.empty());
        });
        QVERIFY(cpus.empty());
        QVERIFY(brandsHanded);
        QCOMPARE(recorder.calls(), failedConnect + failedConnect + failedConnect + failedConnect + failedConnect);
    }

    void readText_data() {
        QTest::addColumn<QByteArray>("statement");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("nextCalls");
        QTest::addColumn<QByteArray>("column");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QByteArray>("value");

        const QByteArray xk = "select brand, sort from zel_brand_b where sort='xk' order by paixu";
        const QByteArray kept = "kept";
        QTest::newRow("first row") << xk << true << 2 << 0 << QByteArray("brand") << true << gbk("影驰");
        QTest::newRow("second row") << xk << true << 2 << 1 << QByteArray("brand") << true << gbk("七彩虹");
        QTest::newRow("just past the last row") << xk << true << 2 << 2 << QByteArray("brand") << true << gbk("七彩虹");
        QTest::newRow("far past the last row")
            << xk << true << 2 << 6 << QByteArray("sort") << true << QByteArray("xk");
        QTest::newRow("name differing in case") << xk << true << 2 << 0 << QByteArray("Brand") << false << kept;
        QTest::newRow("column not in result") << xk << true << 2 << 0 << QByteArray("model") << false << kept;
        QTest::newRow("two columns of one name")
            << QByteArray("select brand, sort as brand from zel_brand_b where sort='xk' order by paixu") << true << 2
            << 0 << QByteArray("brand") << true << gbk("影驰");
        QTest::newRow("SQL NULL") << QByteArray("select NULL as v") << true << 1 << 0 << QByteArray("v") << true
                                  << QByteArray("");
        QTest::newRow("NUL byte cuts the value")
            << QByteArray("select 'ab\\0cd' as v") << true << 1 << 0 << QByteArray("v") << true << QByteArray("ab");
        QTest::newRow("decimal as server text") << QByteArray("select cast(12.5 as decimal(10,2)) as v") << true << 1
                                                << 0 << QByteArray("v") << true << QByteArray("12.50");
        QTest::newRow("no rows") << QByteArray("select brand from zel_brand_b where sort='none'") << true << 0 << 0
                                 << QByteArray("brand") << false << kept;
        QTest::newRow("rejected statement") << QByteArray("select brand from zel_no_such_table") << false << 0 << 0
                                            << QByteArray("brand") << false << kept;
        QTest::newRow("write refused to the account")
            << QByteArray("delete from zel_brand_b") << false << 0 << 0 << QByteArray("brand") << false << kept;
    }

    void readText() {
        QFETCH(QByteArray, statement);
        QFETCH(bool, accepted);
        QFETCH(int, rows);
        QFETCH(int, nextCalls);
        QFETCH(QByteArray, column);
        QFETCH(bool, stored);
        QFETCH(QByteArray, value);

        CatalogueSession session = CatalogueSession::open(serverSettings());
        QVERIFY(session.isConnected());
        QCOMPARE(session.run(statement), accepted);
        RecordSet records = session.takeRecordSet();
        QCOMPARE(records.isValid(), accepted);
        records.first();
        QCOMPARE(records.rowCount(), uint64_t(rows));
        for (int i = 0; i < nextCalls; ++i)
            QCOMPARE(records.next(), i < rows);

        QByteArray target("kept");
        QCOMPARE(records.readText(column, target), stored);
        QCOMPARE(target, value);
        // Reading leaves the cursor alone: the same row again, and next() still steps from it.
        QByteArray again("kept");
        QCOMPARE(records.readText(column, again), stored);
        QCOMPARE(again, value);
        QCOMPARE(records.next(), nextCalls < rows);
        records.free();
        QVERIFY(!records.isValid());
        session.close();
        QVERIFY(!session.isConnected());
        QCOMPARE(target, value); // a copy, valid after the result is gone
    }

    void startupStatements() {
        m_log->mark();
        const auto platforms = loadPlatforms(serverSettings());
        QByteArrayList brandsByCategory;
        for (ComponentCategory c : startupBrandOrder())
            brandsByCategory << toList(loadBrands(serverSettings(), c)).join(',');

        const QByteArrayList expected{
            "select * from zel_Platform_b order by sort",
            "select brand from zel_brand_b where sort='xk' order by paixu",
            "select brand from zel_brand_b where sort='yp' order by paixu",
            "select brand from zel_brand_b where sort='nc' order by paixu",
            "select brand from zel_brand_b where sort='gq' order by paixu",
            "select brand from zel_brand_b where sort='jx' order by paixu",
            "select brand from zel_brand_b where sort='dy' order by paixu",
            "select brand from zel_brand_b where sort='xsq' order by paixu",
            "select brand from zel_brand_b where sort='js' order by paixu",
            "select brand from zel_brand_b where sort='yx' order by paixu",
            "select brand from zel_brand_b where sort='srq' order by paixu",
        };
        QCOMPARE(m_log->newQueries(), expected);
        QCOMPARE(platformStatement(), expected[0]);

        const std::vector<PlatformRow> expectedPlatforms{
            {"LGA1700", gbk("Intel 第 12-14 代酷睿")},
            {"AM5", gbk("AMD 锐龙 7000/9000 系列")},
            {gbk("双平台"), gbk("同名的第一行")},
            {gbk("双平台"), gbk("同名的第二行")},
        };
        QCOMPARE(platforms, expectedPlatforms);
        const QByteArrayList expectedBrands = gbkList({"影驰,七彩虹", "希捷,西部数据,O'Neil,誠牌,空牌", "金士顿",
                                                       "先锋", "航嘉", "长城", "三星", "罗技", "漫步者", "九州风神"});
        QCOMPARE(brandsByCategory, expectedBrands);
    }

    void modelLoads_data() {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("brand");
        QTest::addColumn<QByteArray>("statement");
        QTest::addColumn<QByteArrayList>("models");
        QTest::newRow("text prices order as text")
            << QByteArray("yp") << gbk("希捷")
            << gbk("select * from zel_access_b where sort='yp' and brand='希捷' order by jg")
            << gbkList({"酷狼 8TB", "酷鱼 2TB", "酷鹰 4TB"});
        QTest::newRow("quote in brand is escaped")
            << QByteArray("yp") << QByteArray("O'Neil")
            << QByteArray("select * from zel_access_b where sort='yp' and brand='O\\'Neil' order by jg")
            << QByteArrayList{"ON-1"};
        // 誠 is 0xD5 0x5C in GBK: escaping that did not know GBK would double the trail byte.
        QTest::newRow("GBK trail byte 0x5C")
            << QByteArray("yp") << gbk("誠牌")
            << gbk("select * from zel_access_b where sort='yp' and brand='誠牌' order by jg") << gbkList({"誠 500G"});
        QTest::newRow("brand without models")
            << QByteArray("yp") << gbk("空牌")
            << gbk("select * from zel_access_b where sort='yp' and brand='空牌' order by jg") << QByteArrayList{};
        QTest::newRow("brand of another category")
            << QByteArray("nc") << gbk("希捷")
            << gbk("select * from zel_access_b where sort='nc' and brand='希捷' order by jg") << QByteArrayList{};
        QTest::newRow("graphics cards")
            << QByteArray("xk") << gbk("影驰")
            << gbk("select * from zel_access_b where sort='xk' and brand='影驰' order by jg")
            << QByteArrayList{"RTX 4060"};
        QTest::newRow("injection stays a value")
            << QByteArray("yp") << QByteArray("x' or '1'='1")
            << QByteArray("select * from zel_access_b where sort='yp' and brand='x\\' or \\'1\\'=\\'1' order by jg")
            << QByteArrayList{};
    }

    void modelLoads() {
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, brand);
        QFETCH(QByteArray, statement);
        QFETCH(QByteArrayList, models);
        const ComponentCategory category = *categoryFromCode(code);

        m_log->mark();
        const auto rows = loadModels(serverSettings(), category, brand);
        QCOMPARE(m_log->newQueries(), QByteArrayList{statement});
        QCOMPARE(modelsOf(rows, 0), models);
        for (const ModelRow& row : rows)
            QVERIFY(row.mark1.isEmpty() && row.mark2.isEmpty());
    }

    void modelRowColumns() {
        const std::vector<ModelRow> expected{
            {"1000", gbk("酷狼 8TB"), gbk("三年"), "st8t.jpg", {}, {}},
            {"459", gbk("酷鱼 2TB"), gbk("三年"), "st2t.jpg", {}, {}},
            {"999", gbk("酷鹰 4TB"), "", "st4t.jpg", {}, {}}, // warranty is NULL
        };
        QCOMPARE(loadModels(serverSettings(), ComponentCategory::Yp, gbk("希捷")), expected);
        const std::vector<ModelRow> boards{
            {"1099", "TUF B650", gbk("三年"), "b650.jpg", "a", "a"},
            {"799", "PRIME A620", gbk("三年"), "a620.jpg", "", "a"},
        };
        QCOMPARE(loadBoards(serverSettings(), gbk("华硕"), "AM5"), boards);
    }

    void platformParts_data() {
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<QByteArray>("cpuStatement");
        QTest::addColumn<QByteArrayList>("cpus");
        const QByteArray head = "select * from zel_access_b where sort='cpu' and Platform_ID=(select Platform_ID "
                                "from zel_platform_b where Platform='";
        // Every CPU of the platform whatever its brand; marks read as stored.
        QTest::newRow("AM5") << QByteArray("AM5") << head + "AM5') order by jg"
                             << gbkList({"奔腾 AM5 误标|A", "锐龙 5 7600|a"});
        QTest::newRow("LGA1700") << QByteArray("LGA1700") << head + "LGA1700') order by jg"
                                 << QByteArrayList{"i5-12400F|", "i3-12100|a"};
        QTest::newRow("name held twice") << gbk("双平台") << head + gbk("双平台") + "') order by jg"
                                         << QByteArrayList{};
        QTest::newRow("name held by no row") << QByteArray("AM3") << head + "AM3') order by jg" << QByteArrayList{};
        QTest::newRow("quote in platform")
            << QByteArray("AM5' or '1'='1") << head + "AM5\\' or \\'1\\'=\\'1') order by jg" << QByteArrayList{};
    }

    void platformParts() {
        QFETCH(QByteArray, platform);
        QFETCH(QByteArray, cpuStatement);
        QFETCH(QByteArrayList, cpus);

        m_log->mark();
        QByteArrayList brands;
        int logLinesWhenBrandsCame = -1;
        CallRecorder recorder;
        const auto rows = loadPlatformParts(serverSettings(), platform, [&](std::vector<QByteArray> b) {
            brands = toList(b);
            logLinesWhenBrandsCame = int(QueryLog(*this->m_log).newQueries().size());
        });
        // Both statements on one connection, closed at the end.
        QCOMPARE(recorder.calls().count("mysql_real_connect"), 1);
        QCOMPARE(recorder.calls().count("mysql_real_query"), 2);
        QCOMPARE(recorder.calls().count("mysql_close"), 1);
        QCOMPARE(recorder.calls().last(), QString("mysql_close"));
        const QByteArrayList expected{"select brand from zel_brand_b where sort='zb' order by paixu", cpuStatement};
        QCOMPARE(m_log->newQueries(), expected);
        QCOMPARE(brands, gbkList({"华硕", "微星"})); // every board brand, not narrowed to the platform
        QCOMPARE(modelsOf(rows, 1), cpus);
        QCOMPARE(logLinesWhenBrandsCame, 1); // the brands came before the CPU statement was sent
    }

    void boards_data() {
        QTest::addColumn<QByteArray>("brand");
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<QByteArray>("statement");
        QTest::addColumn<QByteArrayList>("boards");
        auto statement = [](const char* brand, const char* platform) {
            return gbk("select * from zel_access_b where sort='zb' and brand='") + gbk(brand) +
                   "' and Platform_ID=(select Platform_ID from zel_platform_b where Platform='" + gbk(platform) +
                   "') order by jg";
        };
        QTest::newRow("brand and platform") << gbk("华硕") << QByteArray("AM5") << statement("华硕", "AM5")
                                            << QByteArrayList{"TUF B650|a|a", "PRIME A620||a"};
        QTest::newRow("marks only when exactly a")
            << gbk("微星") << QByteArray("AM5") << statement("微星", "AM5") << gbkList({"B650M 迫击炮| a|A"});
        QTest::newRow("other platform") << gbk("华硕") << QByteArray("LGA1700") << statement("华硕", "LGA1700")
                                        << QByteArrayList{"PRIME B760|a|a"};
        QTest::newRow("platform held twice")
            << gbk("华硕") << gbk("双平台") << statement("华硕", "双平台") << QByteArrayList{};
        QTest::newRow("platform held by no row")
            << gbk("华硕") << QByteArray("AM3") << statement("华硕", "AM3") << QByteArrayList{};
    }

    void boards() {
        QFETCH(QByteArray, brand);
        QFETCH(QByteArray, platform);
        QFETCH(QByteArray, statement);
        QFETCH(QByteArrayList, boards);
        m_log->mark();
        const auto rows = loadBoards(serverSettings(), brand, platform);
        QCOMPARE(m_log->newQueries(), QByteArrayList{statement});
        QCOMPARE(modelsOf(rows, 2), boards);
    }

    void markIsSetOnlyForA_data() {
        QTest::addColumn<QByteArray>("mark");
        QTest::addColumn<bool>("set");
        QTest::newRow("a") << QByteArray("a") << true;
        QTest::newRow("A") << QByteArray("A") << false;
        QTest::newRow("spaced") << QByteArray(" a") << false;
        QTest::newRow("aa") << QByteArray("aa") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }

    void markIsSetOnlyForA() {
        QFETCH(QByteArray, mark);
        QFETCH(bool, set);
        QCOMPARE(markIsSet(mark), set);
    }

    // The start-up loads run at the same time, each on its own thread and connection.
    void concurrentLoads() {
        std::vector<QByteArray> sequential;
        for (ComponentCategory c : startupBrandOrder())
            sequential.push_back(toList(loadBrands(serverSettings(), c)).join(','));
        const auto platforms = loadPlatforms(serverSettings());

        std::vector<QByteArray> results(startupBrandOrder().size());
        std::vector<PlatformRow> concurrentPlatforms;
        std::vector<std::thread> threads;
        threads.emplace_back([&] {
            CatalogueThreadScope scope;
            concurrentPlatforms = loadPlatforms(serverSettings());
        });
        for (size_t i = 0; i < startupBrandOrder().size(); ++i) {
            threads.emplace_back([&, i] {
                CatalogueThreadScope scope;
                results[i] = toList(loadBrands(serverSettings(), startupBrandOrder()[i])).join(',');
            });
        }
        for (std::thread& t : threads)
            t.join();
        QCOMPARE(results, sequential);
        QCOMPARE(concurrentPlatforms, platforms);
    }
};

QTEST_GUILESS_MAIN(TestCatalogueDb)
#include "tst_catalogue_db.moc"
