// OpenAL Soft reads its configuration on first use, so the test configuration is named before
// main runs: the default device is the silent null device, and loopback rendering is exact.
#include <cstdlib>

namespace {

const bool configurationNamed = [] {
    setenv("ALSOFT_CONF", VELMORA_SOUND_TEST_CONF, 1);
    setenv("ALSOFT_LOGLEVEL", "1", 1);
    return true;
}();

} // namespace

// The wave library copies the samples of every image it reads and never hands the copy back; the
// program keeps those copies for its whole run.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libalut.so\n";
}

// OpenAL Soft's own threads hand data over through atomics in the library, which ThreadSanitizer
// does not see: the library's own accesses through the sanitizer's interceptors are left out.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libopenal.so\n";
}
