#include "sound/WaveResource.h"
#include "SoundTestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::Bytes;
using test::fourCc;
using test::patched;
using test::Texts;

const Bytes canonical = test::riffWave(test::fmtBody(1, 22050, 16), Bytes(200, 7));
const Bytes informationList = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};

TEST(WaveHeader, CopiesTheHeaderAndTheSamplesOnly) {
    test::FakeHost host;
    Bytes followed = canonical;
    followed.insert(followed.end(), informationList.begin(), informationList.end());
    for (const Bytes& image : {canonical, followed}) {
        const auto wave = readWaveHeader(host, image);
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(wave->bytes, canonical);
        EXPECT_EQ(wave->header.dataSize, 200u);
        EXPECT_EQ(*wave->samples(), 7);
    }
    const Bytes silent = test::riffWave(test::fmtBody(1, 22050, 16), {});
    EXPECT_EQ(readWaveHeader(host, silent)->length(), 44u);
    EXPECT_TRUE(host.takeTexts().empty());
}

// Only the first failed check is reported, so the checks run in order and stop at the first.
TEST(WaveHeader, RefusesEachDefectWithItsMessageBeforeReadingPastTheImage) {
    const auto message = [](const char* section) {
        return Texts{std::string("Sound Error: ") + section + " doesn't match expected format"};
    };
    Bytes longFmt = test::fmtBody(1, 22050, 16);
    longFmt.resize(18);
    const Bytes noData = patched(canonical, 36, fourCc("DATA"));
    const Bytes noFmt = patched(noData, 12, fourCc("fmt_"));
    const Bytes noWave = patched(noFmt, 8, fourCc("AVI "));
    const struct {
        const char* name;
        Bytes image;
        Texts messages;
    } defects[] = {
        {"not RIFF", patched(noWave, 0, fourCc("RIFX")), message("RIFF header section")},
        {"not WAVE", noWave, message("WAVE header section")},
        {"fmt without its blank", noFmt, message("fmt header section")},
        {"no data at 36", noData, message("data section")},
        {"an 18-byte fmt chunk", test::riffWave(longFmt, Bytes(200)), message("data section")},
        {"a LIST chunk before the data",
         test::riffWave(test::fmtBody(1, 22050, 16), Bytes(200), informationList),
         message("data section")},
        {"a fmt size that puts the data elsewhere", patched(canonical, 16, 1000),
         message("data section")},
        {"a data size one byte past the end", patched(canonical, 40, 201), message("data section")},
        {"the largest data size", patched(canonical, 40, 0xFFFFFFFFu), message("data section")},
        // Too short to hold a header: the caller reports it as an unloadable resource.
        {"empty", {}, {}},
        {"one byte short of a header", Bytes(canonical.begin(), canonical.begin() + 43), {}},
    };
    test::FakeHost host;
    for (const auto& defect : defects) {
        SCOPED_TRACE(defect.name);
        EXPECT_FALSE(readWaveHeader(host, defect.image).has_value());
        EXPECT_EQ(host.takeTexts(), defect.messages);
    }
}

} // namespace
} // namespace velmora
