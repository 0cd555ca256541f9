#include "sound/WaveResource.h"
#include "SoundTestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::Bytes;
using test::fourCc;
using test::patched;

// Only the first failed check is reported, so the checks run in order and stop at the first; none
// reads past the image, and a copy holds the header and the samples only.
TEST(WaveHeader, CopiesACanonicalImageAndRefusesEachDefectWithItsMessage) {
    const Bytes canonical = test::riffWave(1, 22050, 16, Bytes(200, 7));
    const Bytes silent = patched(Bytes(canonical.begin(), canonical.begin() + 44), 40, 0);
    Bytes followed = canonical;
    followed.insert(followed.end(), {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'});
    const Bytes noData = patched(canonical, 36, fourCc("DATA"));
    const Bytes noFmt = patched(noData, 12, fourCc("FMT "));
    const Bytes noWave = patched(noFmt, 8, fourCc("AVI "));
    const std::string data = "data section";
    const struct {
        const char* name;
        Bytes image;
        std::string problem; // empty: accepted, or refused without a message when too short
        Bytes copy = {};
    } cases[] = {
        {"canonical", canonical, "", canonical},
        {"followed by a chunk", followed, "", canonical},
        {"without samples", silent, "", silent},
        {"not RIFF", patched(noWave, 0, fourCc("RIFX")), "RIFF header section"},
        {"not WAVE", noWave, "WAVE header section"},
        {"fmt without its blank", noFmt, "fmt header section"},
        {"no data at 36", noData, data},
        {"a fmt size that puts the data elsewhere", patched(canonical, 16, 1000), data},
        {"a data size one byte past the end", patched(canonical, 40, 201), data},
        {"the largest data size", patched(canonical, 40, 0xFFFFFFFFu), data},
        // Too short to hold a header: the caller reports it as an unloadable resource.
        {"empty", {}, ""},
        {"one byte short of a header", Bytes(canonical.begin(), canonical.begin() + 43), ""},
    };
    test::FakeHost host;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto wave = readWaveHeader(host, c.image);
        EXPECT_EQ(wave ? wave->bytes : Bytes{}, c.copy);
        EXPECT_EQ(wave.has_value(), !c.copy.empty());
        EXPECT_EQ(host.takeTexts(), c.problem.empty()
                                        ? test::Texts{}
                                        : test::Texts{"Sound Error: " + c.problem +
                                                      " doesn't match expected format"});
    }
}

} // namespace
} // namespace velmora
