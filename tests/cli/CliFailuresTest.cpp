// pelmorin-cli on a hostile system: no memory, no room for its output, and
// a script that gets every argument wrong. Whatever happens, a French
// message and a status the script can act on; never a signal.
#include <gtest/gtest.h>

#include "../map/MapTestFiles.h"
#include "CliRunner.h"

namespace {

#ifdef PELMORIN_SANITIZED
constexpr bool UnderSanitizer = true;
#else
constexpr bool UnderSanitizer = false;
#endif

// Words of the argument parser's own English texts.
std::string englishIn(const std::string &text)
{
    for (const char *word : {"Usage", "Options:", "Print this", "required", "expected", "Run with", "ubcommand",
                             "Positionals", "REQUIRED", "TEXT ", "INT ", "not in", "exist"}) {
        if (text.find(word) != std::string::npos)
            return word;
    }
    return {};
}

} // namespace

TEST(CliOnAHostileSystem, aLackOfMemoryDuringTheSearchIsReportedLikeAnyOther)
{
    if (UnderSanitizer)
        GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
    ScratchFolder folder;
    const std::string map = folder.file("grande.vr");
    ASSERT_EQ(runCli({"new", map, "--size", "4096,4096", "--fill", "100"}).status, 0);
    // Room to read the map, not for the search's five grids of it.
    CliLimits limits;
    limits.addressSpace = rlim_t(256) << 20;
    limits.standardOutput = "/dev/null";
    ASSERT_EQ(runCli({"info", map}, limits).status, 0);
    const CliResult route = runCli({"route", map, "--from", "1,1"}, limits);
    EXPECT_EQ(route.signal, 0);
    EXPECT_EQ(route.status, 1);
    EXPECT_NE(route.err.find("La mémoire manque"), std::string::npos) << route.err;
}

TEST(CliOnAHostileSystem, anAnswerThatCannotBeWrittenIsAFailure)
{
    ScratchFolder folder;
    const std::string map = folder.file("ville.vr");
    ASSERT_EQ(runCli({"new", map, "--preset", "city"}).status, 0);
    CliLimits full;
    full.standardOutput = "/dev/full";
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"info", map}, {"info", map, "--terrain"}, {"route", map, "--from", "1,1"},
          {"info", "--help"}}) {
        const CliResult result = runCli(args, full);
        EXPECT_EQ(result.status, 1) << args[1];
        EXPECT_NE(result.err.find("Impossible d'écrire la sortie standard : le disque est plein."),
                  std::string::npos)
            << result.err;
    }
}

TEST(CliOnAHostileSystem, helpAndRefusalsAreInFrench)
{
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"--help"}, {"info", "--help"}, {"new", "--help"}, {"edit", "--help"},
          {"convert", "--help"}, {"route", "--help"}}) {
        const CliResult help = runCli(args);
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(help.out.find("Utilisation : pelmorin-cli"), std::string::npos) << help.out;
        EXPECT_EQ(englishIn(help.out), "") << help.out;
    }
    EXPECT_NE(runCli({"edit", "--help"}).out.find("Code de sortie 3"), std::string::npos);

    // Every refusal of the arguments: status 2, the French hint, nothing written.
    ScratchFolder folder;
    const std::string map = folder.file("carte.vr");
    ASSERT_EQ(runCli({"new", map, "--preset", "city"}).status, 0);
    const std::string out = folder.file("sortie.vr");
    for (const std::vector<std::string> &args : std::vector<std::vector<std::string>>{
             {}, {"info"}, {"info", "a", "b", "c"}, {"route", "a.vr"}, {"route", "a.vr", "--from"}, {"--voler"},
             {"voler"}, {"convert", map}, {"new", out}, {"new", out, "--provinces", "2,2"},
             {"new", out, "--preset", "lune"}, {"new", out, "--fill", "x"},
             {"new", out, "--preset", "world", "--size", "10,10"}, {"new", out, "--size", "10"},
             {"new", out, "--size", "0,10"}, {"new", out, "--size", "4097,10"},
             {"new", out, "--size", "10,10", "--fill", "6000"}, {"edit", map, "--paint", "1,1,100"},
             {"edit", map, "-o", out, "--paint", "1,1"}, {"edit", map, "-o", out, "--paint", "a,1,100"},
             {"edit", map, "-o", out, "--city", "1,1,Alba"}}) {
        const CliResult refused = runCli(args);
        const std::string line = args.empty() ? "" : args.back();
        EXPECT_EQ(refused.status, 2) << line;
        EXPECT_NE(refused.err.find("Pour l'aide : pelmorin-cli --help"), std::string::npos) << refused.err;
        EXPECT_EQ(englishIn(refused.err), "") << refused.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}
