#include "ToolTestSupport.h"

#include "skin/ArchiveWriter.h"
#include "skin/FolderWriter.h"
#include "skin/PngEncoder.h"
#include "skin/StarterSkin.h"

#include <gtest/gtest.h>

#include <sstream>

namespace windlecroft::test {

std::vector<std::uint8_t> makePng(int width, int height, const std::function<Rgba(int x, int y)>& colour, bool withAlpha)
{
    skin::RgbaPicture picture{width, height, {}, withAlpha};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = colour(x, y);
            picture.rgba.insert(picture.rgba.end(), {c.r, c.g, c.b, withAlpha ? c.a : std::uint8_t{255}});
        }
    }
    return skin::encodePng(picture);
}

skin::CompiledSkin compile(const std::string& text, skin::Diagnostics& diagnostics, skin::AssetReader* assets)
{
    MemoryAssets none;
    return skin::compileSource(text, assets ? *assets : none, diagnostics);
}

std::string printed(const skin::Diagnostics& diagnostics)
{
    std::ostringstream out;
    diagnostics.print(out, "skin.toml");
    return out.str();
}

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

void writeText(const std::filesystem::path& path, std::string_view text)
{
    std::filesystem::create_directories(path.parent_path());
    writeFile(path, bytesOf(text));
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path)
{
    return skin::readFileBytes(path).value_or(std::vector<std::uint8_t>{});
}

RunResult runTool(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment)
{
    std::vector<std::string> command{builtProgram("windlecroft-skin").string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runProcess(command, {{}, environment});
}

void writeStarterSource(const std::filesystem::path& folder)
{
    const skin::FolderWriter writer(folder, false);
    for (const skin::SourceFile& file : skin::starterSkin())
        writer.write(file.path, file.bytes);
}

void editSource(const std::filesystem::path& folder, std::string_view from, std::string_view to)
{
    const std::vector<std::uint8_t> bytes = fileBytes(folder / skin::sourceFileName);
    std::string text(bytes.begin(), bytes.end());
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    writeText(folder / skin::sourceFileName, text);
}

} // namespace windlecroft::test
