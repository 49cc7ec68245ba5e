// Draws the demo catalogue's model pictures: a card with the category, the brand and the model.
//
// Usage: velnor_demo_pictures OUTPUT_DIR < list
// Each line of the list (UTF-8) is: picture name TAB category code TAB brand TAB model.
// The picture is written to OUTPUT_DIR/<picture name> as a PNG, creating folders as needed.
// Run with QT_QPA_PLATFORM=offscreen; needs the font "Noto Sans CJK SC".

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

struct CategoryLook {
    QString title;
    QColor colour;
};

CategoryLook lookOf(const QString &code)
{
    static const QHash<QString, CategoryLook> looks = {
        {QStringLiteral("zb"), {QStringLiteral("主板"), QColor(0x2e, 0x6d, 0xb4)}},
        {QStringLiteral("cpu"), {QStringLiteral("CPU"), QColor(0x1f, 0x8a, 0x70)}},
        {QStringLiteral("yp"), {QStringLiteral("硬盘"), QColor(0x6a, 0x4c, 0x93)}},
        {QStringLiteral("nc"), {QStringLiteral("内存"), QColor(0xc0, 0x6c, 0x00)}},
        {QStringLiteral("xk"), {QStringLiteral("显卡"), QColor(0x3a, 0x7d, 0x2c)}},
        {QStringLiteral("gq"), {QStringLiteral("光驱"), QColor(0x5d, 0x6d, 0x7e)}},
        {QStringLiteral("jx"), {QStringLiteral("机箱"), QColor(0x34, 0x49, 0x5e)}},
        {QStringLiteral("dy"), {QStringLiteral("电源"), QColor(0xb0, 0x3a, 0x2e)}},
        {QStringLiteral("xsq"), {QStringLiteral("显示器"), QColor(0x1b, 0x4f, 0x72)}},
        {QStringLiteral("js"), {QStringLiteral("键鼠"), QColor(0x7d, 0x3c, 0x98)}},
        {QStringLiteral("srq"), {QStringLiteral("散热器"), QColor(0x11, 0x7a, 0x8b)}},
        {QStringLiteral("yx"), {QStringLiteral("音箱"), QColor(0x9a, 0x7d, 0x0a)}},
    };
    return looks.value(code, {code, QColor(0x55, 0x55, 0x55)});
}

QImage drawCard(const QString &category, const QString &brand, const QString &model)
{
    constexpr int side = 190;
    const CategoryLook look = lookOf(category);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient background(0, 0, 0, side);
    const QColor c = look.colour;
    background.setColorAt(0, QColor((c.red() + 3 * 255) / 4, (c.green() + 3 * 255) / 4, (c.blue() + 3 * 255) / 4));
    background.setColorAt(1, Qt::white);
    p.setPen(QPen(look.colour, 2));
    p.setBrush(background);
    p.drawRoundedRect(QRectF(1, 1, side - 2, side - 2), 12, 12);

    p.setPen(Qt::NoPen);
    p.setBrush(look.colour);
    p.drawRoundedRect(QRectF(10, 10, side - 20, 36), 8, 8);

    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(10, 10, side - 20, 36), Qt::AlignCenter, look.title);

    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(look.colour.darker(130));
    p.drawText(QRectF(12, 54, side - 24, 24), Qt::AlignCenter, brand);

    // The model name without the brand in front, wrapped; shrunk until it fits the card.
    QString text = model;
    if (text.startsWith(brand))
        text = text.mid(brand.size()).trimmed();
    const QRectF modelBox(12, 82, side - 24, side - 94);
    font.setBold(false);
    for (int size = 15; size >= 9; --size) {
        font.setPixelSize(size);
        p.setFont(font);
        const QRectF needed =
            p.boundingRect(modelBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
        if (needed.height() <= modelBox.height())
            break;
    }
    p.setPen(QColor(0x22, 0x22, 0x22));
    p.drawText(modelBox, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
    p.end();
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velnor_demo_pictures OUTPUT_DIR < list\n");
        return 2;
    }
    if (!QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK SC")))
        std::fprintf(stderr, "velnor_demo_pictures: font Noto Sans CJK SC not found (package fonts-noto-cjk)\n");

    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTextStream in(stdin);
    in.setEncoding(QStringConverter::Utf8);
    int written = 0;
    int lineNumber = 0;
    QString line;
    while (in.readLineInto(&line)) {
        ++lineNumber;
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 4 || fields[0].isEmpty() || fields[0].startsWith(QLatin1Char('/'))
            || fields[0].contains(QLatin1String(".."))) {
            std::fprintf(stderr, "velnor_demo_pictures: line %d: expected name, category, brand, model\n",
                         lineNumber);
            return 1;
        }
        const QString path = out.filePath(fields[0]);
        if (!QDir().mkpath(QFileInfo(path).absolutePath())
            || !drawCard(fields[1], fields[2], fields[3]).save(path, "PNG")) {
            std::fprintf(stderr, "velnor_demo_pictures: cannot write %s\n", qPrintable(path));
            return 1;
        }
        ++written;
    }
    std::printf("%d pictures written to %s\n", written, qPrintable(out.absolutePath()));
    return 0;
}
