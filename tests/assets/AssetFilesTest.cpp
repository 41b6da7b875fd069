// The files the build leaves beside the program: the sample world, its tiles, the minimap picture and the notes.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <map>
#include <set>

#include "map/CarteVarenthe.h"
#include "map/CostTables.h"
#include "map/PaletteEdit.h"
#include "render/TileLibrary.h"
#include "ui/PaletteTable.h"

namespace {

QString inProgramFolder(const QString &relative) { return QStringLiteral(PELMORIN_OUTPUT_DIR "/") + relative; }

QByteArray readWhole(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Width, |height| and bits per pixel of a .bmp file; zeros when it is none.
std::tuple<int32_t, int32_t, int> bitmapHeader(const QString &path)
{
    const QByteArray bytes = readWhole(path);
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        return {0, 0, 0};
    auto field = [&](int offset, int size) {
        uint32_t v = 0;
        for (int i = size - 1; i >= 0; --i)
            v = (v << 8) | static_cast<uint8_t>(bytes[offset + i]);
        return static_cast<int32_t>(v);
    };
    return {field(18, 4), std::abs(field(22, 4)), field(28, 2)};
}

bool generateInto(const QString &folder)
{
    QProcess generator;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    generator.setProcessEnvironment(environment);
    generator.start(QStringLiteral(PELMORIN_ASSETS_GENERATOR), {folder});
    return generator.waitForFinished(120000) && generator.exitStatus() == QProcess::NormalExit
           && generator.exitCode() == 0;
}

QStringList filesIn(const QString &folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

// Two builds of a package do not differ.
TEST(AssetGeneration, WritesTheSameBytesAtEveryRunAndReportsAnUnwritableFolder)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(generateInto(first.path()) && generateInto(second.path()));
    const QStringList files = filesIn(first.path());
    for (const char *expected : {"pelmorin.vr", "notes.txt", "img/minipelmorin.bmp", "img/250.bmp", "img/4/5090.bmp"})
        EXPECT_TRUE(files.contains(QString::fromLatin1(expected))) << expected;
    for (const QString &file : files) {
        const QByteArray bytes = readWhole(first.filePath(file));
        EXPECT_EQ(bytes, readWhole(second.filePath(file))) << file.toStdString();
        EXPECT_EQ(bytes, readWhole(inProgramFolder(file))) << file.toStdString();
    }
    EXPECT_EQ(filesIn(second.path()), files);
    EXPECT_FALSE(generateInto(first.filePath(QStringLiteral("notes.txt")))) << "a file where the folder should be";
}

TEST(AssetFiles, TilesMarkerAndMinimapAreBitmapsOfTheirSizeAndTheNotesShortWindows1252)
{
    // The empty cell and every palette tile but the zones the program draws itself.
    std::set<int> inUse{0};
    for (const PaletteGrid &grid : paletteCategoryTable())
        for (const auto &row : grid)
            for (const int32_t tile : row)
                if (tile != 0 && (tile < 253 || tile > 256))
                    inUse.insert(tile);
    ASSERT_EQ(inUse.size(), 347u);
    std::map<int, QByteArray> summer;
    for (const char *aspect : {"1", "4"}) {
        std::map<QByteArray, int> seen;
        for (int number : inUse) {
            const QString path =
                inProgramFolder(QStringLiteral("img/%1/%2.bmp").arg(aspect, TileLibrary::tileFileName(number)));
            const QByteArray bytes = readWhole(path);
            EXPECT_EQ(bitmapHeader(path), std::tuple(32, 32, 24)) << path.toStdString();
            const auto [where, added] = seen.emplace(bytes, number);
            EXPECT_TRUE(added) << path.toStdString() << " looks like tile " << where->second;
            // Winter changes every tile but the empty cell and the eraser, which are no landscape.
            EXPECT_TRUE(summer.emplace(number, bytes).second || number == 0 || number == 257 || summer[number] != bytes)
                << path.toStdString() << " is the same in summer and winter";
        }
    }
    // The layer-change marker beside the aspects: a light ground, so the overlay lightens the route cell.
    const QString marker = inProgramFolder(QStringLiteral("img/250.bmp"));
    EXPECT_EQ(bitmapHeader(marker), std::tuple(32, 32, 24));
    EXPECT_TRUE(qGray(QImage(marker).pixel(0, 0)) > 200 && qGray(QImage(marker).pixel(16, 16)) < 100);
    const QString overview = inProgramFolder(QStringLiteral("img/minipelmorin.bmp"));
    EXPECT_EQ(bitmapHeader(overview), std::tuple(188, 102, 8));
    EXPECT_EQ(QImage(overview).format(), QImage::Format_Indexed8);

    const QByteArray notes = readWhole(inProgramFolder(QStringLiteral("notes.txt")));
    EXPECT_TRUE(notes.size() > 0 && notes.size() < 4096); // the about box shows the first 4096 bytes
    EXPECT_TRUE(notes.contains("1.3.5"));
    EXPECT_TRUE(notes.contains('\xE9') && !notes.contains("\xC3\xA9")); // "é" is the single byte E9, not UTF-8's two
    EXPECT_TRUE(notes.endsWith("\r\n") && notes.count("\n") == notes.count("\r\n"));
}

// The sample world a new user opens: named provinces, numbered cities, joined roads, usable rivers.
TEST(SampleWorld, AVersion3WorldOfNamedProvincesCitiesOnRoadsAndUsablePortsAndRivers)
{
    const QString path = inProgramFolder(QStringLiteral("pelmorin.vr"));
    CarteVarenthe world;
    world.open(path.toStdString());
    const auto sides = [&](int32_t x, int32_t y, auto test) {
        return test(world.terrainAt(x + 1, y)) + test(world.terrainAt(x - 1, y)) + test(world.terrainAt(x, y + 1))
               + test(world.terrainAt(x, y - 1));
    };
    {
        SCOPED_TRACE("the file and its provinces");
        const QByteArray bytes = readWhole(path);
        ASSERT_GE(bytes.size(), 44);
        EXPECT_EQ(std::pair(bytes.left(4), int(bytes[8])), std::pair(QByteArray("PMVR"), 3));
        EXPECT_EQ(std::vector({world.width, world.height, world.provinceWidth, world.provinceHeight, world.mapType}),
                  std::vector({300, 169, 20, 13, 1}));
        EXPECT_GT(world.generatedAt, 0);
        EXPECT_EQ(world.costTables, worldCostTables());
        const std::set<std::string> distinct(world.provinceNames.begin(), world.provinceNames.end());
        EXPECT_EQ(std::tuple(world.provinceLayoutCount(), world.provinceNames.size(), distinct.size()),
                  std::tuple(195, size_t{195}, size_t{195}));
        for (const std::string &name : world.provinceNames) // every letter fits the file's code page
            EXPECT_TRUE(!name.empty() && name.find('?') == std::string::npos) << name;
    }
    {
        SCOPED_TRACE("about a hundred numbered cities on the roads, and zones of every kind");
        std::set<int32_t> numbers, zones;
        std::set<std::string> names;
        int cities = 0, linked = 0;
        for (const Element &element : world.elements) {
            if (element.kind == ElementZone) {
                zones.insert(element.number);
                EXPECT_EQ(element.name, zoneName(element.number)) << "the name the palette gives";
                continue;
            }
            ASSERT_EQ(element.kind, ElementCity);
            ++cities;
            numbers.insert(element.number);
            names.insert(element.name);
            EXPECT_TRUE(!element.name.empty() && element.name.find('?') == std::string::npos) << element.name;
            EXPECT_EQ(world.terrainAt(element.x, element.y), 121) << element.name << " stands on a town";
            linked += sides(element.x, element.y, [](int32_t c) { return c >= 110 && c <= 122; }) > 0;
        }
        EXPECT_TRUE(cities >= 90 && cities <= 110) << cities;
        EXPECT_EQ(std::tuple(int(numbers.size()), int(names.size()), *numbers.begin(), *numbers.rbegin()),
                  std::tuple(cities, cities, 1, cities));
        EXPECT_EQ(zones, (std::set<int32_t>{253, 254, 255, 256}));
        EXPECT_GE(linked * 10, cities * 9) << "only a city alone on its island has no road";
    }
    SCOPED_TRACE("ports on the sea beside a town, rivers that go on, roads of the editor's pieces");
    // Water a boat can move on: sea, river, bridge, port.
    const auto afloat = [](int32_t code) { return code == 103 || code == 104 || code == 122 || code == 1; };
    std::map<int32_t, int> counts;
    for (int32_t y = 0; y < world.height; ++y)
        for (int32_t x = 0; x < world.width; ++x) {
            const int32_t code = world.terrainAt(x, y);
            ++counts[code >= 110 && code <= 120 ? 110 : code];
            if (code == 1) {
                EXPECT_GT(sides(x, y, [](int32_t c) { return c == 121; }), 0) << "port by a town at " << x << "," << y;
                EXPECT_GT(sides(x, y, [](int32_t c) { return c == 103; }), 0) << "port on the sea at " << x << "," << y;
            } else if (code == 104) {
                // A river goes on by a side step, never only diagonally.
                EXPECT_GE(sides(x, y, afloat), 1) << "river cell " << x << "," << y;
            } else if (code >= 110 && code <= 120) {
                // The piece the editor would choose for its neighbours.
                const int mask = joinsRoad(world.terrainAt(x - 1, y)) + 2 * joinsRoad(world.terrainAt(x, y - 1))
                                 + 4 * joinsRoad(world.terrainAt(x + 1, y)) + 8 * joinsRoad(world.terrainAt(x, y + 1));
                EXPECT_NE(mask, 0) << "a road never ends in the open, at " << x << "," << y;
                EXPECT_EQ(code, roadPieceFor(mask)) << "road at " << x << "," << y;
            }
        }
    EXPECT_TRUE(counts[110] > 1000 && counts[104] > 200 && counts[1] > 5) << "roads, rivers and ports";
}
