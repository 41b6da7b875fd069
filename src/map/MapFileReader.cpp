#include "map/MapFileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "map/MapFileHeader.h"
#include "map/MapFileWriter.h"
#include "map/Windows1252.h"

namespace {

[[noreturn]] void refuse(const char *message)
{
    throw MapFileError(message);
}

int32_t readInt32(const unsigned char *p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8
                                | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

// The header as the reader uses it: the oldest files have none and version 1
// leaves out the layout, so both get the values of the world map they were.
MapFileHeader readHeader(std::string_view bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    MapFileHeader header;
    if (bytes.size() < 4 || readInt32(p) != MapFileMagic) {
        header.dataOffset = 0;
        header.version = 0;
        header.generatedAt = mapFileTimestampNow();
        header.width = 310;
        header.height = 169;
        header.provinceWidth = 20;
        header.provinceHeight = 13;
        header.provinceCount = 195;
        header.bitsPerCell = 8;
        header.mapType = 1;
        return header;
    }
    if (bytes.size() < MapFileHeaderSize)
        refuse(MapFileDamagedMessage);
    int32_t *fields[] = {&header.magic,         &header.dataOffset,     &header.version,
                         &header.generatedAt,   &header.width,          &header.height,
                         &header.provinceWidth, &header.provinceHeight, &header.provinceCount,
                         &header.bitsPerCell,   &header.mapType};
    for (int32_t *field : fields) {
        *field = readInt32(p);
        p += 4;
    }
    if (header.version == 1) {
        header.provinceWidth = 20;
        header.provinceHeight = 13;
        header.bitsPerCell = 8;
        header.mapType = 1;
        // provinceCount follows once the dimensions are known to be sane.
    }
    return header;
}

// Cells of B bytes each, little-endian; the first four bytes at most make the
// tile number, which is kept whatever its value.
void readCells(Grid &terrain, const unsigned char *p, int64_t cellCount, int32_t bytesPerCell)
{
    int32_t *out = terrain.data();
    switch (bytesPerCell) {
    case 0:
        return; // no cell bytes: every cell stays 0
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

// Splits the text section into lines as they are needed: a line ends at a
// carriage return, a line feed or both, and a last line without an end
// still counts.
class TextLines {
public:
    explicit TextLines(std::string_view text) : text_(text) {}

    bool next(std::string_view &line)
    {
        if (position_ >= text_.size())
            return false;
        const size_t start = position_;
        size_t end = start;
        while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n')
            ++end;
        line = text_.substr(start, end - start);
        position_ = end;
        if (position_ < text_.size()) {
            if (text_[position_] == '\r' && position_ + 1 < text_.size() && text_[position_ + 1] == '\n')
                position_ += 2;
            else
                position_ += 1;
        }
        ++count_;
        return true;
    }
    int64_t count() const { return count_; }

private:
    std::string_view text_;
    size_t position_ = 0;
    int64_t count_ = 0;
};

[[noreturn]] void refuseMissingLine(int64_t index)
{
    throw MapTextIndexError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

void readMapFile(CarteVarenthe &document, std::string_view bytes, const std::string &path)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const int64_t size = static_cast<int64_t>(bytes.size());
    MapFileHeader header = readHeader(bytes);

    // Every count of the header is checked against the bytes that are really
    // there before anything is allocated or read.
    if (header.width < 0 || header.height < 0 || header.width > MaxMapSide || header.height > MaxMapSide)
        refuse(MapFileDimensionsMessage);
    if (header.version == 1)
        header.provinceCount = ceilDiv(static_cast<int64_t>(header.width) - ProvinceShift, 20)
                               * ceilDiv(header.height, 13);
    const int32_t bytesPerCell = header.bitsPerCell / 8;
    // Province sides are divisors and moduli for the renderer and the
    // movement rules; like `create`, the document takes no negative one.
    if (bytesPerCell < 0 || header.dataOffset < 0 || header.dataOffset > size || header.provinceCount < 0
        || header.provinceWidth < 0 || header.provinceHeight < 0)
        refuse(MapFileDamagedMessage);

    const int64_t cellCount = static_cast<int64_t>(header.width) * header.height;
    const int64_t cellBytes = cellCount * bytesPerCell;
    int64_t position = header.dataOffset;
    if (cellBytes > size - position)
        refuse(MapFileDamagedMessage);
    const int64_t cellsAt = position;
    position += cellBytes;

    if (size - position < 4)
        refuse(MapFileDamagedMessage);
    const int32_t elementCount = readInt32(data + position);
    position += 4;
    if (elementCount < 0 || elementCount > MaxElementCount)
        refuse(MapFileElementCountMessage);
    const bool fullRecords = header.version >= 3;
    const int64_t recordSize = fullRecords ? 16 : 8;
    if (elementCount * recordSize > size - position)
        refuse(MapFileDamagedMessage);
    const int64_t recordsAt = position;
    position += elementCount * recordSize;

    if (static_cast<int64_t>(MapFileCostTablesSize) > size - position)
        refuse(MapFileDamagedMessage);
    const int64_t costsAt = position;
    position += MapFileCostTablesSize;

    std::string_view text = bytes.substr(static_cast<size_t>(position));
    if (const size_t zero = text.find('\0'); zero != std::string_view::npos)
        text = text.substr(0, zero);

    // The file is sound so far: build the new document beside the old one.
    CarteVarenthe loaded;
    loaded.reset(header.width, header.height, 2, 0);
    loaded.provinceWidth = header.provinceWidth;
    loaded.provinceHeight = header.provinceHeight;
    loaded.provinceCount = header.provinceCount;
    loaded.mapType = header.mapType;
    loaded.generatedAt = header.generatedAt;

    readCells(loaded.terrain, data + cellsAt, cellCount, bytesPerCell);

    loaded.elements.resize(static_cast<size_t>(elementCount));
    const unsigned char *record = data + recordsAt;
    for (int32_t i = 0; i < elementCount; ++i, record += recordSize) {
        Element &element = loaded.elements[static_cast<size_t>(i)];
        element.x = readInt32(record);
        element.y = readInt32(record + 4);
        if (fullRecords) {
            element.kind = readInt32(record + 8);
            element.number = readInt32(record + 12);
        } else {
            element.kind = ElementCity;
            element.number = i;
        }
        // An element off the map stays listed (and is written back) but no
        // cell names it. When two name the same cell, the later one wins.
        if (loaded.contains(element.x, element.y))
            loaded.elementIndex.at(element.x, element.y) = i + 1;
    }

    const unsigned char *cost = data + costsAt;
    for (CostTable *table : {&loaded.costTables.footCost, &loaded.costTables.boatCost,
                             &loaded.costTables.wingsCost}) {
        for (int32_t &value : *table) {
            value = readInt32(cost);
            cost += 4;
        }
    }

    TextLines lines(text);
    std::string_view line;
    // Never trust the declared count for a reservation: every line but the
    // last takes at least one byte.
    loaded.provinceNames.reserve(
        static_cast<size_t>(std::min<int64_t>(header.provinceCount, static_cast<int64_t>(text.size()) + 1)));
    for (int32_t i = 0; i < header.provinceCount; ++i) {
        if (!lines.next(line))
            refuseMissingLine(lines.count());
        loaded.provinceNames.push_back(cp1252ToUtf8(line));
    }
    for (Element &element : loaded.elements) {
        if (!lines.next(line))
            refuseMissingLine(lines.count());
        element.name = cp1252ToUtf8(line);
    }

    loaded.fileName = path;
    loaded.modified = false;
    loaded.untitled = false;
    loaded.useWingsGift = document.useWingsGift;
    loaded.allowEmbark = document.allowEmbark;
    loaded.allowAbandon = document.allowAbandon;
    document = std::move(loaded);
}

void CarteVarenthe::load(const std::string &path)
{
    // Opened without blocking so that a named pipe cannot hang the program;
    // only a regular file can be a map.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw MapFileError(MapFileOpenMessage);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw MapFileError(MapFileOpenMessage);
    }
    // The whole file in one block, then parsed in memory.
    const size_t capacity = static_cast<size_t>(info.st_size);
    std::unique_ptr<char[]> buffer;
    try {
        buffer.reset(new char[capacity > 0 ? capacity : 1]);
    } catch (const std::bad_alloc &) {
        ::close(fd);
        throw MapFileError(MapFileMemoryMessage);
    }
    size_t size = 0;
    while (size < capacity) {
        const ssize_t got = ::read(fd, buffer.get() + size, capacity - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            throw MapFileError(MapFileOpenMessage);
        }
        if (got == 0)
            break; // the file shrank meanwhile: parse what is there
        size += static_cast<size_t>(got);
    }
    ::close(fd);
    try {
        readMapFile(*this, std::string_view(buffer.get(), size), path);
    } catch (const std::bad_alloc &) {
        // The grids of the largest map take 448 MiB; without them the map
        // stays closed, and the maps already open are untouched.
        throw MapFileError(MapFileMemoryMessage);
    }
}
