#include "quote/quote_documents.h"

#include "model/gbk.h"

namespace velnor {

namespace {

const QByteArray kCrLf("\r\n");
const QByteArray kShortRule(33, '-');
const QByteArray kLongRule(60, '-');

// The two three-character copy labels are already wide enough to reach the next tab stop.
bool copyLabelTakesTab(ComponentCategory c) {
    return c != ComponentCategory::Xsq && c != ComponentCategory::Srq;
}

const QByteArray& priceOf(DocumentKind kind, const QuoteLine& line) {
    return kind == DocumentKind::RetailList ? line.retailPrice : line.costPrice;
}

const QByteArray& totalOf(DocumentKind kind, const QuoteSheet& sheet) {
    return kind == DocumentKind::RetailList ? sheet.retailTotal : sheet.costTotal;
}

void appendFooter(QByteArray& out, const ShopFooter& footer) {
    out += footer.companyName + kCrLf;
    out += gbk("电话:") + footer.phone + kCrLf;
    out += gbk("传真:") + footer.fax + kCrLf;
    out += footer.web + kCrLf;
    out += gbk("地址:") + footer.address + ' ' + footer.directions + kCrLf;
    out += kLongRule;
}

} // namespace

ShopFooter shopFooterFrom(const Deployment& deployment) {
    return ShopFooter{deployment.shopName, deployment.shopPhone,   deployment.shopFax,
                      deployment.shopWeb,  deployment.shopAddress, deployment.shopDirections};
}

QByteArray renderCopyLayout(DocumentKind kind, const QuoteSheet& sheet) {
    QByteArray out;
    for (ComponentCategory c : canonicalOrder()) {
        const QuoteLine& line = sheet.line(c);
        out += gbk(categoryInfo(c).copyLabel);
        if (copyLabelTakesTab(c)) {
            out += '\t';
        }
        out += line.quantity + "X " + priceOf(kind, line) + '\t' + line.model + kCrLf;
    }
    out += gbk("以上清单总价：") + totalOf(kind, sheet);
    return out;
}

QByteArray renderFileLayout(DocumentKind kind, const QuoteSheet& sheet, const ShopFooter& footer) {
    QByteArray out;
    if (kind == DocumentKind::FullList) {
        out += gbk("数量\t成本单价\t零售单价\t保修\t\t型号") + kCrLf;
        for (ComponentCategory c : fileOrder()) {
            const QuoteLine& line = sheet.line(c);
            out += line.quantity + '\t' + line.costPrice + '\t' + line.retailPrice + '\t' + line.warranty + '\t' +
                   gbk(categoryInfo(c).fileLabel) + line.model + kCrLf;
        }
        out += kShortRule + kCrLf;
        out += gbk("以上成本价格合计（报价不含税）：￥") + sheet.costTotal + kCrLf;
        out += gbk("以上零售价格合计（报价不含税）：￥") + sheet.retailTotal + kCrLf;
        out += gbk("以上的配件利润是（报价不含税）：￥") + sheet.profit + kCrLf;
    } else {
        for (ComponentCategory c : fileOrder()) {
            const QuoteLine& line = sheet.line(c);
            out += line.quantity + '*' + priceOf(kind, line) + '\t' + line.warranty + '\t' +
                   gbk(categoryInfo(c).fileLabel) + line.model + kCrLf;
        }
        out += kShortRule + kCrLf;
        out += gbk("以上价格合计：￥") + totalOf(kind, sheet) + gbk("该报价不含税") + kCrLf;
    }
    out += kShortRule + kCrLf;
    appendFooter(out, footer);
    return out;
}

} // namespace velnor
