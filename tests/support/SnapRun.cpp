#include "SnapRun.h"

#include <cairo.h>
#include <sys/wait.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace velmora::test {

namespace {

using Image = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Image readPng(const std::filesystem::path& path) {
    Image image(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) {
        image.reset();
    }
    return image;
}

std::uint32_t pixelAt(cairo_surface_t* image, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

long differingPixels(cairo_surface_t* actual, cairo_surface_t* expected,
                     const std::filesystem::path& difference) {
    const int width = cairo_image_surface_get_width(actual);
    const int height = cairo_image_surface_get_height(actual);
    Image picture(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height),
                  cairo_surface_destroy);
    unsigned char* data = cairo_image_surface_get_data(picture.get());
    const int stride = cairo_image_surface_get_stride(picture.get());
    long differing = 0;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t a = pixelAt(actual, x, y);
            const bool same = a == pixelAt(expected, x, y);
            differing += same ? 0 : 1;
            row[x] = same ? (a >> 2) & 0x3F3F3F : 0xFF0000;
        }
    }
    if (differing > 0) {
        cairo_surface_mark_dirty(picture.get());
        cairo_surface_write_to_png(picture.get(), difference.c_str());
    }
    return differing;
}

} // namespace

std::vector<std::uint32_t> Picture::part(int x, int y, int w, int h) const {
    std::vector<std::uint32_t> out;
    for (int row = y; row < y + h; ++row) {
        const auto begin = pixels.begin() + std::ptrdiff_t(row) * width + x;
        out.insert(out.end(), begin, begin + w);
    }
    return out;
}

Picture readPicture(const std::filesystem::path& path) {
    Picture picture;
    if (const Image image = readPng(path)) {
        picture.width = cairo_image_surface_get_width(image.get());
        picture.height = cairo_image_surface_get_height(image.get());
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                picture.pixels.push_back(pixelAt(image.get(), x, y));
            }
        }
    }
    return picture;
}

SnapRun runSnap(const std::string& snap, const std::string& directory, const std::string& arguments,
                const std::string& redirection) {
    const std::string command =
        "cd '" + directory + "' && '" + snap + "' " + arguments + " " + redirection;
    SnapRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> chunk{};
    while (std::fgets(chunk.data(), chunk.size(), pipe) != nullptr) {
        run.out += chunk.data();
    }
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

bool updatingGoldens() {
    const char* update = std::getenv("VELMORA_UPDATE_GOLDEN");
    return update != nullptr && std::string(update) == "1";
}

std::string compareWithExpected(const std::filesystem::path& actual,
                                const std::filesystem::path& expected,
                                const std::filesystem::path& difference) {
    const Image drawn = readPng(actual);
    const Image wanted = readPng(expected);
    if (!drawn) {
        return "no readable picture was drawn: " + actual.string();
    }
    if (!wanted) {
        return "no expected picture " + expected.string() + " (VELMORA_UPDATE_GOLDEN=1 draws it)";
    }
    if (cairo_image_surface_get_width(drawn.get()) != cairo_image_surface_get_width(wanted.get()) ||
        cairo_image_surface_get_height(drawn.get()) !=
            cairo_image_surface_get_height(wanted.get())) {
        return "the sizes differ: " + actual.string() + " and " + expected.string();
    }
    const long differing = differingPixels(drawn.get(), wanted.get(), difference);
    if (differing == 0) {
        return {};
    }
    return std::to_string(differing) + " pixels differ; frame: " + actual.string() +
           "\ndifference: " + difference.string() + "\nexpected: " + expected.string();
}

} // namespace velmora::test
