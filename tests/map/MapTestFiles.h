#pragma once
// Helpers of the map tests: files built byte by byte, and a scratch folder
// that disappears with the test.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "map/MapFileHeader.h"

// Little-endian bytes of a map file, appended section by section.
class MapBytes {
public:
    MapBytes &i32(int32_t value)
    {
        const auto v = static_cast<uint32_t>(value);
        for (int b = 0; b < 4; ++b)
            bytes_ += static_cast<char>((v >> (8 * b)) & 0xFF);
        return *this;
    }
    MapBytes &i32s(std::initializer_list<int32_t> values)
    {
        for (const int32_t v : values)
            i32(v);
        return *this;
    }
    MapBytes &u16(uint32_t value)
    {
        bytes_ += static_cast<char>(value & 0xFF);
        bytes_ += static_cast<char>((value >> 8) & 0xFF);
        return *this;
    }
    MapBytes &u8(uint32_t value)
    {
        bytes_ += static_cast<char>(value & 0xFF);
        return *this;
    }
    MapBytes &text(const std::string &text)
    {
        bytes_ += text;
        return *this;
    }
    MapBytes &zeros(size_t count)
    {
        bytes_.append(count, '\0');
        return *this;
    }
    // A header of the given version: "PMVR", dataOffset 44, then the fields.
    MapBytes &header(int32_t version, int32_t generatedAt, int32_t width, int32_t height, int32_t provinceWidth,
                     int32_t provinceHeight, int32_t provinceCount, int32_t bitsPerCell, int32_t mapType)
    {
        return i32s({MapFileMagic, 44, version, generatedAt, width, height, provinceWidth, provinceHeight,
                     provinceCount, bitsPerCell, mapType});
    }
    MapBytes &costTables() { return zeros(MapFileCostTablesSize); }

    const std::string &str() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pelmorin-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    std::string file(const std::string &name) const { return (path_ / name).string(); }
    const std::filesystem::path &path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
