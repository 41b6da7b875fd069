// The map window's copy of its picture to the screen: straight into the
// window's backing store where it can, exactly where the painter would have
// drawn, and into whatever else the window is painted into (a grab).
#include <gtest/gtest.h>

#include <QBackingStore>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QWidget>

#include "ui/ScreenCopy.h"

namespace {

QImage pattern(QSize size, uint32_t seed)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, 0xFF000000u | ((uint32_t(x) * 2654435761u + uint32_t(y) * 40503u + seed) & 0xFFFFFF));
    return image;
}

class PictureWidget : public QWidget {
public:
    PictureWidget(QWidget *parent, const QImage &picture) : QWidget(parent), picture(picture)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(picture.size());
    }
    QImage picture;
    bool copiedStraight = false;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        copiedStraight = copyStraightToDevice(painter, picture, event->region());
        if (!copiedStraight)
            painter.drawImage(0, 0, picture);
    }
};

} // namespace

TEST(ScreenCopy, ThePictureLandsInTheWindowWhereThePainterWouldHaveDrawnItAndNowhereElse)
{
    QWidget window;
    window.resize(500, 400);
    // Large enough for the copy that bypasses the caches.
    PictureWidget *child = new PictureWidget(&window, pattern(QSize(400, 300), 1));
    child->move(37, 21);
    window.show();
    QCoreApplication::processEvents();
    child->repaint();
    ASSERT_TRUE(child->copiedStraight) << "a window on screen is a plain image in memory";

    auto *store = static_cast<QImage *>(window.backingStore()->paintDevice());
    ASSERT_EQ(store->devType(), int(QInternal::Image));
    for (int y = 0; y < 300; y += 7)
        for (int x = 0; x < 400; x += 5)
            ASSERT_EQ(store->pixel(37 + x, 21 + y), child->picture.pixel(x, y)) << x << "," << y;

    // A small part: only it changes.
    const QImage before = child->picture;
    child->picture = pattern(QSize(400, 300), 99);
    child->repaint(QRect(10, 5, 50, 40));
    EXPECT_TRUE(child->copiedStraight);
    for (int y = 0; y < 300; y += 3)
        for (int x = 0; x < 400; x += 3) {
            const bool inside = QRect(10, 5, 50, 40).contains(x, y);
            ASSERT_EQ(store->pixel(37 + x, 21 + y), (inside ? child->picture : before).pixel(x, y))
                << x << "," << y << (inside ? " inside" : " outside") << " the repainted part";
        }

    // A grab paints into a picture of its own, at other coordinates: the
    // same pixels land there.
    const QImage grabbed = child->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(grabbed.size(), child->picture.size());
    EXPECT_EQ(grabbed, child->picture);
}

TEST(ScreenCopy, ScaledPaintingIsLeftToThePainter)
{
    // A high-density screen: one picture pixel is several device pixels.
    QImage device(200, 100, QImage::Format_RGB32);
    device.fill(Qt::black);
    device.setDevicePixelRatio(2.0);
    const QImage picture = pattern(QSize(100, 50), 5);
    {
        QPainter painter(&device);
        EXPECT_FALSE(copyStraightToDevice(painter, picture, QRegion(picture.rect())));
    }
    EXPECT_EQ(device.pixel(10, 10), 0xFF000000u) << "nothing written";

    // A plain image painted with a translation: the pixels move with it.
    QImage plain(120, 70, QImage::Format_ARGB32_Premultiplied);
    plain.fill(Qt::black);
    {
        QPainter painter(&plain);
        painter.translate(15, 12);
        ASSERT_TRUE(copyStraightToDevice(painter, picture, QRegion(0, 0, 100, 50)));
    }
    EXPECT_EQ(plain.pixel(15, 12), picture.pixel(0, 0));
    EXPECT_EQ(plain.pixel(114, 61), picture.pixel(99, 49));
    EXPECT_EQ(plain.pixel(14, 12), 0xFF000000u);
}
