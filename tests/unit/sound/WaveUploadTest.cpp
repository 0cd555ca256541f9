#include "sound/WaveUpload.h"
#include "SoundTestSupport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::Bytes;
using test::fmtBody;
using test::riffWave;

// Each image goes into a pool pair of its own that no sound has taken.
class WaveUploadTest : public test::ManagerFixture {};

TEST_F(WaveUploadTest, FillsTheBufferOrShowsTheUploadMessage) {
    const struct {
        const char* name;
        Bytes image;
        ALint channels, bits, frequency, size; // size 0: refused
    } uploads[] = {
        {"mono 16-bit", riffWave(fmtBody(1, 11025, 16), Bytes(2468)), 1, 16, 11025, 2468},
        {"stereo 8-bit", riffWave(fmtBody(2, 8000, 8), Bytes(600, 0x80)), 2, 8, 8000, 600},
        // The library decodes mu-law into a block twice the stored size and keeps it, so the
        // stored samples cannot be handed over with its size.
        {"mu-law", riffWave(fmtBody(1, 8000, 8, 7), Bytes(100, 0xFF)), 0, 0, 0, 0},
        {"32-bit float", riffWave(fmtBody(1, 8000, 32, 3), Bytes(64)), 0, 0, 0, 0},
        {"half a stereo frame", riffWave(fmtBody(2, 8000, 16), Bytes(7)), 0, 0, 0, 0},
    };
    for (std::size_t i = 0; i < std::size(uploads); ++i) {
        const auto& upload = uploads[i];
        SCOPED_TRACE(upload.name);
        const ALuint buffer = manager->bufferNames()[i];
        const ALuint source = manager->sourceNames()[i];
        const bool accepted = upload.size > 0;
        EXPECT_EQ(uploadWave(host, readWaveHeader(host, upload.image).value(), buffer, source),
                  accepted);
        EXPECT_EQ(host.takeTexts(),
                  accepted ? test::Texts{}
                           : test::Texts{"Error load sounding. Need more buffers?"});
        const ALint expected[] = {upload.size, upload.channels, upload.bits, upload.frequency};
        const ALenum parameters[] = {AL_SIZE, AL_CHANNELS, AL_BITS, AL_FREQUENCY};
        for (std::size_t p = 0; p < (accepted ? 4 : 1); ++p) {
            EXPECT_EQ(bufferInt(buffer, parameters[p]), expected[p]) << p;
        }
        ALint attached = 0;
        alGetSourcei(source, AL_BUFFER, &attached);
        EXPECT_EQ(ALuint(attached), buffer);
    }
}

} // namespace
} // namespace velmora
