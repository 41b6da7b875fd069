#include "map/MapFileWriter.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string writeFailureMessage(int error)
{
    std::string reason;
    switch (error) {
    case ENOSPC:
        reason = "le disque est plein";
        break;
    case EFBIG:
        reason = "le fichier dépasse la taille autorisée";
        break;
    case EDQUOT:
        reason = "le quota du disque est dépassé";
        break;
    default:
        reason = "erreur d'écriture (" + std::to_string(error) + ")";
        break;
    }
    return "L'enregistrement de la carte a échoué : " + reason + ". Le fichier existant n'a pas été modifié.";
}

// The file that is really replaced: saving through a symbolic link writes
// the file it points to and keeps the link.
std::filesystem::path realTarget(const std::string &path)
{
    std::error_code error;
    std::filesystem::path target(path);
    if (std::filesystem::is_symlink(target, error)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
        if (!error)
            return resolved;
    }
    return target;
}

bool writeAll(int fd, const char *data, size_t size, int &error)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (written == 0) {
            error = ENOSPC;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
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
    // Beyond the file-size limit the kernel would kill the whole program with
    // SIGXFSZ and every open map with it; refuse before writing a byte.
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
        && size > limit.rlim_cur)
        throw MapFileError(writeFailureMessage(EFBIG));

    const std::filesystem::path target = realTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && (S_ISDIR(existing.st_mode) || ::access(target.c_str(), W_OK) != 0))
        throw MapFileError(MapFileOpenMessage);

    // The temporary file sits in the target's folder so that the final rename
    // cannot cross file systems and is atomic.
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = target.parent_path();
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        const std::string name = "." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-"
                                 + std::to_string(counter++);
        temporary = folder.empty() ? std::filesystem::path(name) : folder / name;
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw MapFileError(MapFileOpenMessage);
    if (exists) {
        // Root saving someone else's map gives the new file back to its
        // owner; anyone else can only save files that become theirs anyway.
        if (::geteuid() == 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd, existing.st_uid, existing.st_gid);
        }
        ::fchmod(fd, existing.st_mode & 07777);
    }

    int error = 0;
    bool written = true;
    try {
        produce([&](const char *bytes, size_t count) {
            if (written && !writeAll(fd, bytes, count, error))
                written = false;
        });
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    if (written && ::fsync(fd) != 0) {
        error = errno;
        written = false;
    }
    if (::close(fd) != 0 && written) {
        error = errno;
        written = false;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        throw MapFileError(writeFailureMessage(error));
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        throw MapFileError(MapFileOpenMessage);
    }
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
