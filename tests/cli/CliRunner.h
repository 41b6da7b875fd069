#pragma once
// Runs the built pelmorin-cli as a script would, capturing its exit status,
// standard output and standard error.
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char **environ;

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string readWholeFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline CliResult runCli(const std::vector<std::string> &args)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pelmorin-cli-XXXXXX").string();
    const std::filesystem::path capture = ::mkdtemp(pattern.data());
    const std::string outPath = (capture / "out").string();
    const std::string errPath = (capture / "err").string();

    std::vector<std::string> words{PELMORIN_CLI};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    CliResult result;
    pid_t child = 0;
    if (posix_spawn(&child, PELMORIN_CLI, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        if (waitpid(child, &status, 0) == child && WIFEXITED(status))
            result.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = readWholeFile(outPath);
    result.err = readWholeFile(errPath);
    std::error_code ignored;
    std::filesystem::remove_all(capture, ignored);
    return result;
}
