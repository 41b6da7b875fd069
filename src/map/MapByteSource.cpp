#include "map/MapByteSource.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

#include "map/MapErrors.h"
#include "map/MapFileHeader.h"

namespace {

// Pieces of a file small enough to stay in the processor's cache between
// being read and being converted.
constexpr int64_t PieceBytes = int64_t{256} << 10;

// Cells of B bytes each, little-endian; the first four bytes at most make the
// tile number, which is kept whatever its value.
void convertCells(int32_t *out, const unsigned char *p, int64_t cellCount, int32_t bytesPerCell)
{
    switch (bytesPerCell) {
    case 1:
        for (int64_t i = 0; i < cellCount; ++i)
            out[i] = p[i];
        return;
    case 2:
        for (int64_t i = 0; i < cellCount; ++i)
            out[i] = static_cast<int32_t>(p[2 * i] | p[2 * i + 1] << 8);
        return;
    case 4:
        for (int64_t i = 0; i < cellCount; ++i)
            out[i] = readInt32(p + 4 * i);
        return;
    default:
        break;
    }
    const int32_t used = bytesPerCell < 4 ? bytesPerCell : 4;
    for (int64_t i = 0; i < cellCount; ++i) {
        const unsigned char *cell = p + i * bytesPerCell;
        uint32_t value = 0;
        for (int32_t b = 0; b < used; ++b)
            value |= static_cast<uint32_t>(cell[b]) << (8 * b);
        out[i] = static_cast<int32_t>(value);
    }
}

} // namespace

std::string_view MemoryByteSource::bytes(int64_t from, int64_t length)
{
    return bytes_.substr(static_cast<size_t>(from), static_cast<size_t>(length));
}

void MemoryByteSource::cells(int32_t *out, int64_t from, int64_t cellCount, int32_t bytesPerCell)
{
    convertCells(out, reinterpret_cast<const unsigned char *>(bytes_.data()) + from, cellCount, bytesPerCell);
}

std::string_view FileByteSource::bytes(int64_t from, int64_t length)
{
    auto &block = blocks_.emplace_back(std::make_unique<char[]>(static_cast<size_t>(std::max<int64_t>(length, 1))));
    readAt(block.get(), from, length);
    return {block.get(), static_cast<size_t>(length)};
}

void FileByteSource::cells(int32_t *out, int64_t from, int64_t cellCount, int32_t bytesPerCell)
{
    const int64_t perPiece = std::max<int64_t>(1, PieceBytes / bytesPerCell);
    std::unique_ptr<unsigned char[]> piece(new unsigned char[static_cast<size_t>(perPiece * bytesPerCell)]);
    for (int64_t done = 0; done < cellCount;) {
        const int64_t count = std::min(perPiece, cellCount - done);
        readAt(reinterpret_cast<char *>(piece.get()), from + done * bytesPerCell, count * bytesPerCell);
        convertCells(out + done, piece.get(), count, bytesPerCell);
        done += count;
    }
}

// A file that shrinks while it is read is as good as cut short.
void FileByteSource::readAt(char *to, int64_t from, int64_t length) const
{
    while (length > 0) {
        const ssize_t got = ::pread(fd_, to, static_cast<size_t>(length), static_cast<off_t>(from));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw MapFileError(MapFileOpenMessage);
        if (got == 0)
            throw MapFileError(MapFileDamagedMessage);
        to += got;
        from += got;
        length -= got;
    }
}
