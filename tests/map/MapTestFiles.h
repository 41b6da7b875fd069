#pragma once
// Map files built byte by byte, a scratch folder, and a child process for limits and namespaces.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include "map/MapErrors.h"
#include "map/MapFileHeader.h"

// Little-endian bytes of a map file, appended section by section.
class MapBytes {
public:
    MapBytes &i32s(std::initializer_list<int32_t> values)
    {
        for (const int32_t v : values)
            for (int b = 0; b < 4; ++b)
                bytes_ += static_cast<char>((static_cast<uint32_t>(v) >> (8 * b)) & 0xFF);
        return *this;
    }
    MapBytes &i32(int32_t value) { return i32s({value}); }
    MapBytes &u16(uint32_t value) { return u8(value).u8(value >> 8); }
    MapBytes &u8(uint32_t value) { return text(std::string(1, static_cast<char>(value & 0xFF))); }
    MapBytes &text(const std::string &text) { bytes_ += text; return *this; }
    MapBytes &zeros(size_t count) { return text(std::string(count, '\0')); }
    // "PMVR", data offset 44, then the header fields.
    MapBytes &header(int32_t version, int32_t generatedAt, int32_t width, int32_t height, int32_t provinceWidth,
                     int32_t provinceHeight, int32_t provinceCount, int32_t bitsPerCell, int32_t mapType)
    {
        return i32s({MapFileMagic, 44, version, generatedAt, width, height, provinceWidth, provinceHeight,
                     provinceCount, bitsPerCell, mapType});
    }
    MapBytes &costTables() { return zeros(MapFileCostTablesSize); }
    const std::string &str() const { return bytes_; }

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
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string &name) const { return (path_ / name).string(); }
    const std::filesystem::path &path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

inline std::string readBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A text against tests/map/data/<name>; PELMORIN_UPDATE_GOLDEN=1 rewrites it, to review.
inline std::string goldenTextProblem(const std::string &text, const std::string &name)
{
    const std::string path = std::string(PELMORIN_SOURCE_DIR) + "/tests/map/data/" + name;
    if (const char *update = std::getenv("PELMORIN_UPDATE_GOLDEN"); update && std::string(update) == "1")
        writeBytes(path, text);
    return readBytes(path) == text ? "" : "differs from the golden file " + path;
}

// The message of the map file error `action` throws, or "done".
template <typename Action>
std::string failureOf(Action action)
{
    try {
        action();
    } catch (const MapFileError &error) {
        return error.what();
    }
    return "done";
}

// The exit status of `body` run in a child process, -1 when it did not exit normally.
template <typename Body>
int exitStatusOfChild(Body body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
