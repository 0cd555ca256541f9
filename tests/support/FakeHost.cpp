#include "FakeHost.h"

#include <cstddef>

namespace velmora::test {

std::optional<platform::ResourceBytes> FakeHost::resource(platform::ResourceType type,
                                                          int number) const {
    return locked([&]() -> std::optional<platform::ResourceBytes> {
        const auto found = resources_.find({type, number});
        if (found == resources_.end()) {
            return std::nullopt;
        }
        return platform::ResourceBytes(found->second);
    });
}

void FakeHost::presentImage(const platform::PixelView& image, int x, int y) {
    Shown shown{x, y, image.width, image.height, {}};
    for (int row = 0; row < image.height; ++row) {
        const std::uint32_t* begin = image.pixels + std::ptrdiff_t(row) * image.stride;
        shown.pixels.insert(shown.pixels.end(), begin, begin + image.width);
    }
    locked([&] { shown_.push_back(std::move(shown)); });
}

std::vector<std::string> FakeHost::takeTexts() {
    std::vector<std::string> texts;
    for (const Message& message : takeMessages()) {
        texts.push_back(message.text);
    }
    return texts;
}

} // namespace velmora::test
