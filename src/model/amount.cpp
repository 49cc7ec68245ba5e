#include "model/amount.h"

#include "model/gbk.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace velnor {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Two-byte GBK characters, converted once (thread-safe static initialisation, read-only afterwards).
struct CapitalGlyphs {
    std::array<QByteArray, 10> digits;
    std::array<QByteArray, 12> units; // positions 3 (tens of yuan) to 14
    QByteArray yuan, jiao, fen, whole, negative, wan, yi, overflow;

    CapitalGlyphs() {
        const QString digitChars = QStringLiteral(u"零壹贰叁肆伍陆柒捌玖");
        const QString unitChars = QStringLiteral(u"拾佰仟万拾佰仟亿拾佰仟万");
        for (int i = 0; i < 10; ++i)
            digits[i] = toGbk(QStringView(digitChars).mid(i, 1));
        for (int i = 0; i < 12; ++i)
            units[i] = toGbk(QStringView(unitChars).mid(i, 1));
        yuan = gbk("元");
        jiao = gbk("角");
        fen = gbk("分");
        whole = gbk("整");
        negative = gbk("负");
        wan = gbk("万");
        yi = gbk("亿");
        overflow = gbk("溢出");
    }
};

const CapitalGlyphs& glyphs() {
    static const CapitalGlyphs g;
    return g;
}

// Rough power of ten of a plain decimal text ("123.4e5" gives 8), saturating; only its sign is used.
long long decimalMagnitude(const std::string& clean) {
    const size_t ePos = clean.find('e');
    const size_t mantissaEnd = ePos == std::string::npos ? clean.size() : ePos;
    long long magnitude = 0;
    bool significant = false;
    bool afterPoint = false;
    for (size_t k = 0; k < mantissaEnd && !(afterPoint && significant); ++k) {
        const char c = clean[k];
        if (c == '.') {
            afterPoint = true;
        } else if (c != '0' || significant) {
            significant = true;
            if (!afterPoint)
                ++magnitude;
        } else if (afterPoint) {
            --magnitude;
        }
    }
    if (!significant)
        return 0;
    long long exponent = 0;
    if (ePos != std::string::npos) {
        size_t k = ePos + 1;
        const bool expNegative = k < clean.size() && clean[k] == '-';
        if (expNegative)
            ++k;
        for (; k < clean.size(); ++k)
            exponent = exponent * 10 + (clean[k] - '0'); // at most nine digits
        if (expNegative)
            exponent = -exponent;
    }
    return magnitude + exponent;
}

// Both readings of a folded text start alike: leading white space, then an optional sign.
const char* skipSpaceAndSign(const char* p, const char* end, bool& negative) {
    while (p < end && isSpace(*p))
        ++p;
    negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    return p;
}

} // namespace

QByteArray FoldFullWidth(QByteArrayView text) {
    QByteArray out;
    out.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.append(static_cast<char>(lead));
            continue;
        }
        if (i + 1 >= size)
            break; // a lead byte cut off at the end is dropped
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out.append(static_cast<char>(trail - 0x80));
        } else if (lead == 0xA1 && trail == 0xA1) {
            out.append(' ');
        } else if (lead == 0xA1 && trail == 0xAB) {
            out.append('~');
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            out.append('*');
        } else {
            out.append(static_cast<char>(lead));
            out.append(static_cast<char>(trail));
        }
    }
    return out;
}

double TextToNumber(QByteArrayView text) {
    const QByteArray folded = FoldFullWidth(text);
    const char* const end = folded.constData() + folded.size();
    bool negative = false;
    const char* p = skipSpaceAndSign(folded.constData(), end, negative);

    // Mantissa: digits with at most one point, at least one digit.
    const char* const mantissaStart = p;
    int digitCount = 0;
    bool seenPoint = false;
    for (; p < end; ++p) {
        if (isDigit(*p))
            ++digitCount;
        else if (*p == '.' && !seenPoint)
            seenPoint = true;
        else
            break;
    }
    if (digitCount == 0)
        return 0;
    const char* const mantissaEnd = p;

    // Exponent: only when a digit follows the letter and its optional sign.
    const char* exponentDigits = nullptr;
    const char* exponentEnd = nullptr;
    bool exponentNegative = false;
    if (p < end && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
        const char* q = p + 1;
        bool sign = false;
        if (q < end && (*q == '+' || *q == '-')) {
            sign = *q == '-';
            ++q;
        }
        if (q < end && isDigit(*q)) {
            exponentNegative = sign;
            exponentDigits = q;
            while (q < end && isDigit(*q))
                ++q;
            exponentEnd = q;
        }
    }

    // Only the validated prefix, rebuilt in a form std::from_chars takes (no sign, no bare point, 'e').
    std::string clean; // short prices fit its inline buffer
    if (*mantissaStart == '.')
        clean.push_back('0');
    clean.append(mantissaStart, mantissaEnd);
    if (clean.back() == '.')
        clean.pop_back();
    if (exponentDigits) {
        while (exponentDigits + 1 < exponentEnd && *exponentDigits == '0')
            ++exponentDigits;
        clean.push_back('e');
        if (exponentNegative)
            clean.push_back('-');
        // Beyond nine digits the value is 0 or infinite for any text that fits in memory.
        if (exponentEnd - exponentDigits > 9)
            clean.append("999999999");
        else
            clean.append(exponentDigits, exponentEnd);
    }

    double value = 0;
    const auto [ptr, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value untouched here; the decimal magnitude says which way it went.
        value = decimalMagnitude(clean) > 0 ? HUGE_VAL : 0.0;
    } else if (ec != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
}

int32_t TextToInteger(QByteArrayView text) {
    const QByteArray folded = FoldFullWidth(text);
    const char* const end = folded.constData() + folded.size();
    bool negative = false;
    const char* p = skipSpaceAndSign(folded.constData(), end, negative);
    uint32_t value = 0; // wraps modulo 2^32 by definition
    for (; p < end && isDigit(*p); ++p)
        value = value * 10u + static_cast<uint32_t>(*p - '0');
    if (negative)
        value = 0u - value;
    return static_cast<int32_t>(value);
}

QByteArray NumberToText(double value) {
    // Infinite and NaN totals only come from overflowing terms; say so, as the capital amount does.
    if (!std::isfinite(value))
        return glyphs().overflow;
    if (value == 0)
        return QByteArrayLiteral("0"); // also for -0

    // Exact decimal value rounded to 17 significant digits: "d.dddddddddddddddde±xx".
    char sci[40];
    const auto [sciEnd, ec] = std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 16);
    if (ec != std::errc())
        return QByteArrayLiteral("0");
    char digits[17];
    digits[0] = sci[0];
    for (int k = 1; k < 17; ++k)
        digits[k] = sci[k + 1];
    int exponent = 0;
    {
        const char* e = sci + 19; // after 'e'
        const bool expNegative = *e == '-';
        ++e;
        for (; e < sciEnd; ++e)
            exponent = exponent * 10 + (*e - '0');
        if (expNegative)
            exponent = -exponent;
    }

    // Cut after the 13th digit, half up on the 14th.
    if (digits[13] >= '5') {
        int k = 12;
        while (k >= 0 && digits[k] == '9')
            digits[k--] = '0';
        if (k >= 0) {
            ++digits[k];
        } else {
            digits[0] = '1';
            ++exponent;
        }
    }
    int last = 12; // last significant digit kept after dropping trailing zeros
    while (last > 0 && digits[last] == '0')
        --last;

    QByteArray out;
    out.reserve(24);
    if (value < 0)
        out.append('-');
    if (exponent >= -4 && exponent <= 12) {
        if (exponent >= 0) {
            out.append(digits, exponent + 1);
            if (last > exponent) {
                out.append('.');
                out.append(digits + exponent + 1, last - exponent);
            }
        } else {
            out.append("0.");
            out.append(QByteArray(-exponent - 1, '0'));
            out.append(digits, last + 1);
        }
    } else {
        out.append(digits[0]);
        if (last > 0) {
            out.append('.');
            out.append(digits + 1, last);
        }
        out.append('e');
        out.append(exponent < 0 ? '-' : '+');
        const int magnitude = exponent < 0 ? -exponent : exponent;
        char expText[8];
        const auto [expEnd, expEc] = std::to_chars(expText, expText + sizeof expText, magnitude);
        (void)expEc;
        for (auto width = expEnd - expText; width < 3; ++width)
            out.append('0');
        out.append(expText, expEnd - expText);
    }
    return out;
}

QByteArray AmountInCapitals(double amount) {
    const CapitalGlyphs& g = glyphs();
    if (std::isnan(amount))
        return g.overflow; // only an overflowing sum yields NaN
    const bool negative = amount < 0;
    const double a = std::fabs(amount);

    // Whole fen, rounded half up after a nudge that makes 1.005 count as 100.5 fen.
    const double scaled = a * 100;
    const double y = scaled + 1e-12;
    double whole = std::floor(y);
    if (y - whole >= 0.5)
        whole += 1;
    if (!(whole <= 999999999999999.0))
        return g.overflow; // also infinity; checked before converting to an integer
    auto n = static_cast<uint64_t>(whole);
    if (n == 0)
        return g.digits[0];

    // Built from the right; at most 15 digits with a unit each plus a few markers.
    std::array<const QByteArray*, 64> pieces;
    size_t count = 0;
    auto put = [&](const QByteArray& piece) { pieces[count++] = &piece; };

    if (n % 10 == 0)
        put(g.whole);
    enum class ZeroState { None, Digit, Zero } zeroState = ZeroState::None;
    bool yuanDone = false;
    bool groupDone = false;
    for (int i = 0; n > 0; ++i, n /= 10) {
        const auto d = static_cast<int>(n % 10);
        if (i == 6 || i == 10)
            groupDone = false;
        if (d == 0) {
            if (zeroState == ZeroState::Digit) {
                put(g.digits[0]);
                zeroState = ZeroState::Zero;
            }
            continue;
        }
        zeroState = ZeroState::Digit;
        if (i == 0) {
            put(g.fen);
        } else if (i == 1) {
            put(g.jiao);
        } else {
            if (!yuanDone) {
                put(g.yuan);
                yuanDone = true;
            }
            if (!groupDone && i >= 6) {
                if (i >= 7 && i <= 9)
                    put(g.wan);
                else if (i >= 11)
                    put(g.yi);
                groupDone = true;
            }
            if (i >= 3)
                put(g.units[static_cast<size_t>(i - 3)]);
        }
        put(g.digits[static_cast<size_t>(d)]);
    }
    if (negative)
        put(g.negative);

    QByteArray out;
    out.reserve(static_cast<qsizetype>(count) * 2 + 2);
    while (count > 0)
        out.append(*pieces[--count]);
    return out;
}

} // namespace velnor
