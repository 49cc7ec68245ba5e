#include "model/amount.h"
#include "model/gbk.h"

#include <QTest>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace velnor;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

bool sameDouble(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

QByteArray describe(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// Independent reference for "rounded to 13 significant digits": the 17-digit mantissa as an integer,
// rounded half up by integer arithmetic, read back as the nearest double.
struct Rounded13 {
    double value = 0;
    bool tailIsHalf = false; // 14th to 17th digits exactly 5000: where exact rounding may disagree
};

Rounded13 roundTo13(double v) {
    Rounded13 r;
    if (v == 0)
        return r;
    char sci[64];
    std::snprintf(sci, sizeof sci, "%.16e", std::fabs(v));
    uint64_t mantissa = 0;
    const char* p = sci;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    const int exponent = std::atoi(p + 1);
    uint64_t q = mantissa / 10000;
    const uint64_t tail = mantissa % 10000;
    if (tail >= 5000)
        ++q;
    r.tailIsHalf = tail == 5000;
    const std::string text = std::to_string(q) + "e" + std::to_string(exponent - 12);
    double parsed = 0;
    std::from_chars(text.data(), text.data() + text.size(), parsed);
    r.value = v < 0 ? -parsed : parsed;
    return r;
}

double viaPrintf13(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.13g", v);
    return std::strtod(buf, nullptr);
}

} // namespace

class TestAmount : public QObject {
    Q_OBJECT

private slots:
    // First slot on purpose: the shared character tables are built on first use, here from several threads.
    void concurrentFirstUse() {
        const std::vector<double> amounts = {0, 0.5, 3588, 12345.67, -1234.5, 1e13, 100100};
        const std::vector<QByteArray> words = {gbk("零"),
                                               gbk("伍角整"),
                                               gbk("叁仟伍佰捌拾捌元整"),
                                               gbk("壹万贰仟叁佰肆拾伍元陆角柒分"),
                                               gbk("负壹仟贰佰叁拾肆元伍角整"),
                                               gbk("溢出"),
                                               gbk("壹拾万零壹佰元整")};
        std::vector<int> failures(4, 0);
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&, t] {
                for (int round = 0; round < 200; ++round) {
                    for (size_t k = 0; k < amounts.size(); ++k)
                        if (AmountInCapitals(amounts[k]) != words[k])
                            ++failures[t];
                    if (NumberToText(0.1 + 0.2) != "0.3" || TextToNumber("12.5") != 12.5)
                        ++failures[t];
                }
            });
        }
        for (auto& th : threads)
            th.join();
        for (int f : failures)
            QCOMPARE(f, 0);
    }

    void foldFullWidth_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("folded");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("ascii unchanged") << QByteArray("abc 12.5~*") << QByteArray("abc 12.5~*");
        QTest::newRow("NUL bytes kept") << QByteArray("1\0002", 3) << QByteArray("1\0002", 3);
        QTest::newRow("full-width digits") << gbk("０１２３４５６７８９") << QByteArray("0123456789");
        QTest::newRow("full-width point plus minus") << gbk("．＋－") << QByteArray(".+-");
        QTest::newRow("full-width letters") << gbk("ＡｚＥｄ") << QByteArray("AzEd");
        QTest::newRow("full-width yen folds by position") << bytes({0xA3, 0xA4}) << QByteArray("$");
        QTest::newRow("row A3 first and last") << bytes({0xA3, 0xA1, 0xA3, 0xFE}) << QByteArray("!~");
        QTest::newRow("row A3 outside A1..FE unchanged")
            << bytes({0xA3, 0xA0, 0xA3, 0xFF}) << bytes({0xA3, 0xA0, 0xA3, 0xFF});
        QTest::newRow("ideographic space") << gbk("　") << QByteArray(" ");
        QTest::newRow("A1AB tilde") << bytes({0xA1, 0xAB}) << QByteArray("~");
        QTest::newRow("two stars") << bytes({0xA1, 0xEE, 0xA1, 0xEF}) << QByteArray("**");
        QTest::newRow("other A1 unchanged")
            << bytes({0xA1, 0xA2, 0xA1, 0xED, 0xA1, 0xF0}) << bytes({0xA1, 0xA2, 0xA1, 0xED, 0xA1, 0xF0});
        QTest::newRow("chinese unchanged") << gbk("12.5元") << gbk("12.5元");
        QTest::newRow("lone trailing lead byte dropped") << bytes({'1', '2', 0xA3}) << QByteArray("12");
        QTest::newRow("lead byte takes ASCII trail") << bytes({0x81, '1', '2'}) << bytes({0x81, '1', '2'});
        QTest::newRow("lead byte takes NUL trail") << bytes({0xA3, 0x00, '7'}) << bytes({0xA3, 0x00, '7'});
        QTest::newRow("pairs stay aligned") << bytes({0xA3, 0xA3, 0xB1}) << QByteArray("#");
    }
    void foldFullWidth() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, folded);
        QCOMPARE(FoldFullWidth(text), folded);
    }

    void textToNumber_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("empty") << QByteArray() << 0.0;
        QTest::newRow("abc") << QByteArray("abc") << 0.0;
        QTest::newRow("lone minus") << QByteArray("-") << 0.0;
        QTest::newRow("lone plus") << QByteArray("+") << 0.0;
        QTest::newRow("lone point") << QByteArray(".") << 0.0;
        QTest::newRow("sign point") << QByteArray("-.e5") << 0.0;
        QTest::newRow("only spaces") << QByteArray(" \t ") << 0.0;
        QTest::newRow("two leading spaces") << QByteArray("  12.5") << 12.5;
        QTest::newRow("all white space kinds") << QByteArray("\t\n\v\f\r 12.5") << 12.5;
        QTest::newRow("ideographic space") << gbk("　12.5") << 12.5;
        QTest::newRow("12.5 yuan") << gbk("12.5元") << 12.5;
        QTest::newRow("full-width digits and point") << gbk("１２．５") << 12.5;
        QTest::newRow("full-width minus") << gbk("－３") << -3.0;
        QTest::newRow("thousands separator ends") << QByteArray("1,299") << 1.0;
        QTest::newRow("1e3") << QByteArray("1e3") << 1000.0;
        QTest::newRow("1d3") << QByteArray("1d3") << 1000.0;
        QTest::newRow("1D-2") << QByteArray("1D-2") << 0.01;
        QTest::newRow("1E+2") << QByteArray("1E+2") << 100.0;
        QTest::newRow("full-width exponent") << gbk("１ｅ２") << 100.0;
        QTest::newRow(".5") << QByteArray(".5") << 0.5;
        QTest::newRow("5.") << QByteArray("5.") << 5.0;
        QTest::newRow("-5.e1") << QByteArray("-5.e1") << -50.0;
        QTest::newRow("+7") << QByteArray("+7") << 7.0;
        QTest::newRow("full-width yen first") << gbk("￥12") << 0.0;
        QTest::newRow("exponent letter alone") << QByteArray("1e") << 1.0;
        QTest::newRow("exponent letter and sign") << QByteArray("1e+") << 1.0;
        QTest::newRow("exponent letter then text") << QByteArray("2.5dx") << 2.5;
        QTest::newRow("second point ends") << QByteArray("1.2.3") << 1.2;
        QTest::newRow("double sign") << QByteArray("--5") << 0.0;
        QTest::newRow("space after sign") << QByteArray("- 5") << 0.0;
        QTest::newRow("no hex") << QByteArray("0x1A") << 0.0;
        QTest::newRow("no inf") << QByteArray("inf") << 0.0;
        QTest::newRow("no infinity") << QByteArray("-Infinity") << 0.0;
        QTest::newRow("no nan") << QByteArray("nan") << 0.0;
        QTest::newRow("NUL ends") << QByteArray("12.5\0007", 6) << 12.5;
        QTest::newRow("NUL is not white space") << QByteArray("\00012", 3) << 0.0;
        QTest::newRow("nearest double 0.1") << QByteArray("0.1") << 0.1;
        QTest::newRow("many digits") << QByteArray("12345678901234567890") << 12345678901234567890.0;
        QTest::newRow("smallest normal") << QByteArray("2.2250738585072014e-308") << DBL_MIN;
        QTest::newRow("denormal") << QByteArray("4.9e-324") << std::numeric_limits<double>::denorm_min();
        QTest::newRow("overflow") << QByteArray("1e400") << inf;
        QTest::newRow("negative overflow") << QByteArray("-1d400") << -inf;
        QTest::newRow("underflow") << QByteArray("1e-400") << 0.0;
        QTest::newRow("negative underflow") << QByteArray("-1e-400") << -0.0;
        QTest::newRow("huge exponent") << QByteArray("1e99999999999999999999") << inf;
        QTest::newRow("huge negative exponent") << QByteArray("1e-99999999999999999999") << 0.0;
        QTest::newRow("exponent leading zeros") << QByteArray("1e0000000000000000000002") << 100.0;
        QTest::newRow("zeros then digit underflow") << QByteArray("0." + QByteArray(400, '0') + "1") << 0.0;
        QTest::newRow("many digits overflow") << QByteArray("1" + QByteArray(400, '0')) << inf;
        QTest::newRow("leading zeros against exponent") << QByteArray("0." + QByteArray(330, '0') + "1e400") << 1e69;
        QTest::newRow("trailing zeros against exponent") << QByteArray("1" + QByteArray(400, '0') + "e-400") << 1.0;
        QTest::newRow("negative zero") << QByteArray("-0") << -0.0;
    }
    void textToNumber() {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        const double actual = TextToNumber(text);
        QVERIFY2(sameDouble(actual, value), describe(actual) + " != " + describe(value));
    }

    void textToInteger_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("1433") << QByteArray("1433") << 1433;
        QTest::newRow("full-width 1433") << gbk("１４３３") << 1433;
        QTest::newRow("point ends") << QByteArray("1433.9") << 1433;
        QTest::newRow("-5") << QByteArray("-5") << -5;
        QTest::newRow("+7") << QByteArray("+7") << 7;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("abc") << QByteArray("abc") << 0;
        QTest::newRow("lone minus") << QByteArray("-") << 0;
        QTest::newRow("space after sign") << QByteArray("- 5") << 0;
        QTest::newRow("leading white space") << QByteArray(" \t42x") << 42;
        QTest::newRow("ideographic space") << gbk("　８") << 8;
        QTest::newRow("exponent not read") << QByteArray("1e3") << 1;
        QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
        QTest::newRow("2^31 wraps to the smallest") << QByteArray("2147483648") << std::numeric_limits<int>::min();
        QTest::newRow("smallest") << QByteArray("-2147483648") << std::numeric_limits<int>::min();
        QTest::newRow("2^32-1 is -1") << QByteArray("4294967295") << -1;
        QTest::newRow("2^32+1 is 1") << QByteArray("4294967297") << 1;
        QTest::newRow("minus (2^32-1) is 1") << QByteArray("-4294967295") << 1;
        QTest::newRow("twenty nines mod 2^32") << QByteArray("99999999999999999999") << 1661992959;
        QTest::newRow("leading zeros") << QByteArray("000000000000000000001433") << 1433;
    }
    void textToInteger() {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        QCOMPARE(TextToInteger(text), value);
    }

    void numberToText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("3588") << 3588.0 << QByteArray("3588");
        QTest::newRow("1234.5") << 1234.5 << QByteArray("1234.5");
        QTest::newRow("100.0") << 100.0 << QByteArray("100");
        QTest::newRow("0.1+0.2") << 0.1 + 0.2 << QByteArray("0.3");
        QTest::newRow("99.99*3") << 99.99 * 3 << QByteArray("299.97");
        QTest::newRow("-12.5") << -12.5 << QByteArray("-12.5");
        QTest::newRow("1/3") << 1.0 / 3 << QByteArray("0.3333333333333");
        QTest::newRow("0.0001") << 0.0001 << QByteArray("0.0001");
        QTest::newRow("0.00001") << 0.00001 << QByteArray("1e-005");
        QTest::newRow("1234567890123.4") << 1234567890123.4 << QByteArray("1234567890123");
        QTest::newRow("1e13") << 1e13 << QByteArray("1e+013");
        QTest::newRow("12345678901234.5") << 12345678901234.5 << QByteArray("1.234567890123e+013");
        QTest::newRow("zero") << 0.0 << QByteArray("0");
        QTest::newRow("negative zero") << -0.0 << QByteArray("0");
        QTest::newRow("1e12 plain") << 1e12 << QByteArray("1000000000000");
        QTest::newRow("largest plain with fraction") << 999999999999.9 << QByteArray("999999999999.9");
        QTest::newRow("carry into exponent 13") << 9999999999999.5 << QByteArray("1e+013");
        QTest::newRow("carry through all nines") << 0.99999999999995 << QByteArray("1");
        QTest::newRow("carry turns -5 into -4") << 0.000099999999999995 << QByteArray("0.0001");
        QTest::newRow("small scientific") << 1.5e-7 << QByteArray("1.5e-007");
        QTest::newRow("negative scientific") << -1e-300 << QByteArray("-1e-300");
        QTest::newRow("three-digit exponent") << 1e100 << QByteArray("1e+100");
        QTest::newRow("largest double") << DBL_MAX << QByteArray("1.797693134862e+308");
        QTest::newRow("smallest denormal")
            << std::numeric_limits<double>::denorm_min() << QByteArray("4.940656458412e-324");
        QTest::newRow("-0.0005") << -0.0005 << QByteArray("-0.0005");
    }
    void numberToText() {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(NumberToText(value), text);
    }

    // Values where rounding the 17-digit decimal half up differs from rounding the exact binary value.
    void halfUpAfterSeventeenDigits_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("1000.0000000005 is 1000.000000000499994... exactly, 1000.0000000005000 at 17 digits")
            << 1000.0000000005 << QByteArray("1000.000000001");
        QTest::newRow("281.32524128115 is 281.325241281149999... exactly, 281.32524128115000 at 17 digits")
            << 281.32524128115 << QByteArray("281.3252412812");
        QTest::newRow("12345678901225 is an exact tie: half up, not half even")
            << 12345678901225.0 << QByteArray("1.234567890123e+013");
    }
    void halfUpAfterSeventeenDigits() {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(NumberToText(value), text);
        // The row is only worth keeping while the C conversion really disagrees.
        QVERIFY(viaPrintf13(value) != TextToNumber(text));
        QVERIFY(sameDouble(TextToNumber(text), roundTo13(value).value));
    }

    void roundTripRandom() {
        std::mt19937_64 rng(20261211);
        std::uniform_int_distribution<int64_t> cents(-99999999, 99999999);
        std::uniform_int_distribution<int> quantity(1, 12);
        std::uniform_real_distribution<double> wide(-1e14, 1e14);
        std::uniform_real_distribution<double> unit(0, 1);
        int disagreeWithPrintf = 0;
        for (int k = 0; k < 6000; ++k) {
            double v = 0;
            switch (k % 4) {
            case 0: { // a few prices times quantities, as the totals are built
                for (int term = 0; term < 1 + k % 5; ++term)
                    v += static_cast<double>(cents(rng)) / 100 * quantity(rng);
                break;
            }
            case 1:
                v = wide(rng);
                break;
            case 2:
                v = unit(rng) * std::pow(10.0, static_cast<int>(rng() % 20) - 10);
                break;
            default:
                do {
                    v = std::bit_cast<double>(rng());
                } while (!std::isfinite(v));
            }
            const QByteArray text = NumberToText(v);
            const Rounded13 expected = roundTo13(v);
            const double back = TextToNumber(text);
            QVERIFY2(sameDouble(back, expected.value == 0 ? 0.0 : expected.value),
                     describe(v) + " -> " + text + " -> " + describe(back) + ", expected " + describe(expected.value));
            QVERIFY2(!text.endsWith('.') && !(text.contains('.') && !text.contains('e') && text.endsWith('0')), text);
            if (viaPrintf13(v) != (v == 0 ? 0.0 : expected.value)) {
                // Rounding the exact value can only disagree when the 17-digit tail is exactly half.
                QVERIFY2(expected.tailIsHalf, describe(v));
                ++disagreeWithPrintf;
            }
        }
        qInfo("values where %%.13g rounds differently: %d of 6000", disagreeWithPrintf);
    }

    void sumReadsBackAsDisplayed() {
        const QByteArray text = NumberToText(0.1 + 0.2);
        QCOMPARE(text, QByteArray("0.3"));
        QVERIFY(sameDouble(TextToNumber(text), 0.3));
    }

    void amountInCapitals_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QByteArray>("words");
        QTest::newRow("0") << 0.0 << gbk("零");
        QTest::newRow("0.004") << 0.004 << gbk("零");
        QTest::newRow("0.005") << 0.005 << gbk("壹分");
        QTest::newRow("0.05") << 0.05 << gbk("伍分");
        QTest::newRow("0.5") << 0.5 << gbk("伍角整");
        QTest::newRow("1") << 1.0 << gbk("壹元整");
        QTest::newRow("1.005 nudged up") << 1.005 << gbk("壹元零壹分");
        QTest::newRow("2.05") << 2.05 << gbk("贰元零伍分");
        QTest::newRow("10") << 10.0 << gbk("壹拾元整");
        QTest::newRow("10.01") << 10.01 << gbk("壹拾元零壹分");
        QTest::newRow("10.5") << 10.5 << gbk("壹拾元零伍角整");
        QTest::newRow("101") << 101.0 << gbk("壹佰零壹元整");
        QTest::newRow("1000.5") << 1000.5 << gbk("壹仟元零伍角整");
        QTest::newRow("3588") << 3588.0 << gbk("叁仟伍佰捌拾捌元整");
        QTest::newRow("10001") << 10001.0 << gbk("壹万零壹元整");
        QTest::newRow("12345.67") << 12345.67 << gbk("壹万贰仟叁佰肆拾伍元陆角柒分");
        QTest::newRow("100000") << 100000.0 << gbk("壹拾万元整");
        QTest::newRow("100100") << 100100.0 << gbk("壹拾万零壹佰元整");
        QTest::newRow("10010000") << 10010000.0 << gbk("壹仟零壹万元整");
        QTest::newRow("100000000") << 100000000.0 << gbk("壹亿元整");
        QTest::newRow("101000000") << 101000000.0 << gbk("壹亿零壹佰万元整");
        QTest::newRow("1000000000000") << 1000000000000.0 << gbk("壹万亿元整");
        QTest::newRow("1001000000000") << 1001000000000.0 << gbk("壹万零壹拾亿元整");
        QTest::newRow("9999999999999.99")
            << 9999999999999.99 << gbk("玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分");
        QTest::newRow("10000000000000") << 10000000000000.0 << gbk("溢出");
        QTest::newRow("-1234.5") << -1234.5 << gbk("负壹仟贰佰叁拾肆元伍角整");
        QTest::newRow("-0.001") << -0.001 << gbk("零");
        QTest::newRow("0.125 half up") << 0.125 << gbk("壹角叁分");
        QTest::newRow("negative zero") << -0.0 << gbk("零");
        QTest::newRow("-0.005 rounds away from zero") << -0.005 << gbk("负壹分");
        QTest::newRow("0.1") << 0.1 << gbk("壹角整");
        QTest::newRow("110000 one group mark") << 110000.0 << gbk("壹拾壹万元整");
        QTest::newRow("100010 zero across the group") << 100010.0 << gbk("壹拾万零壹拾元整");
        QTest::newRow("1000000") << 1000000.0 << gbk("壹佰万元整");
        QTest::newRow("100000000000") << 100000000000.0 << gbk("壹仟亿元整");
        QTest::newRow("rounds up to 10^13") << 9999999999999.996 << gbk("溢出");
        QTest::newRow("-10^13 overflows whatever the sign") << -1e13 << gbk("溢出");
        QTest::newRow("1e300") << 1e300 << gbk("溢出");
        QTest::newRow("-1e300") << -1e300 << gbk("溢出");
        QTest::newRow("denormal") << std::numeric_limits<double>::denorm_min() << gbk("零");
    }
    void amountInCapitals() {
        QFETCH(double, amount);
        QFETCH(QByteArray, words);
        QCOMPARE(AmountInCapitals(amount), words);
    }

    // NaN and infinity only come out of overflowing terms; both conversions say "溢出" rather than a number.
    void nonFinite_data() {
        QTest::addColumn<double>("value");
        QTest::newRow("inf") << std::numeric_limits<double>::infinity();
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity();
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("-NaN") << -std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("signalling NaN") << std::numeric_limits<double>::signaling_NaN();
        QTest::newRow("inf - inf") << TextToNumber("1e999") - TextToNumber("1e999");
        QTest::newRow("overflowing text") << TextToNumber("9e999");
    }
    void nonFinite() {
        QFETCH(double, value);
        QCOMPARE(NumberToText(value), gbk("溢出"));
        QCOMPARE(AmountInCapitals(value), gbk("溢出"));
        QCOMPARE(TextToNumber(NumberToText(value)), 0.0);
    }

    // Any bytes and any double go through every conversion; the sanitiser build checks the rest.
    void robustness() {
        std::mt19937 rng(1433);
        const char alphabet[] = "0123456789.+-eEdD \t";
        for (int k = 0; k < 5000; ++k) {
            QByteArray text;
            const int length = static_cast<int>(rng() % 41);
            for (int i = 0; i < length; ++i) {
                const unsigned pick = rng() % 8;
                if (pick < 3)
                    text.append(alphabet[rng() % (sizeof alphabet - 1)]);
                else if (pick == 3)
                    text.append('\0');
                else if (pick == 4)
                    text.append(static_cast<char>(0xA3));
                else if (pick == 5)
                    text.append(static_cast<char>(0xA1));
                else
                    text.append(static_cast<char>(rng() & 0xFF));
            }
            const QByteArray folded = FoldFullWidth(text);
            QVERIFY(folded.size() <= text.size());
            QCOMPARE(FoldFullWidth(folded), folded);
            const double number = TextToNumber(text);
            QVERIFY(!std::isnan(number));
            QVERIFY(sameDouble(number, TextToNumber(folded)));
            QCOMPARE(TextToInteger(text), TextToInteger(folded));
            checkDouble(number);
        }

        std::vector<double> specials = {0.0,
                                        -0.0,
                                        std::numeric_limits<double>::denorm_min(),
                                        -std::numeric_limits<double>::denorm_min(),
                                        DBL_MIN,
                                        DBL_MAX,
                                        -DBL_MAX,
                                        1e300,
                                        -1e300,
                                        1e15,
                                        -1e15,
                                        9.2233720368547758e18,
                                        1.8446744073709552e19,
                                        std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity(),
                                        std::numeric_limits<double>::quiet_NaN(),
                                        -std::numeric_limits<double>::quiet_NaN()};
        std::mt19937_64 bits(7);
        for (int k = 0; k < 3000; ++k)
            specials.push_back(std::bit_cast<double>(bits()));
        for (double v : specials)
            checkDouble(v);
    }

private:
    void checkDouble(double v) {
        const QByteArray text = NumberToText(v);
        QVERIFY(!text.isEmpty());
        if (std::isfinite(v)) {
            QVERIFY2(std::isfinite(TextToNumber(text)), text);
            QVERIFY2(text.size() <= 20, text);
        }
        const QByteArray words = AmountInCapitals(v);
        QVERIFY(!words.isEmpty());
        QCOMPARE(words.size() % 2, 0);
    }
};

QTEST_APPLESS_MAIN(TestAmount)
#include "tst_amount.moc"
