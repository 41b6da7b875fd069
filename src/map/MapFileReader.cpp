#include "map/MapFileReader.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

#include "map/CarteVarenthe.h"
#include "map/MapByteSource.h"
#include "map/MapErrors.h"
#include "map/MapFileHeader.h"
#include "map/MapFileWriter.h"
#include "map/PagePrefault.h"
#include "map/Windows1252.h"

namespace {

// Cells read in one go by one of the two readers of a large map: 4 MiB of
// terrain, so that a map of a million cells or more is shared out.
constexpr int64_t ChunkCells = int64_t{1} << 20;

[[noreturn]] void refuse(const char *message)
{
    throw MapFileError(message);
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

void readMapSource(CarteVarenthe &document, ByteSource &source, const std::string &path);

} // namespace

void readMapFile(CarteVarenthe &document, std::string_view bytes, const std::string &path)
{
    MemoryByteSource source(bytes);
    readMapSource(document, source, path);
}

namespace {

void readMapSource(CarteVarenthe &document, ByteSource &source, const std::string &path)
{
    const int64_t size = source.size();
    MapFileHeader header = readHeader(source.bytes(0, std::min<int64_t>(size, MapFileHeaderSize)));

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

    // Everything after the cells, in one block; positions from here on are
    // within it.
    const std::string_view rest = source.bytes(position, size - position);
    const auto *data = reinterpret_cast<const unsigned char *>(rest.data());
    const int64_t restSize = static_cast<int64_t>(rest.size());
    position = 0;

    if (restSize - position < 4)
        refuse(MapFileDamagedMessage);
    const int32_t elementCount = readInt32(data + position);
    position += 4;
    if (elementCount < 0 || elementCount > MaxElementCount)
        refuse(MapFileElementCountMessage);
    const bool fullRecords = header.version >= 3;
    const int64_t recordSize = fullRecords ? 16 : 8;
    if (elementCount * recordSize > restSize - position)
        refuse(MapFileDamagedMessage);
    const int64_t recordsAt = position;
    position += elementCount * recordSize;

    if (static_cast<int64_t>(MapFileCostTablesSize) > restSize - position)
        refuse(MapFileDamagedMessage);
    const int64_t costsAt = position;
    position += MapFileCostTablesSize;

    std::string_view text = rest.substr(static_cast<size_t>(position));
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

    // The cells go into the terrain in chunks, taken in turn by a second
    // thread and, once this one has read the elements and the names, by this
    // one too: on a large map both fill fresh memory, and the load takes
    // about the time of the longer of the two. Every cell 0 (no cell bytes)
    // still takes the terrain's memory now, so that a map too large for the
    // memory left is refused here rather than failing at its first edit.
    int32_t *const cells = loaded.terrain.data();
    const int64_t chunkCount = bytesPerCell == 0 ? 0 : (cellCount + ChunkCells - 1) / ChunkCells;
    std::atomic<int64_t> nextChunk{0};
    std::mutex failureLock;
    std::exception_ptr cellFailure;
    auto readChunks = [&]() noexcept {
        try {
            for (int64_t chunk = nextChunk++; chunk < chunkCount; chunk = nextChunk++) {
                const int64_t first = chunk * ChunkCells;
                const int64_t count = std::min(ChunkCells, cellCount - first);
                prefaultPages(cells + first, static_cast<size_t>(count) * sizeof(int32_t));
                source.cells(cells + first, cellsAt + first * bytesPerCell, count, bytesPerCell);
            }
        } catch (...) {
            nextChunk = chunkCount; // the other reader stops too
            const std::lock_guard<std::mutex> hold(failureLock);
            if (!cellFailure)
                cellFailure = std::current_exception();
        }
    };
    std::jthread cellReader;
    if (chunkCount > 1) {
        try {
            cellReader = std::jthread(readChunks);
        } catch (const std::system_error &) {
            // No thread to be had: the cells are all read here.
        }
    }

    loaded.elements.resize(static_cast<size_t>(elementCount));
    // The element index is written when first used: a map opened to be read
    // by a script never needs it, and on the largest maps its memory costs
    // more to take than the rest of the file to read.
    std::vector<Grid::CellWrite> indexWrites;
    indexWrites.reserve(static_cast<size_t>(elementCount));
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
            indexWrites.push_back({static_cast<uint32_t>(element.y) * static_cast<uint32_t>(header.width)
                                       + static_cast<uint32_t>(element.x),
                                   i + 1});
    }
    loaded.elementIndex.assignWithWrites(header.width, header.height, 0, std::move(indexWrites));

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

    readChunks();
    if (cellReader.joinable())
        cellReader.join();
    if (cellFailure)
        std::rethrow_exception(cellFailure);
    loaded.fileName = path;
    loaded.modified = false;
    loaded.untitled = false;
    loaded.useWingsGift = document.useWingsGift;
    loaded.allowEmbark = document.allowEmbark;
    loaded.allowAbandon = document.allowAbandon;
    document = std::move(loaded);
}

} // namespace

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
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    try {
        FileByteSource source(fd, static_cast<int64_t>(info.st_size));
        readMapSource(*this, source, path);
    } catch (const std::bad_alloc &) {
        // The grids of the largest map take 448 MiB; without them the map
        // stays closed, and the maps already open are untouched.
        throw MapFileError(MapFileMemoryMessage);
    }
}
