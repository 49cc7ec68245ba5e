#include "quote/print_layout.h"

#include "model/gbk.h"

namespace velnor {

namespace {

constexpr int kHeaderY = 40;
constexpr int kFirstRowY = 100;
constexpr int kRowStep = 60;
constexpr int kLeftX = 40;

struct Columns {
    int costPrice;   // -1: not printed
    int retailPrice; // -1: not printed
    int warranty;
    int model;
};

Columns columnsOf(PrintoutKind kind) {
    switch (kind) {
    case PrintoutKind::Cost:
        return {140, -1, 300, 450};
    case PrintoutKind::Retail:
        return {-1, 140, 300, 450};
    case PrintoutKind::Full:
        break;
    }
    return {140, 300, 460, 600};
}

void appendHeader(std::vector<PrintItem>& out, PrintoutKind kind, bool withExtraInfo) {
    out.push_back({kLeftX, kHeaderY, gbk("数量")});
    if (kind == PrintoutKind::Full) {
        out.push_back({140, kHeaderY, gbk("成本价")});
        out.push_back({300, kHeaderY, gbk("零售价")});
        out.push_back({460, kHeaderY, gbk("保修")});
        out.push_back({900, kHeaderY, gbk("型号")});
        return;
    }
    // The cost printout names its column only when the shop's details go on the page too.
    const bool costCaption = kind == PrintoutKind::Cost && withExtraInfo;
    out.push_back({140, kHeaderY, gbk(costCaption ? "成本价" : "价格")});
    out.push_back({300, kHeaderY, gbk("保修")});
    out.push_back({650, kHeaderY, gbk("型号")});
}

} // namespace

std::vector<PrintItem> printLayout(PrintoutKind kind, const QuoteSheet& sheet, bool withExtraInfo,
                                   const std::array<QByteArray, 5>& extraInfo) {
    std::vector<PrintItem> out;
    appendHeader(out, kind, withExtraInfo);

    const Columns cols = columnsOf(kind);
    int y = kFirstRowY;
    for (ComponentCategory c : fileOrder()) {
        const QuoteLine& line = sheet.line(c);
        out.push_back({kLeftX, y, line.quantity});
        if (cols.costPrice >= 0) {
            out.push_back({cols.costPrice, y, line.costPrice});
        }
        if (cols.retailPrice >= 0) {
            out.push_back({cols.retailPrice, y, line.retailPrice});
        }
        out.push_back({cols.warranty, y, line.warranty});
        out.push_back({cols.model, y, gbk(categoryInfo(c).fileLabel) + line.model});
        y += kRowStep;
    }

    int extraY = 900;
    if (kind == PrintoutKind::Full) {
        out.push_back({kLeftX, 820, gbk("成本价合计(不含税)：￥") + sheet.costTotal});
        out.push_back({kLeftX, 880, gbk("零售价合计(不含税)：￥") + sheet.retailTotal});
        out.push_back({kLeftX, 940, gbk("以上的利润(不含税)：￥") + sheet.profit});
        extraY = 1020;
    } else {
        const QByteArray& total = kind == PrintoutKind::Cost ? sheet.costTotal : sheet.retailTotal;
        out.push_back({kLeftX, 820, gbk("以上价格合计：￥") + total + gbk("（该报价不含税）")});
    }

    if (withExtraInfo) {
        for (const QByteArray& text : extraInfo) {
            out.push_back({kLeftX, extraY, text});
            extraY += kRowStep;
        }
    }
    return out;
}

} // namespace velnor
