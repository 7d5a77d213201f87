// keizai-icon DIR SIZE...
//
// Paints the program's icon (a price line over the bars of a release, on the
// dark ground of the window) into DIR/SIZExSIZE/apps/keizai-shihyo.png for
// every SIZE: the hicolor icon theme's layout. Run at build time.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <cstdio>

namespace {

// The drawing on a 256 by 256 grid.
void paint(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x24, 0x2c));
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);

    // Two faint guide lines.
    p.setPen(QPen(QColor(0x46, 0x4e, 0x5c), 6));
    p.drawLine(QLineF(36, 96, 220, 96));
    p.drawLine(QLineF(36, 160, 220, 160));

    // The releases: result bars.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xa0, 0x30));
    const double heights[] = {52, 86, 64, 120};
    for (int k = 0; k < 4; ++k)
        p.drawRect(QRectF(48 + k * 44, 212 - heights[k], 28, heights[k]));

    // The close prices.
    QPainterPath line;
    line.moveTo(36, 150);
    line.lineTo(84, 118);
    line.lineTo(122, 136);
    line.lineTo(168, 72);
    line.lineTo(220, 52);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x4c, 0xb8, 0xff), 16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(line);
}

bool write(const QString &dir, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.scale(size / 256.0, size / 256.0);
        paint(p);
    }
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(dir).arg(size);
    return QDir().mkpath(folder) && image.save(folder + QStringLiteral("/keizai-shihyo.png"), "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fputs("usage: keizai-icon DIR SIZE...\n", stderr);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || !write(dir, size)) {
            std::fprintf(stderr, "keizai-icon: cannot write the %s icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
