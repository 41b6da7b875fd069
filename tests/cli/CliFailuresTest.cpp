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

// Every help in French, and every refusal: status 2, the French hint and what was wrong, nothing written.
TEST(CliOnAHostileSystem, everyHelpAndRefusalIsInFrench)
{
    ScratchFolder folder;
    const std::string city = folder.file("carte.vr"), out = folder.file("sortie.vr");
    ASSERT_EQ(runCli({"new", city, "--preset", "city"}).status, 0);
    expectGoldenTranscript("help-and-refusals.txt", {{"@city", city}, {"@out", out}, {"@towns", savedTowns(folder.path())}});
    EXPECT_FALSE(std::filesystem::exists(out));
}
