#include "ui/WindowPixels.h"

#include "render/PortableCode.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

constexpr QRgb OpaqueBlack = 0xFF000000u;

#if defined(__linux__)
// `bytes` (a multiple of the page size) of shared memory mapped at two
// neighbouring places; nullptr when the system refuses.
uchar *mapTwice(size_t bytes)
{
    const int fd = memfd_create("pelmorin-window", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    uchar *result = nullptr;
    if (ftruncate(fd, static_cast<off_t>(bytes)) == 0) {
        // Reserve both halves at once so that nothing else lands between.
        void *area = mmap(nullptr, 2 * bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (area != MAP_FAILED) {
            auto *first = static_cast<uchar *>(area);
            // Both halves are populated now rather than page by page while
            // the user scrolls.
            const int flags = MAP_SHARED | MAP_FIXED | MAP_POPULATE;
            const bool mapped = mmap(first, bytes, PROT_READ | PROT_WRITE, flags, fd, 0) != MAP_FAILED
                                && mmap(first + bytes, bytes, PROT_READ | PROT_WRITE, flags, fd, 0) != MAP_FAILED;
            if (mapped)
                result = first;
            else
                munmap(area, 2 * bytes);
        }
    }
    close(fd);
    return result;
}
#endif

} // namespace

void WindowPixels::allocate(QSize size)
{
    release();
    if (size.isEmpty())
        return;
    const size_t pixels = size_t(size.width()) * size_t(size.height());
#if defined(__linux__)
    const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t bytes = (pixels * sizeof(QRgb) + page - 1) / page * page;
    base_ = portableCodeOnly() ? nullptr : mapTwice(bytes);
    mirrored_ = base_ != nullptr;
    runBytes_ = bytes;
#endif
    if (!base_) {
        runBytes_ = pixels * sizeof(QRgb);
        base_ = static_cast<uchar *>(std::malloc(runBytes_));
        if (!base_)
            throw std::bad_alloc();
    }
    size_ = size;
    auto *run = reinterpret_cast<QRgb *>(base_);
    std::fill(run, run + runBytes_ / sizeof(QRgb), OpaqueBlack);
}

void WindowPixels::release()
{
    if (!base_)
        return;
#if defined(__linux__)
    if (mirrored_)
        munmap(base_, 2 * runBytes_);
    else
        std::free(base_);
#else
    std::free(base_);
#endif
    base_ = nullptr;
    runBytes_ = 0;
    size_ = QSize();
    mirrored_ = false;
}

uchar *WindowPixels::start(QPoint origin) const
{
    if (!mirrored_)
        return base_;
    const auto run = static_cast<long long>(runBytes_ / sizeof(QRgb));
    const long long at = (static_cast<long long>(origin.y()) * size_.width() + origin.x()) % run;
    return base_ + static_cast<size_t>(at < 0 ? at + run : at) * sizeof(QRgb);
}

QImage WindowPixels::picture(QPoint origin)
{
    if (!base_)
        return QImage();
    return QImage(start(origin), size_.width(), size_.height(), qsizetype(size_.width()) * sizeof(QRgb),
                  QImage::Format_RGB32);
}

const QImage WindowPixels::picture(QPoint origin) const
{
    if (!base_)
        return QImage();
    return QImage(static_cast<const uchar *>(start(origin)), size_.width(), size_.height(),
                  qsizetype(size_.width()) * sizeof(QRgb), QImage::Format_RGB32);
}
