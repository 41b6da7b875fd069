// pelmorin-cli render on a server with no display: the picture "Enregistrer
// bitmap" saves, at a zoom, with a configuration's settings and a route.
#include <QColor>
#include <QImage>
#include <algorithm>

#include "CliRunner.h"

namespace {

namespace fs = std::filesystem;

QImage picture(const fs::path &path)
{
    return QImage(QString::fromStdString(path.string())).convertToFormat(QImage::Format_RGB32);
}
uint32_t rgb(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

class RenderCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) // as on a server
            ::unsetenv(variable);
        fs::create_directories(folder / "tiles");
        for (const auto &[code, colour] : {std::pair{100, QColor(40, 160, 60)}, std::pair{103, QColor(20, 60, 200)}}) {
            QImage tile(32, 32, QImage::Format_RGB888); // grass, deep water
            tile.fill(colour);
            ASSERT_TRUE(tile.save(QString::fromStdString((folder / "tiles" / (std::to_string(code) + ".bmp")).string())));
        }
        CarteVarenthe map;
        map.create(20, 13, 0, 0, 0, 100);
        for (int x = 0; x < 20; ++x)
            map.terrain.at(x, 9) = 103;
        map.save((folder / "plain.vr").string());
        // No grid, times, highlighted borders or names; keys in Windows-1252 as the program writes them.
        std::ofstream(folder / "quiet.cfg", std::ios::binary)
            << "[Affichage]\r\nGrille=0\r\nAfficher Temps=0\r\nSurligner Fronti\xE8res=0\r\n"
               "Afficher Noms Provinces=0\r\n";
    }

    std::string path(const std::string &name) const { return (folder / name).string(); }
    CliResult render(const std::string &output, std::vector<std::string> options = {},
                     const CliLimits &limits = {}) const
    {
        options.insert(options.begin(), {"render", path("plain.vr"), "-o", path(output), "--aspect", path("tiles")});
        return runCli(options, limits);
    }

    ScratchFolder scratch;
    const fs::path folder = scratch.path();
};

} // namespace

TEST_F(RenderCli, WritesTheWholeMapAtTheZoomAndGridOfTheSettings)
{
    // The pixels are the renderer's; here, the size each option gives and the tiles of --aspect.
    const struct {
        const char *output;
        std::vector<std::string> options;
        int width, height;
    } cases[] = {
        {"full.bmp", {}, 660, 429},
        {"half.bmp", {"--zoom", "50"}, 340, 221},
        {"nogrid.bmp", {"--zoom", "50", "--config", path("quiet.cfg")}, 320, 208},
    };
    for (const auto &c : cases) {
        const CliResult run = render(c.output, c.options);
        ASSERT_EQ(run.status, 0) << run.err;
        const QImage written = picture(folder / c.output);
        EXPECT_EQ(written.size(), QSize(c.width, c.height)) << c.output;
        EXPECT_EQ(rgb(written, 8, 8), 0x28A03Cu) << "grass";
    }
    // A name ending in .png gets a PNG of the same picture.
    ASSERT_EQ(render("full.png").status, 0);
    EXPECT_EQ(readBytes((folder / "full.png").string()).substr(0, 4), "\x89PNG");
    EXPECT_EQ(picture(folder / "full.png"), picture(folder / "full.bmp"));
}

// The route drawn, and a region cut from the whole picture with its route.
TEST_F(RenderCli, DrawsTheRouteFromTheStartToTheEndAndARegionIsThatRectangleOfTheWholePicture)
{
    const CliResult run = render("route.bmp", {"--config", path("quiet.cfg"), "--from", "2,3", "--to", "12,3"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Durée de l'itinéraire : "), std::string::npos) << run.out;
    const QImage route = picture(folder / "route.bmp");
    EXPECT_NE(rgb(route, 7 * 32 + 16, 3 * 32 + 16), 0x28A03Cu) << "a cell of the route is no longer grass";
    EXPECT_EQ(rgb(route, 7 * 32 + 16, 6 * 32 + 16), 0x28A03Cu) << "a cell away from the route";
    ASSERT_EQ(render("whole.bmp", {"--from", "2,3", "--to", "12,9", "--embark"}).status, 0);
    ASSERT_EQ(render("part.bmp", {"--from", "2,3", "--to", "12,9", "--embark", "--region", "5,2,9,8"}).status, 0);
    EXPECT_EQ(picture(folder / "part.bmp"), picture(folder / "whole.bmp").copy(5 * 33, 2 * 33, 9 * 33, 8 * 33));
}

TEST_F(RenderCli, RefusesBadArgumentsAndUnreadableMapsWithoutWriting)
{
    std::ofstream(folder / "broken.vr", std::ios::binary) << "not a map at all";
    expectGoldenTranscript("render-refusals.txt", {{"@dir", folder.string()}});
    EXPECT_FALSE(fs::exists(folder / "a.bmp"));
    EXPECT_FALSE(fs::exists(folder / "a.jpg"));
}

// A file-size limit and a full disk: not killed, it says why in French and leaves no picture.
TEST_F(RenderCli, APictureThatCannotBeWrittenIsRefusedInFrench)
{
    CliLimits small;
    small.fileSize = 4096;
    CliResult run;
    for (const char *name : {"limite.bmp", "limite.png"}) { // a PNG's size is unknown before it is written
        run = render(name, {}, small);
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(run.err.find("Impossible d'enregistrer l'image"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("le fichier dépasserait la taille autorisée."), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "one French line: " << run.err;
        EXPECT_FALSE(fs::exists(folder / name));
    }

    // A tiny disk of our own, in a private mount namespace.
    fs::create_directory(folder / "disque");
    std::ofstream(folder / "monte.sh") << "mount -t tmpfs -o size=64k tmpfs \"$1\" || exit 77\nshift\nexec \"$@\"\n";
    CliLimits ownDisk;
    ownDisk.wrapper = {"unshare", "-Urm", "sh", path("monte.sh"), path("disque")};
    run = render("disque/plein.bmp", {}, ownDisk);
    if (run.status == 77)
        GTEST_SKIP() << "no private mount namespace on this machine";
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("plein.bmp » : le disque est plein."), std::string::npos) << run.err;
}
