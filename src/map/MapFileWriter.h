#pragma once
// Writing a map file, always version 3 with 16-bit cells. `CarteVarenthe::save`
// streams the file through one small buffer into a temporary file that then
// replaces the target atomically; the fuzz target and the benchmarks use the
// pieces directly.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class CarteVarenthe;

struct EncodedMapFile {
    std::unique_ptr<char[]> bytes;
    size_t size = 0;

    std::string_view view() const { return {bytes.get(), size}; }
};

// Receives the bytes of a file in order, a block at a time.
using MapByteSink = std::function<void(const char *bytes, size_t size)>;

// The version-3 file of `document`, stamped `generatedAt`: `fileSize` is its
// exact size and `streamMapFile` hands its bytes to `sink` in blocks of at
// most 1 MiB. Names are written in Windows-1252; a line break or a zero byte
// inside a name would shift every later name, so each becomes a space.
class MapFileEncoder {
public:
    MapFileEncoder(const CarteVarenthe &document, int32_t generatedAt);
    size_t fileSize() const;
    void streamMapFile(const MapByteSink &sink) const;

private:
    const CarteVarenthe &document_;
    int32_t generatedAt_;
    std::string text_;
};

// The whole file in one buffer.
EncodedMapFile encodeMapFile(const CarteVarenthe &document, int32_t generatedAt);

// Writes `size` bytes produced by `produce` to `path` through an
// AtomicFileWriter. Throws MapFileError with a French message naming the
// file and leaves any existing file untouched on failure.
void writeFileAtomically(const std::string &path, size_t size, const std::function<void(const MapByteSink &)> &produce);
void writeFileAtomically(const std::string &path, std::string_view bytes);

// The local date and time counted in seconds since 1 January 1970 as if local
// time were universal time: the unit of a map file's `generatedAt`.
int32_t mapFileTimestampNow();
