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

// Where each part of a file lies, once every count of its header has been
// checked against the bytes that are really there.
struct MapFileLayout {
    MapFileHeader header;
    int32_t bytesPerCell = 0;
    int64_t cellCount = 0;
    int64_t cellsAt = 0; // in the file
    int32_t elementCount = 0;
    bool fullRecords = false; // kind and number stored (version 3)
    int64_t recordSize = 0;
    // Everything after the cells, held in memory; the positions below are
    // within it.
    std::string_view rest;
    int64_t recordsAt = 0;
    int64_t costsAt = 0;
    std::string_view text; // up to its first NUL
};

// Checks the layout before anything is allocated or read.
MapFileLayout checkLayout(ByteSource &source)
{
    const int64_t size = source.size();
    MapFileLayout layout;
    MapFileHeader &header = layout.header;
    header = readHeader(source.bytes(0, std::min<int64_t>(size, MapFileHeaderSize)));
    if (header.width < 0 || header.height < 0 || header.width > MaxMapSide || header.height > MaxMapSide)
        refuse(MapFileDimensionsMessage);
    if (header.version == 1)
        header.provinceCount = ceilDiv(static_cast<int64_t>(header.width) - ProvinceShift, 20)
                               * ceilDiv(header.height, 13);
    layout.bytesPerCell = header.bitsPerCell / 8;
    // Province sides are divisors and moduli for the renderer and the
    // movement rules; like `create`, the document takes no negative one.
    if (layout.bytesPerCell < 0 || header.dataOffset < 0 || header.dataOffset > size || header.provinceCount < 0
        || header.provinceWidth < 0 || header.provinceHeight < 0)
        refuse(MapFileDamagedMessage);

    layout.cellCount = static_cast<int64_t>(header.width) * header.height;
    const int64_t cellBytes = layout.cellCount * layout.bytesPerCell;
    layout.cellsAt = header.dataOffset;
    if (cellBytes > size - layout.cellsAt)
        refuse(MapFileDamagedMessage);

    const int64_t restAt = layout.cellsAt + cellBytes;
    layout.rest = source.bytes(restAt, size - restAt);
    const auto *data = reinterpret_cast<const unsigned char *>(layout.rest.data());
    const int64_t restSize = static_cast<int64_t>(layout.rest.size());
    if (restSize < 4)
        refuse(MapFileDamagedMessage);
    layout.elementCount = readInt32(data);
    if (layout.elementCount < 0 || layout.elementCount > MaxElementCount)
        refuse(MapFileElementCountMessage);
    layout.fullRecords = header.version >= 3;
    layout.recordSize = layout.fullRecords ? 16 : 8;
    layout.recordsAt = 4;
    layout.costsAt = layout.recordsAt + layout.elementCount * layout.recordSize;
    if (layout.costsAt > restSize || static_cast<int64_t>(MapFileCostTablesSize) > restSize - layout.costsAt)
        refuse(MapFileDamagedMessage);

    std::string_view text = layout.rest.substr(static_cast<size_t>(layout.costsAt + MapFileCostTablesSize));
    if (const size_t zero = text.find('\0'); zero != std::string_view::npos)
        text = text.substr(0, zero);
    layout.text = text;
    return layout;
}

// Reads the cells into the terrain in chunks, taken in turn by a second
// thread from construction on and, once finish() is called, by the calling
// thread too: on a large map both fill fresh memory, and the load takes
// about the time of the longer of the two. Every cell 0 (no cell bytes)
// still takes the terrain's memory, so that a map too large for the memory
// left is refused at load rather than at its first edit.
class ChunkedCellReader {
public:
    ChunkedCellReader(ByteSource &source, int32_t *cells, const MapFileLayout &layout)
        : source_(source)
        , cells_(cells)
        , layout_(layout)
        , chunkCount_(layout.bytesPerCell == 0 ? 0 : (layout.cellCount + ChunkCells - 1) / ChunkCells)
    {
        if (chunkCount_ > 1) {
            try {
                second_ = std::jthread([this] { readChunks(); });
            } catch (const std::system_error &) {
                // No thread to be had: the cells are all read by finish().
            }
        }
    }
    ~ChunkedCellReader() { stop(); }
    ChunkedCellReader(const ChunkedCellReader &) = delete;
    ChunkedCellReader &operator=(const ChunkedCellReader &) = delete;

    // Reads what is left, waits for the second thread and raises the first
    // failure of either.
    void finish()
    {
        readChunks();
        if (second_.joinable())
            second_.join();
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    void readChunks() noexcept
    {
        try {
            for (int64_t chunk = nextChunk_++; chunk < chunkCount_; chunk = nextChunk_++) {
                const int64_t first = chunk * ChunkCells;
                const int64_t count = std::min(ChunkCells, layout_.cellCount - first);
                prefaultPages(cells_ + first, static_cast<size_t>(count) * sizeof(int32_t));
                source_.cells(cells_ + first, layout_.cellsAt + first * layout_.bytesPerCell, count,
                              layout_.bytesPerCell);
            }
        } catch (...) {
            nextChunk_ = chunkCount_; // the other reader stops too
            const std::lock_guard<std::mutex> hold(failureLock_);
            if (!failure_)
                failure_ = std::current_exception();
        }
    }
    // A load that fails elsewhere (a missing name) stops the second reader
    // before the terrain it writes goes away.
    void stop()
    {
        nextChunk_ = chunkCount_;
        if (second_.joinable())
            second_.join();
    }

    ByteSource &source_;
    int32_t *cells_;
    const MapFileLayout &layout_;
    const int64_t chunkCount_;
    std::atomic<int64_t> nextChunk_{0};
    std::mutex failureLock_;
    std::exception_ptr failure_;
    std::jthread second_;
};

void readElements(CarteVarenthe &loaded, const MapFileLayout &layout)
{
    const int32_t width = layout.header.width;
    loaded.elements.resize(static_cast<size_t>(layout.elementCount));
    // The element index is written when first used: a map opened to be read
    // by a script never needs it, and on the largest maps its memory costs
    // more to take than the rest of the file to read.
    std::vector<Grid::CellWrite> indexWrites;
    indexWrites.reserve(static_cast<size_t>(layout.elementCount));
    const auto *record = reinterpret_cast<const unsigned char *>(layout.rest.data()) + layout.recordsAt;
    for (int32_t i = 0; i < layout.elementCount; ++i, record += layout.recordSize) {
        Element &element = loaded.elements[static_cast<size_t>(i)];
        element.x = readInt32(record);
        element.y = readInt32(record + 4);
        if (layout.fullRecords) {
            element.kind = readInt32(record + 8);
            element.number = readInt32(record + 12);
        } else {
            element.kind = ElementCity;
            element.number = i;
        }
        // An element off the map stays listed (and is written back) but no
        // cell names it. When two name the same cell, the later one wins.
        if (loaded.contains(element.x, element.y))
            indexWrites.push_back(
                {static_cast<uint32_t>(element.y) * static_cast<uint32_t>(width) + static_cast<uint32_t>(element.x),
                 i + 1});
    }
    loaded.elementIndex.assignWithWrites(width, layout.header.height, 0, std::move(indexWrites));
}

void readCostTables(CarteVarenthe &loaded, const MapFileLayout &layout)
{
    const auto *cost = reinterpret_cast<const unsigned char *>(layout.rest.data()) + layout.costsAt;
    for (CostTable *table : {&loaded.costTables.footCost, &loaded.costTables.boatCost,
                             &loaded.costTables.wingsCost}) {
        for (int32_t &value : *table) {
            value = readInt32(cost);
            cost += 4;
        }
    }
}

// The province names, then the elements' names, one line each.
void readNames(CarteVarenthe &loaded, const MapFileLayout &layout)
{
    TextLines lines(layout.text);
    std::string_view line;
    // Never trust the declared count for a reservation: every line but the
    // last takes at least one byte.
    loaded.provinceNames.reserve(static_cast<size_t>(
        std::min<int64_t>(layout.header.provinceCount, static_cast<int64_t>(layout.text.size()) + 1)));
    for (int32_t i = 0; i < layout.header.provinceCount; ++i) {
        if (!lines.next(line))
            refuseMissingLine(lines.count());
        loaded.provinceNames.push_back(cp1252ToUtf8(line));
    }
    for (Element &element : loaded.elements) {
        if (!lines.next(line))
            refuseMissingLine(lines.count());
        element.name = cp1252ToUtf8(line);
    }
}

void readMapSource(CarteVarenthe &document, ByteSource &source, const std::string &path)
{
    const MapFileLayout layout = checkLayout(source);
    const MapFileHeader &header = layout.header;

    // The file is sound so far: build the new document beside the old one.
    CarteVarenthe loaded;
    loaded.reset(header.width, header.height, 2, 0);
    loaded.provinceWidth = header.provinceWidth;
    loaded.provinceHeight = header.provinceHeight;
    loaded.provinceCount = header.provinceCount;
    loaded.mapType = header.mapType;
    loaded.generatedAt = header.generatedAt;

    ChunkedCellReader cells(source, loaded.terrain.data(), layout);
    readElements(loaded, layout);
    readCostTables(loaded, layout);
    readNames(loaded, layout);
    cells.finish();

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
