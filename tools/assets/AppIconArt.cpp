#include "AppIconArt.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include <stdexcept>
#include <vector>

namespace {

struct Point {
    double x;
    double y;
};

// One filled or stroked shape on the 256-unit square.
struct Shape {
    std::vector<Point> points;
    QColor fill;             // invalid: not filled
    QColor stroke;           // invalid: not stroked
    double strokeWidth = 0;
    bool closed = true;
    bool dashed = false;
};

// A sheet folded in three, its middle panel a little darker; the sea in the
// lower left, a green coast, a red route ending on a marker.
std::vector<Shape> iconShapes()
{
    const QColor paper(0xEE, 0xE0, 0xB4);
    const QColor fold(0xDD, 0xCC, 0x9A);
    const QColor edge(0x5B, 0x4A, 0x2E);
    const QColor sea(0x3A, 0x7B, 0xD5);
    const QColor land(0x5A, 0xA0, 0x4A);
    const QColor route(0xC8, 0x32, 0x1E);
    std::vector<Shape> shapes;
    shapes.push_back({{{16, 40}, {92, 20}, {164, 40}, {240, 20}, {240, 216}, {164, 236}, {92, 216}, {16, 236}},
                      paper, edge, 8});
    shapes.push_back({{{92, 20}, {164, 40}, {164, 236}, {92, 216}}, fold, QColor(), 0});
    shapes.push_back({{{20, 140}, {60, 132}, {92, 150}, {130, 176}, {150, 232}, {92, 214}, {20, 232}}, sea, QColor(), 0});
    shapes.push_back({{{120, 60}, {176, 52}, {220, 84}, {214, 136}, {170, 150}, {130, 122}}, land, QColor(), 0});
    Shape path{{{44, 196}, {84, 120}, {140, 100}, {188, 92}}, QColor(), route, 12};
    path.closed = false;
    path.dashed = true;
    shapes.push_back(path);
    shapes.push_back({{{188, 48}, {210, 70}, {188, 108}, {166, 70}}, route, edge, 4});
    return shapes;
}

QString svgColour(const QColor &colour)
{
    return colour.isValid() ? colour.name() : QStringLiteral("none");
}

QString svgNumber(double value)
{
    return QString::number(value, 'g', 6);
}

QPainterPath pathOf(const Shape &shape, double scale)
{
    QPainterPath path;
    path.moveTo(shape.points.front().x * scale, shape.points.front().y * scale);
    for (size_t i = 1; i < shape.points.size(); ++i)
        path.lineTo(shape.points[i].x * scale, shape.points[i].y * scale);
    if (shape.closed)
        path.closeSubpath();
    return path;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error("impossible d'écrire " + path.toStdString());
}

} // namespace

QString appIconSvg()
{
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                                 "viewBox=\"0 0 256 256\">\n");
    for (const Shape &shape : iconShapes()) {
        QStringList points;
        for (const Point &point : shape.points)
            points.append(svgNumber(point.x) + QLatin1Char(',') + svgNumber(point.y));
        svg += QStringLiteral("  <%1 points=\"%2\" fill=\"%3\" stroke=\"%4\"")
                   .arg(shape.closed ? QStringLiteral("polygon") : QStringLiteral("polyline"),
                        points.join(QLatin1Char(' ')), svgColour(shape.fill), svgColour(shape.stroke));
        if (shape.stroke.isValid())
            svg += QStringLiteral(" stroke-width=\"%1\" stroke-linejoin=\"round\" stroke-linecap=\"round\"")
                       .arg(svgNumber(shape.strokeWidth));
        if (shape.dashed)
            svg += QStringLiteral(" stroke-dasharray=\"%1 %1\"").arg(svgNumber(shape.strokeWidth * 1.5));
        svg += QStringLiteral("/>\n");
    }
    svg += QStringLiteral("</svg>\n");
    return svg;
}

QImage appIconImage(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = pixels / 256.0;
    for (const Shape &shape : iconShapes()) {
        const QPainterPath path = pathOf(shape, scale);
        if (shape.fill.isValid())
            painter.fillPath(path, shape.fill);
        if (shape.stroke.isValid()) {
            // Lines keep at least one pixel in the smallest sizes.
            QPen pen(shape.stroke, std::max(1.0, shape.strokeWidth * scale), Qt::SolidLine, Qt::RoundCap,
                     Qt::RoundJoin);
            if (shape.dashed && pixels >= 32)
                pen.setDashPattern({1.5, 1.5});
            painter.strokePath(path, pen);
        }
    }
    painter.end();
    return image;
}

void writeAppIcons(const QString &folder)
{
    QDir root(folder);
    const QString scalable = QStringLiteral("hicolor/scalable/apps");
    if (!root.mkpath(scalable))
        throw std::runtime_error("impossible de créer " + root.filePath(scalable).toStdString());
    writeFile(root.filePath(scalable + QStringLiteral("/pelmorin.svg")), appIconSvg().toUtf8());
    for (int pixels : AppIconSizes) {
        const QString apps = QStringLiteral("hicolor/%1x%1/apps").arg(pixels);
        if (!root.mkpath(apps))
            throw std::runtime_error("impossible de créer " + root.filePath(apps).toStdString());
        const QString path = root.filePath(apps + QStringLiteral("/pelmorin.png"));
        if (!appIconImage(pixels).save(path, "PNG"))
            throw std::runtime_error("impossible d'écrire " + path.toStdString());
    }
}
