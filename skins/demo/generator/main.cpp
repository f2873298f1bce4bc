// windlecroft-demo-generator: makes everything the demo skin needs that is not text: its
// pictures and window masks from the layout in skin.toml, the pieces its side channel plays,
// and the playlist's music files next to the skin. It first checks that the text the player
// draws in the skin's lists fits them.
#include "MusicSet.h"
#include "PictureSet.h"
#include "SkinLayout.h"
#include "TextFit.h"
#include "TextPainter.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    CLI::App app{"Draws the demo skin's pictures and composes its music."};
    std::string source;
    std::string assets;
    std::string skin;
    std::string fonts;
    app.add_option("--source", source, "The skin's skin.toml")->required();
    app.add_option("--assets", assets, "Folder to write pictures, masks and side-channel pieces into")->required();
    app.add_option("--skin", skin, "The skin folder: the playlist's music files go there")->required();
    app.add_option("--fonts", fonts, "Folder holding DejaVuSans.ttf and DejaVuSans-Bold.ttf")->required();
    CLI11_PARSE(app, argc, argv);

    using namespace windlecroft::demo;
    try {
        const SkinLayout layout = SkinLayout::read(source);
        TextPainter text(std::filesystem::path(fonts) / "DejaVuSans.ttf", std::filesystem::path(fonts) / "DejaVuSans-Bold.ttf");
        checkTextFits(layout, text);
        writePictures(layout, text, assets);
        writeSidePieces(assets);
        writePlaylistMusic(layout, skin);
    } catch (const std::exception& error) {
        std::cerr << "windlecroft-demo-generator: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
