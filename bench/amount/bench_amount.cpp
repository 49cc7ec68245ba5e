// ns per call of the amount conversions beside snprintf("%.13g") and strtod on the same inputs.
#include "model/amount.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

using namespace velnor;

namespace {

volatile double g_sinkDouble = 0;
volatile size_t g_sinkSize = 0;

// Best of several passes: the machine is shared, and the fastest pass is the least disturbed one.
template <typename Body> double nsPerCall(size_t calls, Body body) {
    body(); // warm up
    double best = 0;
    for (int pass = 0; pass < 7; ++pass) {
        const auto start = std::chrono::steady_clock::now();
        body();
        const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
        if (pass == 0 || ns < best)
            best = ns;
    }
    return best / static_cast<double>(calls);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    // What the windows convert: catalogue prices, quantities, sums of a dozen lines, profits, some odd texts.
    std::mt19937_64 rng(42);
    std::vector<double> values;
    for (int k = 0; k < 4000; ++k) {
        const double price = static_cast<double>(rng() % 2000000) / 100;
        switch (k % 4) {
        case 0:
            values.push_back(static_cast<double>(rng() % 9000 + 10));
            break;
        case 1:
            values.push_back(price);
            break;
        case 2: {
            double sum = 0;
            for (int line = 0; line < 12; ++line)
                sum += static_cast<double>(rng() % 500000) / 100 * static_cast<double>(rng() % 3 + 1);
            values.push_back(sum);
            break;
        }
        default:
            values.push_back(price * 1.13 - static_cast<double>(rng() % 10000) / 7);
        }
    }
    std::vector<QByteArray> texts;
    for (double v : values)
        texts.push_back(NumberToText(v));
    const size_t n = values.size();
    const size_t calls = n * static_cast<size_t>(rounds);

    const double numberToText = nsPerCall(calls, [&] {
        size_t total = 0;
        for (int r = 0; r < rounds; ++r)
            for (double v : values)
                total += static_cast<size_t>(NumberToText(v).size());
        g_sinkSize = g_sinkSize + total;
    });
    const double printf13 = nsPerCall(calls, [&] {
        size_t total = 0;
        char buf[40];
        for (int r = 0; r < rounds; ++r)
            for (double v : values)
                total += static_cast<size_t>(std::snprintf(buf, sizeof buf, "%.13g", v));
        g_sinkSize = g_sinkSize + total;
    });
    const double printf13ToQByteArray = nsPerCall(calls, [&] {
        size_t total = 0;
        char buf[40];
        for (int r = 0; r < rounds; ++r)
            for (double v : values) {
                const int len = std::snprintf(buf, sizeof buf, "%.13g", v);
                total += static_cast<size_t>(QByteArray(buf, len).size());
            }
        g_sinkSize = g_sinkSize + total;
    });
    const double textToNumber = nsPerCall(calls, [&] {
        double total = 0;
        for (int r = 0; r < rounds; ++r)
            for (const QByteArray& t : texts)
                total += TextToNumber(t);
        g_sinkDouble = g_sinkDouble + total;
    });
    const double strtodTime = nsPerCall(calls, [&] {
        double total = 0;
        for (int r = 0; r < rounds; ++r)
            for (const QByteArray& t : texts)
                total += std::strtod(t.constData(), nullptr);
        g_sinkDouble = g_sinkDouble + total;
    });
    const double capitals = nsPerCall(calls, [&] {
        size_t total = 0;
        for (int r = 0; r < rounds; ++r)
            for (double v : values)
                total += static_cast<size_t>(AmountInCapitals(v).size());
        g_sinkSize = g_sinkSize + total;
    });

    std::printf("%zu inputs x %d rounds, best of 7 passes\n", n, rounds);
    std::printf("NumberToText            %8.1f ns/call\n", numberToText);
    std::printf("snprintf %%.13g          %8.1f ns/call\n", printf13);
    std::printf("snprintf %%.13g+QByteArray %6.1f ns/call\n", printf13ToQByteArray);
    std::printf("TextToNumber            %8.1f ns/call\n", textToNumber);
    std::printf("strtod                  %8.1f ns/call\n", strtodTime);
    std::printf("AmountInCapitals        %8.1f ns/call\n", capitals);
    return 0;
}
