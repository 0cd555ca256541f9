#include "sound/WaveResource.h"
#include "SoundTestSupport.h"

#include <gtest/gtest.h>

namespace {

using velmora::readWaveHeader;
using velmora::test::Bytes;
using velmora::test::fourCc;
using velmora::test::patched;
using velmora::test::riffWave;
using velmora::test::Texts;

const std::string riffMessage = "Sound Error: RIFF header section doesn't match expected format";
const std::string waveMessage = "Sound Error: WAVE header section doesn't match expected format";
const std::string fmtMessage = "Sound Error: fmt header section doesn't match expected format";
const std::string dataMessage = "Sound Error: data section doesn't match expected format";
const Bytes canonical = velmora::test::sineWave(440, 100);
const Bytes pcm = velmora::test::fmtBody(1, 22050, 16);
const Bytes informationList = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};

// The canonical image with the checked ids from the first-th on spoiled: only the first of them
// may be reported, so the checks must run in order and stop at the first failure.
Bytes spoiledFrom(std::size_t first) {
    const std::pair<std::size_t, std::uint32_t> ids[] = {
        {0, fourCc("RIFX")}, {8, fourCc("AVI ")}, {12, fourCc("fmt_")}, {36, fourCc("DATA")}};
    Bytes image = canonical;
    for (std::size_t i = first; i < std::size(ids); ++i) {
        image = patched(image, ids[i].first, ids[i].second);
    }
    return image;
}

class WaveHeaderTest : public testing::Test {
  protected:
    velmora::test::FakeHost host;
};

TEST_F(WaveHeaderTest, CopiesTheHeaderAndTheSamplesOnly) {
    const auto wave = readWaveHeader(host, canonical);
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->length(), 44u + 200u);
    EXPECT_EQ(wave->bytes, canonical);
    Bytes followed = canonical;
    followed.insert(followed.end(), informationList.begin(), informationList.end());
    EXPECT_EQ(readWaveHeader(host, followed)->bytes, canonical);
    EXPECT_EQ(readWaveHeader(host, velmora::test::sineWave(440, 0))->length(), 44u);
    EXPECT_TRUE(takeSoundErrors(host).empty());
}

TEST_F(WaveHeaderTest, RefusesEachDefectWithItsMessageBeforeReadingPastTheImage) {
    Bytes longFmt = pcm;
    longFmt.resize(18);
    const struct {
        const char* name;
        Bytes image;
        Texts messages;
    } defects[] = {
        {"not RIFF", spoiledFrom(0), {riffMessage}},
        {"not WAVE", spoiledFrom(1), {waveMessage}},
        {"fmt without its blank", spoiledFrom(2), {fmtMessage}},
        {"no data at 36", spoiledFrom(3), {dataMessage}},
        {"an 18-byte fmt chunk", riffWave(longFmt, Bytes(200)), {dataMessage}},
        {"a LIST chunk before the data", riffWave(pcm, Bytes(200), informationList), {dataMessage}},
        {"a fmt size that puts the data elsewhere", patched(canonical, 16, 1000), {dataMessage}},
        {"a data size one byte past the end", patched(canonical, 40, 201), {dataMessage}},
        {"the largest data size", patched(canonical, 40, 0xFFFFFFFFu), {dataMessage}},
        // Too short to hold a header: the caller reports it as an unloadable resource.
        {"empty", {}, {}},
        {"one byte short of a header", Bytes(canonical.begin(), canonical.begin() + 43), {}},
    };
    for (const auto& defect : defects) {
        SCOPED_TRACE(defect.name);
        EXPECT_FALSE(readWaveHeader(host, defect.image).has_value());
        EXPECT_EQ(takeSoundErrors(host), defect.messages);
    }
}

} // namespace
