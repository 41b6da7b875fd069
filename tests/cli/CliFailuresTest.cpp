// pelmorin-cli on a hostile system (no memory, no room for its output, every
// argument wrong): a French message and a status, never a signal.
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
    CliLimits limits; // room to read the map, not for the search's five grids of it
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

TEST(CliOnAHostileSystem, helpIsInFrench)
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
}

// Every refusal: status 2, nothing on standard output, the French hint and what was wrong, nothing written.
TEST(CliOnAHostileSystem, everyRefusedArgumentIsNamedInFrench)
{
    ScratchFolder folder;
    const std::string city = folder.file("carte.vr"), out = folder.file("sortie.vr"), towns = savedTowns(folder.path());
    ASSERT_EQ(runCli({"new", city, "--preset", "city"}).status, 0);
    const struct {
        std::vector<std::string> args; // "@city", "@towns" and "@out" stand for the files
        std::vector<std::string> inMessage;
    } refusals[] = {
        {{}, {}}, {{"info"}, {}}, {{"--voler"}, {}}, {{"voler"}, {}}, {{"new", "@out"}, {}},
        {{"new", "@out", "--preset", "world", "--size", "10,10"}, {}}, {{"new", "@out", "--size", "0,10"}, {}},
        {{"new", "@out", "--size", "4097,10"}, {}}, {{"new", "@out", "--size", "10,10", "--fill", "6000"}, {}},
        {{"edit", "@city", "-o", "@out", "--paint", "1,1"}, {}},
        {{"route", "@city"}, {"--from ou --from-city est nécessaire"}},
        {{"route", "@city", "--from", "1"}, {"« 1 » : 2 entiers"}},
        {{"route", "@city", "--from", "20,0"}, {"hors de la carte"}},
        {{"route", "@city", "--from", "0,0", "--to", "0,-1"}, {"--to", "hors de la carte"}},
        {{"route", "@towns", "--from-city", "port"}, {"--from-city", "désigne 2 villes", "Port-Noron, Port-Aval"}},
        {{"route", "@towns", "--from-city", "Bruiere"}, {"aucune ville", "villes proches : Brurières"}},
        {{"route", "@towns", "--from", "0,0", "--to-city", "Lyon"},
         {"--to-city", "« Lyon » : aucune ville de ce nom ni de ce numéro."}},
        {{"route", "@towns", "--from-city", "brume"}, {"aucune ville"}},
        {{"route", "@towns", "--from", "0,0", "--from-city", "12"}, {}},
        {{"route", "@towns", "--to-city", "12"}, {"--from ou --from-city"}},
        {{"matrix", "@towns", "--cities", "12,99"}, {"--cities"}}, {{"matrix", "@towns", "--cities", "252"}, {"--cities"}},
        {{"matrix", "@towns", "--format", "xml"}, {"--format"}}, {{"matrix", "@towns", "--jobs", "0"}, {"--jobs"}},
    };
    for (const auto &refusal : refusals) {
        std::vector<std::string> args = refusal.args;
        std::string line;
        for (std::string &arg : args) {
            arg = arg == "@city" ? city : arg == "@towns" ? towns : arg == "@out" ? out : arg;
            line += refusal.args.empty() ? "" : " " + arg;
        }
        SCOPED_TRACE(line);
        const CliResult refused = runCli(args);
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.out, "");
        EXPECT_NE(refused.err.find("Pour l'aide : pelmorin-cli --help"), std::string::npos) << refused.err;
        EXPECT_EQ(englishIn(refused.err), "") << refused.err;
        for (const std::string &part : refusal.inMessage)
            EXPECT_NE(refused.err.find(part), std::string::npos) << refused.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}
