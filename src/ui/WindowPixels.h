#pragma once
// The map window's retained picture: one run of pixels that wraps around, in
// which map pixel (mx, my) lies at (my × pitch + mx) modulo the run's
// length. Moving the view moves nothing in memory: a scrolling step only
// draws the strips that came into view. The run's memory is mapped twice,
// end to end, so that a picture passing its end goes on at its start: the
// window's picture is then always one image whose rows lie `pitch` apart,
// which the screen copy reads as fast as any other image (a copy that
// splits every row in two runs far slower).
//
// Where the system cannot map memory twice, the run does not wrap: the
// picture is then only good for the view it was drawn at.
#include <QImage>
#include <QPoint>
#include <QSize>
#include <cstddef>

class WindowPixels {
public:
    WindowPixels() = default;
    WindowPixels(const WindowPixels &) = delete;
    WindowPixels &operator=(const WindowPixels &) = delete;
    ~WindowPixels() { release(); }

    // Room for a window of up to `size`, every pixel black. Throws
    // std::bad_alloc when the memory cannot be had.
    void allocate(QSize size);
    // The largest window the picture serves.
    QSize size() const { return size_; }
    // Whether the picture stays good when the view moves.
    bool wraps() const { return mirrored_; }

    // The picture of a window of size() whose top-left pixel shows map
    // pixel `origin`; it shares the run's memory (null before allocate).
    QImage picture(QPoint origin);
    const QImage picture(QPoint origin) const;

private:
    void release();
    uchar *start(QPoint origin) const;

    uchar *base_ = nullptr;
    size_t runBytes_ = 0;
    QSize size_;
    bool mirrored_ = false;
};
