// Feeds arbitrary bytes to the wave header checks as a WAVE resource. An image they accept is then
// handed to the wave library, placed just before a page that may not be read, so that any read
// past the checked image ends the run.
#include "FakeHost.h"
#include "platform/Host.h"
#include "sound/WaveResource.h"
#include "sound/WaveUpload.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>

namespace {

// A copy of bytes that ends exactly where an unreadable page begins.
class GuardedCopy {
  public:
    explicit GuardedCopy(std::span<const std::uint8_t> bytes) {
        const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        const std::size_t dataPages = (bytes.size() + page - 1) / page;
        mappedSize_ = (dataPages + 1) * page;
        void* mapped =
            mmap(nullptr, mappedSize_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) {
            __builtin_trap();
        }
        mapped_ = static_cast<std::uint8_t*>(mapped);
        mprotect(mapped_ + dataPages * page, page, PROT_NONE);
        std::uint8_t* start = mapped_ + dataPages * page - bytes.size();
        std::memcpy(start, bytes.data(), bytes.size());
        copy_ = {start, bytes.size()};
    }
    ~GuardedCopy() { munmap(mapped_, mappedSize_); }

    GuardedCopy(const GuardedCopy&) = delete;
    GuardedCopy& operator=(const GuardedCopy&) = delete;

    std::span<const std::uint8_t> bytes() const { return copy_; }

  private:
    std::uint8_t* mapped_ = nullptr;
    std::size_t mappedSize_ = 0;
    std::span<const std::uint8_t> copy_;
};

} // namespace

// The wave library copies the samples of every image it reads and never hands the copy back.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libalut.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static velmora::test::FakeHost host;
    host.takeMessages(); // only whether a message box comes matters, not its text

    const std::span<const std::uint8_t> resource(data, size);
    const auto wave = velmora::readWaveHeader(host, resource);
    if (!wave) {
        return 0;
    }
    // An accepted image is a prefix of the resource, data size + 44 bytes long.
    if (wave->length() != velmora::WaveHeader::size + wave->header.dataSize ||
        wave->length() > size || !std::equal(wave->bytes.begin(), wave->bytes.end(), data)) {
        __builtin_trap();
    }
    const GuardedCopy guarded(wave->bytes);
    velmora::describeWave(guarded.bytes());
    return 0;
}
