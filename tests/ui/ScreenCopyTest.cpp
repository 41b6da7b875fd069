// The map window's picture copied straight into the window's memory, where the painter would have drawn it.
#include <gtest/gtest.h>

#include <QBackingStore>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "ui/ScreenCopy.h"

namespace {

QImage pattern(QSize size, uint32_t seed)
{
    QImage image(size, QImage::Format_RGB32);
    for (int i = 0; i < size.width() * size.height(); ++i)
        image.setPixel(i % size.width(), i / size.width(), 0xFF000000u | ((i * 2654435761u + seed) & 0xFFFFFF));
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
    const auto shown = [store] { return store->copy(QRect(37, 21, 400, 300)).convertToFormat(QImage::Format_RGB32); };
    EXPECT_TRUE(shown() == child->picture);

    // A small part: only it changes.
    QImage expected = child->picture;
    child->picture = pattern(QSize(400, 300), 99);
    child->repaint(QRect(10, 5, 50, 40));
    EXPECT_TRUE(child->copiedStraight);
    QPainter(&expected).drawImage(QPoint(10, 5), child->picture.copy(10, 5, 50, 40));
    EXPECT_TRUE(shown() == expected);
    // A grab paints into a picture of its own, at other coordinates.
    EXPECT_TRUE(child->grab().toImage().convertToFormat(QImage::Format_RGB32) == child->picture);

    // A translated painter moves the pixels.
    const QImage picture = pattern(QSize(100, 50), 5);
    QImage plain(120, 70, QImage::Format_ARGB32_Premultiplied);
    plain.fill(Qt::black);
    QPainter plainPainter(&plain);
    plainPainter.translate(15, 12);
    ASSERT_TRUE(copyStraightToDevice(plainPainter, picture, QRegion(0, 0, 100, 50)));
    EXPECT_EQ(plain.pixel(15, 12), picture.pixel(0, 0));
    EXPECT_EQ(plain.pixel(114, 61), picture.pixel(99, 49));
    EXPECT_EQ(plain.pixel(14, 12), 0xFF000000u);
}
