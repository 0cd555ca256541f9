#include "sound/WaveUpload.h"
#include "SoundTestSupport.h"

#include <gtest/gtest.h>

namespace {

using velmora::test::Bytes;
using velmora::test::fmtBody;
using velmora::test::riffWave;
using velmora::test::Texts;

// Each image goes into a pool pair of its own that no sound has taken.
class WaveUploadTest : public velmora::test::ManagerFixture {};

TEST_F(WaveUploadTest, FillsTheBufferOrShowsTheUploadMessage) {
    const struct {
        const char* name;
        Bytes image;
        ALint channels, bits, frequency, size; // size 0: refused
    } uploads[] = {
        {"mono 16-bit", velmora::test::sineWave(300, 1234, 11025), 1, 16, 11025, 2468},
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
        const auto wave = velmora::readWaveHeader(host, upload.image);
        ASSERT_TRUE(wave.has_value());
        const bool accepted = upload.size > 0;
        EXPECT_EQ(velmora::uploadWave(host, *wave, buffer, source), accepted);
        EXPECT_EQ(takeSoundErrors(host),
                  accepted ? Texts{} : Texts{"Error load sounding. Need more buffers?"});
        EXPECT_EQ(bufferInt(buffer, AL_SIZE), upload.size);
        if (accepted) {
            EXPECT_EQ(bufferInt(buffer, AL_CHANNELS), upload.channels);
            EXPECT_EQ(bufferInt(buffer, AL_BITS), upload.bits);
            EXPECT_EQ(bufferInt(buffer, AL_FREQUENCY), upload.frequency);
            ALint attached = 0;
            alGetSourcei(source, AL_BUFFER, &attached);
            EXPECT_EQ(static_cast<ALuint>(attached), buffer);
        }
    }
}

} // namespace
