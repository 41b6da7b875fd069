#include "map/MapFileWriter.h"

#include <algorithm>
#include <cerrno>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>

#include "map/AtomicFileWriter.h"
#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "map/MapFileHeader.h"
#include "map/Windows1252.h"

namespace {

char *putInt32(char *out, int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    out[0] = static_cast<char>(v & 0xFF);
    out[1] = static_cast<char>((v >> 8) & 0xFF);
    out[2] = static_cast<char>((v >> 16) & 0xFF);
    out[3] = static_cast<char>((v >> 24) & 0xFF);
    return out + 4;
}

// One line of the text section, in Windows-1252, ended by CR LF.
void appendLine(std::string &text, std::string_view utf8)
{
    const size_t start = text.size();
    // Most names are plain ASCII, the same bytes in both encodings.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        text += utf8;
    else
        text += utf8ToCp1252(utf8);
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n' || text[i] == '\0')
            text[i] = ' ';
    }
    text += "\r\n";
}

// Failures before the first byte are the file that cannot be opened; the
// others happen while writing.
std::string saveFailureMessage(const AtomicFileWriter &file, bool opened)
{
    const std::string named = "« " + file.path() + " »";
    if (!opened && file.error() != EFBIG)
        return std::string(MapFileOpenMessage) + " " + named + " : " + file.failureReason();
    return "L'enregistrement de la carte " + named + " a échoué : " + file.failureReason();
}

} // namespace

int32_t mapFileTimestampNow()
{
    const auto now = std::chrono::system_clock::now();
    const double seconds = std::chrono::duration<double>(now.time_since_epoch()).count();
    const auto rounded = static_cast<time_t>(std::llround(seconds));
    std::tm local{};
    localtime_r(&rounded, &local);
    return static_cast<int32_t>(static_cast<int64_t>(rounded) + local.tm_gmtoff);
}

MapFileEncoder::MapFileEncoder(const CarteVarenthe &document, int32_t generatedAt)
    : document_(document), generatedAt_(generatedAt)
{
    size_t length = 0;
    for (const std::string &name : document.provinceNames)
        length += name.size() + 2;
    for (const Element &element : document.elements)
        length += element.name.size() + 2;
    text_.reserve(length);
    for (const std::string &name : document.provinceNames)
        appendLine(text_, name);
    for (const Element &element : document.elements)
        appendLine(text_, element.name);
}

size_t MapFileEncoder::fileSize() const
{
    const size_t cellCount = static_cast<size_t>(document_.width) * static_cast<size_t>(document_.height);
    return MapFileHeaderSize + 2 * cellCount + 4 + 16 * document_.elements.size() + MapFileCostTablesSize
           + text_.size();
}

void MapFileEncoder::streamMapFile(const MapByteSink &sink) const
{
    // One block reused for the whole file: it stays in the cache, and the
    // largest map needs no 32 MiB copy of itself.
    constexpr size_t BlockSize = size_t(1) << 20;
    std::unique_ptr<char[]> block(new char[BlockSize]);
    char *const begin = block.get();
    char *out = begin;
    const auto room = [&](size_t bytes) {
        if (static_cast<size_t>(out - begin) + bytes > BlockSize) {
            sink(begin, static_cast<size_t>(out - begin));
            out = begin;
        }
    };

    room(MapFileHeaderSize);
    for (const int32_t field :
         {MapFileMagic, static_cast<int32_t>(MapFileHeaderSize), MapFileVersion, generatedAt_, document_.width,
          document_.height, document_.provinceWidth, document_.provinceHeight,
          static_cast<int32_t>(document_.provinceNames.size()), MapFileBitsPerCell, document_.mapType})
        out = putInt32(out, field);

    // 16-bit cells: the low half of each tile number.
    const int32_t *cells = document_.terrain.data();
    size_t remaining = document_.terrain.size();
    while (remaining > 0) {
        room(2);
        const size_t count = std::min(remaining, (BlockSize - static_cast<size_t>(out - begin)) / 2);
        // The block never overlaps the grid; saying so lets the loop run
        // on whole vectors of cells.
        const int32_t *__restrict from = cells;
        char *__restrict to = out;
        if constexpr (std::endian::native == std::endian::little) {
            // Four cells per 64-bit store.
            size_t i = 0;
            for (; i + 4 <= count; i += 4) {
                const uint64_t packed = static_cast<uint64_t>(static_cast<uint16_t>(from[i]))
                                        | static_cast<uint64_t>(static_cast<uint16_t>(from[i + 1])) << 16
                                        | static_cast<uint64_t>(static_cast<uint16_t>(from[i + 2])) << 32
                                        | static_cast<uint64_t>(static_cast<uint16_t>(from[i + 3])) << 48;
                std::memcpy(to + 2 * i, &packed, 8);
            }
            for (; i < count; ++i) {
                const auto value = static_cast<uint16_t>(from[i]);
                std::memcpy(to + 2 * i, &value, 2);
            }
        } else {
            for (size_t i = 0; i < count; ++i) {
                const auto value = static_cast<uint32_t>(from[i]);
                to[2 * i] = static_cast<char>(value & 0xFF);
                to[2 * i + 1] = static_cast<char>((value >> 8) & 0xFF);
            }
        }
        out += 2 * count;
        cells += count;
        remaining -= count;
    }

    room(4);
    out = putInt32(out, static_cast<int32_t>(document_.elements.size()));
    for (const Element &element : document_.elements) {
        room(16);
        out = putInt32(out, element.x);
        out = putInt32(out, element.y);
        out = putInt32(out, element.kind);
        out = putInt32(out, element.number);
    }
    for (const CostTable *table : {&document_.costTables.footCost, &document_.costTables.boatCost,
                                   &document_.costTables.wingsCost}) {
        room(4 * table->size());
        for (const int32_t value : *table)
            out = putInt32(out, value);
    }
    sink(begin, static_cast<size_t>(out - begin));
    if (!text_.empty())
        sink(text_.data(), text_.size());
}

EncodedMapFile encodeMapFile(const CarteVarenthe &document, int32_t generatedAt)
{
    const MapFileEncoder encoder(document, generatedAt);
    EncodedMapFile file;
    file.size = encoder.fileSize();
    file.bytes.reset(new char[file.size > 0 ? file.size : 1]);
    size_t filled = 0;
    encoder.streamMapFile([&](const char *bytes, size_t size) {
        std::memcpy(file.bytes.get() + filled, bytes, size);
        filled += size;
    });
    return file;
}

void writeFileAtomically(const std::string &path, std::string_view bytes)
{
    writeFileAtomically(path, bytes.size(), [bytes](const MapByteSink &sink) { sink(bytes.data(), bytes.size()); });
}

void writeFileAtomically(const std::string &path, size_t size, const std::function<void(const MapByteSink &)> &produce)
{
    AtomicFileWriter file(path);
    if (!file.open(size))
        throw MapFileError(saveFailureMessage(file, false));
    produce([&file](const char *bytes, size_t count) { file.write(bytes, count); });
    if (!file.commit())
        throw MapFileError(saveFailureMessage(file, true));
}

void CarteVarenthe::save(const std::string &path)
{
    // A map the reader would refuse must not replace a good file.
    if (width < 0 || height < 0 || width > MaxMapSide || height > MaxMapSide)
        throw MapFileError(MapFileDimensionsMessage);
    if (elements.size() > static_cast<size_t>(MaxElementCount))
        throw MapFileError(MapFileElementCountMessage);

    try {
        const MapFileEncoder encoder(*this, mapFileTimestampNow());
        writeFileAtomically(path, encoder.fileSize(),
                            [&encoder](const MapByteSink &sink) { encoder.streamMapFile(sink); });
    } catch (const std::bad_alloc &) {
        throw MapFileError(MapFileMemoryMessage);
    }
    fileName = path;
    modified = false;
    untitled = false;
}
