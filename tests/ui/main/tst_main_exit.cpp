// Closing the main window while every start-up loader still waits on a catalogue that never answers.
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class TestMainExit : public QObject {
    Q_OBJECT
private slots:
    void closingDuringHangingLoadsEndsAtOnce_data();
    void closingDuringHangingLoadsEndsAtOnce();
};

void TestMainExit::closingDuringHangingLoadsEndsAtOnce_data() {
    QTest::addColumn<bool>("editorOpen");
    QTest::newRow("main window alone") << false;
    // The editor is a window of its own, yet closing the main window still ends the program.
    QTest::newRow("quote editor still open") << true;
}

void TestMainExit::closingDuringHangingLoadsEndsAtOnce() {
    QFETCH(bool, editorOpen);
    // Accepts connections (the kernel completes them) and never sends the server greeting.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));

    QProcess helper;
    helper.setProgram(QStringLiteral(HANGING_EXIT_HELPER));
    QStringList arguments{QString::number(server.serverPort()), QStringLiteral("1500")};
    if (editorOpen) {
        arguments << QStringLiteral("editor");
    }
    helper.setArguments(arguments);
    QElapsedTimer timer;
    timer.start();
    helper.start();
    QVERIFY(helper.waitForStarted());
    // Hold the connections while the helper runs, so the loaders really are waiting when it closes.
    QList<QTcpSocket*> held;
    while (helper.state() != QProcess::NotRunning && timer.elapsed() < 20000) {
        if (server.waitForNewConnection(50)) {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                held << socket;
            }
        }
        helper.waitForFinished(10);
    }
    const QByteArray out = helper.readAllStandardOutput();
    const QByteArray err = helper.readAllStandardError();
    QVERIFY2(helper.state() == QProcess::NotRunning, "the program did not end after its window closed");
    QVERIFY2(timer.elapsed() < 15000, "the program waited for its loaders");
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), 0);
    QVERIFY2(out.contains("message loop ended"), out.constData());
    QCOMPARE(held.size(), 11); // all eleven start-up loaders were still waiting on the server
    for (const char* fault : {"AddressSanitizer", "runtime error", "Segmentation", "QObject::", "destroyed"}) {
        QVERIFY2(!err.contains(fault), err.constData());
    }
    qDeleteAll(held);
}

QTEST_GUILESS_MAIN(TestMainExit)
#include "tst_main_exit.moc"
