#include "map/MapFileWriter.h"

#include <atomic>
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

EncodedMapFile encodeMapFile(const CarteVarenthe &document, int32_t generatedAt)
{
    std::string text;
    for (const std::string &name : document.provinceNames)
        appendLine(text, name);
    for (const Element &element : document.elements)
        appendLine(text, element.name);

    const size_t cellCount = static_cast<size_t>(document.width) * static_cast<size_t>(document.height);
    const size_t size = MapFileHeaderSize + 2 * cellCount + 4 + 16 * document.elements.size()
                        + MapFileCostTablesSize + text.size();
    EncodedMapFile file;
    file.bytes.reset(new char[size]);
    file.size = size;

    char *out = file.bytes.get();
    for (const int32_t field :
         {MapFileMagic, static_cast<int32_t>(MapFileHeaderSize), MapFileVersion, generatedAt, document.width,
          document.height, document.provinceWidth, document.provinceHeight,
          static_cast<int32_t>(document.provinceNames.size()), MapFileBitsPerCell, document.mapType})
        out = putInt32(out, field);

    // 16-bit cells: the low half of each tile number.
    const int32_t *cells = document.terrain.data();
    for (size_t i = 0; i < cellCount; ++i) {
        const auto value = static_cast<uint32_t>(cells[i]);
        out[2 * i] = static_cast<char>(value & 0xFF);
        out[2 * i + 1] = static_cast<char>((value >> 8) & 0xFF);
    }
    out += 2 * cellCount;

    out = putInt32(out, static_cast<int32_t>(document.elements.size()));
    for (const Element &element : document.elements) {
        out = putInt32(out, element.x);
        out = putInt32(out, element.y);
        out = putInt32(out, element.kind);
        out = putInt32(out, element.number);
    }
    for (const CostTable *table : {&document.costTables.footCost, &document.costTables.boatCost,
                                   &document.costTables.wingsCost}) {
        for (const int32_t value : *table)
            out = putInt32(out, value);
    }
    std::memcpy(out, text.data(), text.size());
    return file;
}

void writeFileAtomically(const std::string &path, std::string_view bytes)
{
    // Beyond the file-size limit the kernel would kill the whole program with
    // SIGXFSZ and every open map with it; refuse before writing a byte.
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
        && bytes.size() > limit.rlim_cur)
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
    if (exists)
        ::fchmod(fd, existing.st_mode & 07777);

    int error = 0;
    bool written = writeAll(fd, bytes.data(), bytes.size(), error);
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

    const EncodedMapFile file = encodeMapFile(*this, mapFileTimestampNow());
    writeFileAtomically(path, file.view());
    fileName = path;
    modified = false;
    untitled = false;
}
