#pragma once
// Where the map file reader takes a file's bytes from: a block in memory
// (the fuzz target, the tests), or the file itself. From a file the cells,
// nearly all of a large map, are read piece by piece straight into the
// terrain, and only the rest is held in memory: no copy of the whole file is
// ever made.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual int64_t size() const = 0;
    // Bytes [from, from + length), all within size(); valid as long as the
    // source. Throws MapFileError when the bytes cannot be read.
    virtual std::string_view bytes(int64_t from, int64_t length) = 0;
    // `cellCount` cells of `bytesPerCell` bytes (1 or more) from `from` on,
    // into `out`, little-endian, the first four bytes at most making the tile
    // number. Safe to call from two threads at once for different cells.
    virtual void cells(int32_t *out, int64_t from, int64_t cellCount, int32_t bytesPerCell) = 0;
};

class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    int64_t size() const override { return static_cast<int64_t>(bytes_.size()); }
    std::string_view bytes(int64_t from, int64_t length) override;
    void cells(int32_t *out, int64_t from, int64_t cellCount, int32_t bytesPerCell) override;

private:
    std::string_view bytes_;
};

// Reads an open file by position; the file stays the caller's to close.
class FileByteSource : public ByteSource {
public:
    FileByteSource(int fd, int64_t size) : fd_(fd), size_(size) {}
    int64_t size() const override { return size_; }
    std::string_view bytes(int64_t from, int64_t length) override;
    void cells(int32_t *out, int64_t from, int64_t cellCount, int32_t bytesPerCell) override;

private:
    void readAt(char *to, int64_t from, int64_t length) const;

    int fd_;
    int64_t size_;
    std::vector<std::unique_ptr<char[]>> blocks_;
};
