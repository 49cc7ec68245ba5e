// Picture addresses and fetching against a loopback HTTP server.
#include "catalogue/picture_fetch.h"
#include "model/gbk.h"

#include "local_server.h"

#include <QTest>

using namespace velnor;
using testing::TinyHttpServer;

class TestPictureFetch : public QObject {
    Q_OBJECT

private slots:
    void pictureUrlEncoding_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("plain") << QByteArray("b650.jpg") << QByteArray("/tp/b650.jpg");
        QTest::newRow("empty name") << QByteArray() << QByteArray("/tp/");
        QTest::newRow("space") << QByteArray("a b.jpg") << QByteArray("/tp/a%20b.jpg");
        QTest::newRow("control bytes") << QByteArray("a\tb\x01.jpg") << QByteArray("/tp/a%09b%01.jpg");
        QTest::newRow("NUL byte") << QByteArray("a\0b", 3) << QByteArray("/tp/a%00b");
        QTest::newRow("DEL") << QByteArray("a\x7f") << QByteArray("/tp/a%7F");
        QTest::newRow("GBK bytes, upper-case hex") << gbk("主板.jpg") << QByteArray("/tp/%D6%F7%B0%E5.jpg");
        QTest::newRow("0x80 and 0xFF") << QByteArray("\x80\xff") << QByteArray("/tp/%80%FF");
        QTest::newRow("fragment and query marks") << QByteArray("a#b?c") << QByteArray("/tp/a%23b%3Fc");
        QTest::newRow("slash and percent pass") << QByteArray("x/y%20.jpg") << QByteArray("/tp/x/y%20.jpg");
        QTest::newRow("printable edges pass") << QByteArray("!~&=+'\"<>") << QByteArray("/tp/!~&=+'\"<>");
    }

    void pictureUrlEncoding() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, path);
        QCOMPARE(pictureUrl("http://shop.example", name), "http://shop.example" + path);
    }

    void bodyWhateverTheStatus_data() {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("200") << QByteArray("200 OK") << QByteArray("\x89PNG\r\n\x1a\n\0\0binary", 16);
        QTest::newRow("404 page") << QByteArray("404 Not Found") << QByteArray("<html>no such picture</html>");
        QTest::newRow("500 page") << QByteArray("500 Internal Server Error") << QByteArray("oops");
        QTest::newRow("empty 200") << QByteArray("200 OK") << QByteArray();
    }

    void bodyWhateverTheStatus() {
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, body);
        TinyHttpServer server(TinyHttpServer::Mode::Answer, status, body);
        QCOMPARE(fetchPicture(server.address(), "p.jpg"), body);
        QCOMPARE(server.requestLines(), QByteArrayList{"GET /tp/p.jpg HTTP/1.1"});
    }

    void namesReachServerEncoded_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("requestLine");
        QTest::newRow("space") << QByteArray("my pic.jpg") << QByteArray("GET /tp/my%20pic.jpg HTTP/1.1");
        QTest::newRow("GBK") << gbk("主板.jpg") << QByteArray("GET /tp/%D6%F7%B0%E5.jpg HTTP/1.1");
        QTest::newRow("dot segments kept") << QByteArray("a/../b.jpg") << QByteArray("GET /tp/a/../b.jpg HTTP/1.1");
    }

    void namesReachServerEncoded() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, requestLine);
        TinyHttpServer server(TinyHttpServer::Mode::Answer, "200 OK", "x");
        QCOMPARE(fetchPicture(server.address(), name), QByteArray("x"));
        QCOMPARE(server.requestLines(), QByteArrayList{requestLine});
    }

    void everyCallGoesToTheServer() {
        TinyHttpServer server(TinyHttpServer::Mode::Answer, "200 OK", "img");
        QCOMPARE(fetchPicture(server.address(), "a.jpg"), QByteArray("img"));
        QCOMPARE(fetchPicture(server.address(), "a.jpg"), QByteArray("img"));
        QCOMPARE(server.requestLines().size(), 2);
    }

    // The picture server's address is built in; a proxy named in the environment must not reroute or
    // swallow the request.
    void environmentProxyIgnored_data() {
        QTest::addColumn<QByteArray>("variable");
        QTest::newRow("http_proxy") << QByteArray("http_proxy");
        QTest::newRow("all_proxy") << QByteArray("all_proxy");
        QTest::newRow("ALL_PROXY") << QByteArray("ALL_PROXY");
    }

    void environmentProxyIgnored() {
        QFETCH(QByteArray, variable);
        TinyHttpServer server(TinyHttpServer::Mode::Answer, "200 OK", "img");
        TinyHttpServer proxy(TinyHttpServer::Mode::Answer, "200 OK", "from the proxy");
        qputenv(variable.constData(), proxy.address());
        const QByteArray body = fetchPicture(server.address(), "a.jpg");
        qunsetenv(variable.constData());
        QCOMPARE(body, QByteArray("img"));
        QCOMPARE(server.requestLines(), QByteArrayList{"GET /tp/a.jpg HTTP/1.1"});
        QVERIFY(proxy.requestLines().isEmpty());
    }

    void failuresGiveEmptyBytes() {
        QVERIFY(fetchPicture("http://127.0.0.1:" + QByteArray::number(testing::closedPort()), "a.jpg").isEmpty());
        QVERIFY(fetchPicture("http://no-such-host.invalid", "a.jpg").isEmpty());
        {
            TinyHttpServer cut(TinyHttpServer::Mode::CutShort, "200 OK", "partial");
            QVERIFY(fetchPicture(cut.address(), "a.jpg").isEmpty());
        }
    }

    // A server that accepts and never answers must not hold the caller for good. The default limit
    // is used on purpose; how long it takes is measured elsewhere.
    void silentServerGivesEmptyBytes() {
        TinyHttpServer silent(TinyHttpServer::Mode::NeverAnswer);
        QVERIFY(fetchPicture(silent.address(), "a.jpg").isEmpty());
        QVERIFY(fetchUrl(silent.address() + "/zel_zel.htm", 200).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPictureFetch)
#include "tst_picture_fetch.moc"
