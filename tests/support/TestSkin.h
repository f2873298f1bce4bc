#pragma once

#include "support/SkinConfigWriter.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace windlecroft::test {

/** A 24-bit BMP file of one colour (0x00RRGGBB). */
std::vector<std::uint8_t> solidBmp(int width, int height, std::uint32_t rgb);

/**
 * A skin for tests: pages with solid-colour pictures (normal, pressed, highlight each its own
 * colour), the panel's window shape and whatever chunks the test writes in between.
 */
class TestSkin {
public:
    explicit TestSkin(int width = 600, int height = 510, std::string_view title = "Test skin");

    struct PageColours {
        std::uint32_t normal;
        std::uint32_t pressed;
        std::uint32_t highlight;
    };

    /** A page named name whose pictures are "Data\<name>.bmp" and its pressed and highlight twins. */
    void addPage(const std::string& name, PageColours colours, bool crossFade = false,
                 const std::function<void(SkinConfigWriter&)>& records = {});

    SkinConfigWriter config;
    ArchiveWriter archive;

    /** Adds the panel shape (every pixel inside) and writes both files into folder. */
    void save(const std::filesystem::path& folder);

    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_;
    int height_;
};

} // namespace windlecroft::test
