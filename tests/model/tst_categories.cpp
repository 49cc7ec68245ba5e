#include "model/categories.h"
#include "model/gbk.h"
#include "model/selection_state.h"

#include <QSet>
#include <QTest>

using namespace velnor;

class TestCategories : public QObject {
    Q_OBJECT

private slots:
    void codesRoundTrip() {
        for (ComponentCategory c : canonicalOrder()) {
            const CategoryInfo& info = categoryInfo(c);
            QCOMPARE(info.category, c);
            QCOMPARE(categoryFromCode(info.code), std::optional<ComponentCategory>(c));
        }
        QVERIFY(!categoryFromCode("ZB").has_value());
        QVERIFY(!categoryFromCode("").has_value());
        QVERIFY(!categoryFromCode("zbx").has_value());
    }

    void orders_data() {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("codes");
        QTest::newRow("canonical") << "canonical" << "zb cpu yp nc xk gq jx dy xsq js srq yx";
        QTest::newRow("tab") << "tab" << "zb cpu xk yp nc gq jx dy xsq js yx srq";
        QTest::newRow("file") << "file" << "zb cpu yp nc xk gq jx dy xsq js yx srq";
        QTest::newRow("startup brands") << "startup" << "xk yp nc gq jx dy xsq js yx srq";
    }
    void orders() {
        QFETCH(QString, order);
        QFETCH(QString, codes);
        QStringList got;
        auto collect = [&](const auto& list) {
            for (ComponentCategory c : list) {
                got << QString::fromLatin1(categoryInfo(c).code);
            }
        };
        if (order == "canonical") {
            collect(canonicalOrder());
        } else if (order == "tab") {
            collect(tabOrder());
        } else if (order == "file") {
            collect(fileOrder());
        } else {
            collect(startupBrandOrder());
        }
        QCOMPARE(got.join(' '), codes);
    }

    void tabPagesFollowTabOrder() {
        int page = 1;
        for (ComponentCategory c : tabOrder()) {
            QCOMPARE(categoryInfo(c).tabPage, page++);
        }
        int position = 0;
        for (ComponentCategory c : canonicalOrder()) {
            QCOMPARE(categoryInfo(c).canonicalPosition, position++);
        }
    }

    void controlNamesAreDistinct() {
        // A duplicate name would make a window find the wrong control.
        QSet<QString> mainNames;
        QSet<QString> editorNames;
        for (ComponentCategory c : canonicalOrder()) {
            const CategoryInfo& i = categoryInfo(c);
            for (const char* n : {i.brandList, i.modelList, i.pictureLabel, i.modelLabel, i.priceLabel,
                                  i.warrantyLabel}) {
                if (*n == 0) {
                    continue;
                }
                QVERIFY2(!mainNames.contains(QString::fromUtf8(n)), n);
                mainNames.insert(QString::fromUtf8(n));
            }
            for (const char* n : {i.lineLabelName, i.modelLabel, i.priceLabel, i.warrantyLabel, i.quantityBox,
                                  i.retailBox}) {
                QVERIFY2(!editorNames.contains(QString::fromUtf8(n)), n);
                editorNames.insert(QString::fromUtf8(n));
            }
        }
        QCOMPARE(QString::fromUtf8(categoryInfo(ComponentCategory::Cpu).brandList), QString());
        QCOMPARE(QString::fromUtf8(categoryInfo(ComponentCategory::Dy).pictureLabel), QString("标签9"));
    }

    void documentLabelsHaveTheirByteLengths() {
        for (ComponentCategory c : canonicalOrder()) {
            const CategoryInfo& i = categoryInfo(c);
            QCOMPARE(gbk(i.fileLabel).size(), 8);
            const qsizetype copyBytes = (c == ComponentCategory::Xsq || c == ComponentCategory::Srq) ? 8
                                        : c == ComponentCategory::Cpu                                 ? 5
                                                                                                      : 6;
            QCOMPARE(gbk(i.copyLabel).size(), copyBytes);
            QVERIFY(gbk(i.lineLabelText).startsWith(' '));
            QCOMPARE(gbk(i.lineLabelText).mid(1), gbk(i.summaryLabel));
        }
    }

    void selectionSetReplacesOnlyItsCategory() {
        SelectionState state;
        for (ComponentCategory c : canonicalOrder()) {
            QVERIFY(state.get(c).isEmpty());
        }
        state.set(ComponentCategory::Xk, "RTX 4060", "2399", "3年");
        state.set(ComponentCategory::Cpu, "i5", "", "");
        state.set(ComponentCategory::Xk, "RX 7600", "1999", "");
        QCOMPARE(state.get(ComponentCategory::Xk), (PartChoice{"RX 7600", "1999", ""}));
        QCOMPARE(state.get(ComponentCategory::Cpu), (PartChoice{"i5", "", ""}));
        for (ComponentCategory c : canonicalOrder()) {
            if (c != ComponentCategory::Xk && c != ComponentCategory::Cpu) {
                QVERIFY(state.get(c).isEmpty());
            }
        }
        state.clear(ComponentCategory::Xk);
        QVERIFY(state.get(ComponentCategory::Xk).isEmpty());
        QCOMPARE(state.get(ComponentCategory::Cpu).modelText, QByteArray("i5"));
    }

    void selectionKeepsBytesThatAreNotGbk() {
        SelectionState state;
        const QByteArray odd("\x81\x20\xff\x00z", 5);
        state.set(ComponentCategory::Yx, odd, odd, odd);
        QCOMPARE(state.get(ComponentCategory::Yx).modelText, odd);
    }
};

QTEST_GUILESS_MAIN(TestCategories)
#include "tst_categories.moc"
