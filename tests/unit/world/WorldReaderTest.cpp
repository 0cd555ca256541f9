#include "WorldFiles.h"

#include <gmock/gmock.h>

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const char* const kWall = "OBJECT_DEFINITION\nwall\n1\nSURFACE\nfront\n4\n0,0,0\n100,0,0\n"
                          "100,50,0\n0,50,0\nCOLOR_FILL\nstone\n";

std::vector<std::string> colorNames(const World& world) {
    std::vector<std::string> names;
    for (const ColorDefinition& color : world.colors) {
        names.push_back(color.name);
    }
    return names;
}

class WorldReaderTest : public WorldFilesTest {};

TEST_F(WorldReaderTest, ReadsTheExampleWorld) {
    write("w.txt", std::string("COLOR_DEFINITION\nstone\n180,170,150\nDEFAULT_LOCATION\n"
                               "0,55,-400\nDEFAULT_LOCATION\n0,55,-400:0,0-270\n") +
                       kWall + "OBJECT_INSTANCE\nwall\n0,0,200\nOBJECT_INSTANCE\nwall\n" +
                       "200,0,0:0,0-90\nEND\n");
    World& world = parse("w.txt");
    ASSERT_EQ(world.colors.size(), 1u);
    EXPECT_EQ(toArgb(world.colors[0]), 0xFFB4AA96u);
    EXPECT_EQ(world.defaultLocation, (Vertex{0, 55, -400}));
    EXPECT_EQ(world.defaultHeading, 270);
    ASSERT_EQ(world.objectInstances.size(), 2u);
    const Surface& first = world.objectInstances[0].surfaces.at(0);
    EXPECT_EQ(first.vertices[1], (Vertex{100, 0, 200}));
    EXPECT_EQ(first.colorName, "stone");
    EXPECT_EQ(first.fillType, kColorFill);
    // Turned by 90 degrees about its own origin, then moved to x = 200: (100,0,0) -> (200,0,-100).
    const Vertex turned = world.objectInstances[1].surfaces.at(0).vertices[1];
    EXPECT_NEAR(turned.x, 200.0f, 0.01f);
    EXPECT_NEAR(turned.z, -100.0f, 0.01f);
}

TEST_F(WorldReaderTest, LinesCommentsAndEnd) {
    const std::string longName(500, 'n');
    write("w.txt", "# " + std::string(300, 'x') + "\n\nCOLOR_DEFINITION\r\ngrey\r\n128\r\n" +
                       "GROUND_TILES\nCOLOR_DEFINITION\n" + longName + "\n1,2,3\nEND\n" +
                       "COLOR_DEFINITION\nafter_end\n4,5,6\n");
    World& world = parse("w.txt");
    EXPECT_THAT(colorNames(world), ElementsAre("grey", longName));
    EXPECT_EQ(toArgb(world.colors[0]), 0xFF808080u);

    for (const char* line : {"END ", " END", "end", "40"}) {
        write("w.txt", std::string("GROUND_TILES\n") + line + "\n");
        const platform::FatalError error = parseError("w.txt");
        EXPECT_EQ(error.text(), "Expected label OBJECT_DEFINITION or OBJECT_INSTANCE\nlast line: " +
                                    std::string(line) + "\n");
        EXPECT_EQ(error.caption(), "Error");
    }
}

TEST_F(WorldReaderTest, IncludeReadsEachFileOnceAndNamesAfterTheLastBlank) {
    write("colors.txt", "COLOR_DEFINITION\nred\n255,0,0\nEND\nCOLOR_DEFINITION\nlost\n1\n");
    // The last line of a file that includes another needs no line end.
    write("sub/b", "COLOR_DEFINITION\nblue\n0,0,255\nINCLUDE c.txt");
    write("c.txt", "COLOR_DEFINITION\nc\n1\n");
    write("INCLUDEfile", "COLOR_DEFINITION\nodd\n1\n");
    write("w.txt", "INCLUDE colors.txt\nINCLUDE ./colors.txt\nINCLUDE a sub\\b\nINCLUDEfile\n"
                   "INCLUDE sub/../colors.txt\nCOLOR_DEFINITION\nlast\n1\n");
    EXPECT_THAT(colorNames(parse("w.txt")), ElementsAre("red", "blue", "c", "odd", "last"));
    // Files are known by what they are, not by how the INCLUDE line spells them.
    EXPECT_THAT(reader_.includedFiles(),
                ElementsAre("INCLUDEfile", "c.txt", "colors.txt", "sub\\b"));
}

TEST_F(WorldReaderTest, CyclicIncludeIsANoOp) {
    write("a.txt", "COLOR_DEFINITION\nfrom_a\n1\nINCLUDE b.txt\n");
    write("b.txt", "COLOR_DEFINITION\nfrom_b\n2\nINCLUDE a.txt\nINCLUDE b.txt\n");
    write("top.txt", "INCLUDE a.txt\n");
    EXPECT_THAT(colorNames(parse("top.txt")), ElementsAre("from_a", "from_b"));
}

TEST_F(WorldReaderTest, FilesThatCannotBeOpenedNameThemselves) {
    const platform::FatalError config = errorOf([&] { reader_.readConfiguration(); });
    // Outside the working directory's data/, the missing bsp.cfg says where it was looked for.
    EXPECT_EQ(config.text(), "unable to open file: " + dataDirectory() + "/bsp.cfg");
    EXPECT_EQ(config.caption(), "Error");
    write("bsp.cfg", "square.txt\r\nignored.txt\n");
    reader_.readConfiguration();
    EXPECT_EQ(reader_.worldFileName(), "square.txt");

    EXPECT_EQ(parseError("nowhere.txt").text(), "unable to open file: nowhere.txt");
    write("w.txt", "INCLUDE gone.txt\n");
    EXPECT_EQ(parseError("w.txt").text(), "unable to open file: gone.txt");
    // A directory is not a world file.
    write("dir/x", "");
    write("w.txt", "INCLUDE dir\n");
    EXPECT_EQ(parseError("w.txt").text(), "unable to open file: dir");
}

TEST_F(WorldReaderTest, SurfaceBlockErrors) {
    write("w.txt", "OBJECT_DEFINITION\nthing\n1\nSURFAC\n");
    ::testing::internal::CaptureStdout();
    const platform::FatalError unknown = parseError("w.txt");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Encountered unknown directive: SURFAC when expecting SURFACE");
    EXPECT_EQ(unknown.text(), "Encountered unknown directive: SURFAC when expecting SURFACE");
    EXPECT_EQ(unknown.icon(), platform::MessageIcon::None);

    write("w.txt", "OBJECT_DEFINITION\nthing\n1\nSURFACE\nroof\n3\n0,0,0\n1,0,0\n0,0,1\nFILL\n");
    const platform::FatalError fill = parseError("w.txt");
    EXPECT_EQ(fill.text(), "ERROR: surface roof has an invalid fill type!");
    EXPECT_EQ(fill.caption(), "Error");
    EXPECT_EQ(fill.icon(), platform::MessageIcon::Error);
}

TEST_F(WorldReaderTest, FileEndingInsideADirectiveReadsEmptyLines) {
    write("color.txt", "COLOR_DEFINITION\nhalf");
    EXPECT_EQ(toArgb(parse("color.txt").colors.at(0)), 0xFF000000u);
    // A huge corner count at the end of the file reads no phantom corners: the fill is missing.
    write("surface.txt", "OBJECT_DEFINITION\nthing\n1\nSURFACE\nwall\n2000000000\n1,2,3\n");
    EXPECT_EQ(parseError("surface.txt").text(), "ERROR: surface wall has an invalid fill type!");
    write("count.txt", "OBJECT_DEFINITION\nthing\n2000000000\n");
    EXPECT_EQ(parseError("count.txt").text(),
              "Encountered unknown directive:  when expecting SURFACE");
}

TEST_F(WorldReaderTest, TextureFillKeepsTextureAndColour) {
    write("w.txt", "OBJECT_DEFINITION\nt\n1\nSURFACE\ns\n3\n0,0,0:4,5\n1,0,0\n0,1,0\n"
                   "TEXTURE_FILL\nmarble\nwhite\n");
    const Surface& surface = parse("w.txt").definition("t").surfaces.at(0);
    EXPECT_EQ(surface.fillType, kTextureFill);
    EXPECT_EQ(surface.textureName, "marble");
    EXPECT_EQ(surface.colorName, "white");
    EXPECT_EQ(surface.vertices[0], (Vertex{0, 0, 0, 4, 5}));
}

TEST_F(WorldReaderTest, RunawayCopiesAreRefusedWithAMessage) {
    reader_ = WorldReader(dataDirectory(), 1000);
    write("series.txt",
          std::string(kWall) + "OBJECT_ROTATION_SERIES\nring\nwall\n0,0,0\n1,2000,5\n");
    EXPECT_THAT(parseError("series.txt").text(), HasSubstr("world too large: more than 1000"));

    std::string doubling = kWall;
    for (int i = 0; i < 12; ++i) {
        doubling += "CONTAINED_OBJECT\nwall\nwall\n0,0,10\n";
    }
    write("doubling.txt", doubling);
    World::destroy();
    EXPECT_THAT(parseError("doubling.txt").text(), HasSubstr("world too large"));

    // Three rings, each within the limit, copy more than twice the limit between them.
    std::string rings = kWall;
    for (int ring = 0; ring < 3; ++ring) {
        rings += "OBJECT_ROTATION_SERIES\nring" + std::to_string(ring) + "\nwall\n0,0,0\n1,700,5\n";
    }
    write("rings.txt", rings);
    World::destroy();
    EXPECT_EQ(parseError("rings.txt").text(),
              "world too large: more than 2000 surfaces copied into objects and instances");
    reader_.beginReload(); // a new load counts afresh
    write("rings.txt", rings.substr(0, rings.rfind("OBJECT_ROTATION_SERIES")));
    World::destroy();
    EXPECT_NO_THROW(parse("rings.txt"));
}

} // namespace
} // namespace velmora::testing
