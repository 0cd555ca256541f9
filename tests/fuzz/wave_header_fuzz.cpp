// Feeds arbitrary bytes to the wave header checks as a WAVE resource. An image they accept is then
// handed to the wave library, placed just before a page that may not be read, so that any read
// past the checked image ends the run.
#include "FakeHost.h"
#include "sound/WaveResource.h"
#include "sound/WaveUpload.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>

// The wave library copies the samples of every image it reads and never hands the copy back.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libalut.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static velmora::test::FakeHost host;
    host.takeMessages(); // only whether a message box comes matters, not its text
    const auto wave = velmora::readWaveHeader(host, std::span(data, size));
    if (!wave) {
        return 0;
    }
    // An accepted image is a prefix of the resource, data size + 44 bytes long.
    const std::size_t length = wave->length();
    if (length != velmora::WaveHeader::size + wave->header.dataSize || length > size ||
        !std::equal(wave->bytes.begin(), wave->bytes.end(), data)) {
        __builtin_trap();
    }
    // A copy that ends exactly where an unreadable page begins.
    const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE)), end = (length / page + 1) * page;
    void* mapped =
        mmap(nullptr, end + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        __builtin_trap();
    }
    auto* base = static_cast<std::uint8_t*>(mapped);
    mprotect(base + end, page, PROT_NONE);
    std::memcpy(base + end - length, wave->bytes.data(), length);
    velmora::describeWave(std::span(base + end - length, length));
    munmap(mapped, end + page);
    return 0;
}
