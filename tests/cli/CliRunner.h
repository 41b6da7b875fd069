#pragma once
// Runs the built pelmorin-cli as a script would, optionally under the limits
// of a hostile system, and captures its status and output.
#include <fcntl.h>
#include <map>
#include <sstream>
#include <sys/resource.h>
#include <vector>

#include <gtest/gtest.h>

#include "../map/MapTestFiles.h"
#include "map/CarteVarenthe.h"

struct CliLimits {
    rlim_t addressSpace = RLIM_INFINITY; // bytes (ulimit -v)
    rlim_t fileSize = RLIM_INFINITY;     // bytes (ulimit -f)
    std::string standardOutput;          // a file such as /dev/full instead of the capture
    std::vector<std::string> wrapper;    // a command that runs the program, such as unshare
};

struct CliResult {
    int status = -1; // -1 when a signal ended the program
    int signal = 0;
    std::string out;
    std::string err;
};

inline CliResult runCli(const std::vector<std::string> &args, const CliLimits &limits = {})
{
    const ScratchFolder capture;
    const std::string outPath = limits.standardOutput.empty() ? capture.file("out") : limits.standardOutput;
    const std::string errPath = capture.file("err");

    std::vector<std::string> words = limits.wrapper;
    words.push_back(PELMORIN_CLI);
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    CliResult result;
    const pid_t child = ::fork();
    if (child == 0) {
        // Only calls that are safe between fork and exec.
        const rlimit memory{limits.addressSpace, limits.addressSpace};
        const rlimit size{limits.fileSize, limits.fileSize};
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0
            || ::setrlimit(RLIMIT_AS, &memory) != 0 || ::setrlimit(RLIMIT_FSIZE, &size) != 0)
            ::_exit(127);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child) {
        if (WIFEXITED(status))
            result.status = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            result.signal = WTERMSIG(status);
    }
    if (limits.standardOutput.empty())
        result.out = readBytes(outPath);
    result.err = readBytes(errPath);
    return result;
}

// Held against tests/cli/data/<name>; PELMORIN_UPDATE_GOLDEN=1 remakes it, to be read before committing.
inline void expectGoldenText(const std::string &text, const std::string &name)
{
    const std::filesystem::path golden = std::filesystem::path(PELMORIN_SOURCE_DIR) / "tests/cli/data" / name;
    if (const char *update = std::getenv("PELMORIN_UPDATE_GOLDEN"); update && std::string(update) == "1")
        writeBytes(golden.string(), text);
    EXPECT_EQ(text, readBytes(golden.string())) << name;
}

// Runs the command lines ("$" and words, "@name..." for a path of `files`) of
// tests/cli/data/<name> and holds each one's status and output against it.
inline void expectGoldenTranscript(const std::string &name, const std::map<std::string, std::string> &files)
{
    std::istringstream golden(readBytes((std::filesystem::path(PELMORIN_SOURCE_DIR) / "tests/cli/data" / name).string()));
    std::string transcript;
    for (std::string line; std::getline(golden, line);) {
        if (line.empty() || line[0] != '$')
            continue;
        std::vector<std::string> args;
        std::istringstream words(line.substr(1));
        for (std::string word; words >> word; args.push_back(word))
            for (const auto &[alias, path] : files)
                if (word.rfind(alias, 0) == 0)
                    word = path + word.substr(alias.size());
        CliResult run = runCli(args);
        for (const auto &[alias, path] : files)
            for (std::string *text : {&run.out, &run.err})
                for (size_t at; (at = text->find(path)) != std::string::npos;)
                    text->replace(at, path.size(), alias);
        transcript += line + "\nstatus " + std::to_string(run.status) + "\n" + run.out + run.err;
    }
    expectGoldenText(transcript, name);
}

// Five towns on a meadow with a lake between the first two, and a zone.
inline std::string savedTowns(const std::filesystem::path &folder)
{
    CarteVarenthe map;
    map.create(9, 4, 0, 0, 1, 100);
    for (int32_t y = 0; y < 3; ++y)
        map.SetCellTile(3, y, 103);
    map.SetCellElement(0, 0, {ElementCity, "Brurières", 0, 0, 12});
    map.SetCellElement(8, 0, {ElementCity, "Port-Noron", 8, 0, 7});
    map.SetCellElement(8, 3, {ElementCity, "Port-Aval", 8, 3, 8});
    map.SetCellElement(4, 3, {ElementCity, "Saint-Élan", 4, 3, 21});
    map.SetCellElement(0, 3, {ElementZone, "Brume", 0, 3, 252});
    const std::string path = (folder / "city-towns.vr").string();
    map.save(path);
    return path;
}
