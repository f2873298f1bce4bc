#include "HostileSkins.h"

#include "TestSkin.h"
#include "skin/ChunkIds.h"
#include "app/SkinBuilder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace windlecroft::test {

namespace {

namespace fs = std::filesystem;

constexpr const char* userFile = "the user's own file";
constexpr const char* victimText = "what the link points to";

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A small working skin: one page that starts the playlist when it is entered, with whatever
// records and chunks the case adds.
struct SkinParts {
    std::vector<std::string> playlist;
    std::function<void(SkinConfigWriter&)> pageRecords;
    std::function<void(TestSkin&)> before;
};

void writeSkin(const fs::path& folder, const SkinParts& parts)
{
    fs::create_directories(folder);
    TestSkin skin(64, 48, "Hostile");
    if (parts.before)
        parts.before(skin);
    skin.addPage("dzien", {0x102030, 0x405060, 0x708090}, false, [&](SkinConfigWriter& config) {
        config.actionRecord(record::enterAction, 0x1001, 0);
        if (parts.pageRecords)
            parts.pageRecords(config);
    });
    std::vector<skin::TrackItem> items;
    for (const std::string& file : parts.playlist)
        items.push_back({"entry", file});
    if (!items.empty())
        skin.config.tracklist(1, items);
    skin.config.startScene("dzien");
    skin.save(folder);
}

void makeFifo(const fs::path& path)
{
    fs::remove(path);
    if (mkfifo(path.c_str(), 0600) != 0)
        throw std::runtime_error("mkfifo failed for " + path.string());
}

void replaceWithFolder(const fs::path& path)
{
    fs::remove(path);
    fs::create_directory(path);
}

void sparseFile(const fs::path& path, std::uintmax_t size)
{
    std::ofstream {path};
    fs::resize_file(path, size);
}

// A 54-byte BMP header claiming a 24-bit picture of width x height without its pixels.
std::vector<std::uint8_t> bmpBomb(std::uint32_t width, std::uint32_t height)
{
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(54);
    out.u32(0);
    out.u32(54);
    out.u32(40);
    out.u32(width);
    out.u32(height);
    out.u16(1);
    out.u16(24);
    for (int i = 0; i < 6; ++i)
        out.u32(0);
    return out.bytes();
}

// Enough "../" to reach the root from any skin folder: at the root ".." stays there.
std::string parentsToRoot()
{
    std::string path;
    for (int i = 0; i < 40; ++i)
        path += "../";
    return path;
}

SkinParts playing(std::string file)
{
    SkinParts parts;
    parts.playlist.push_back(std::move(file));
    return parts;
}

HostileSkin skinWith(
    std::string name, std::string says, SkinParts parts, std::function<void(const fs::path&)> after = {})
{
    return {
        std::move(name), std::move(says), [parts = std::move(parts), after = std::move(after)](const fs::path& root) {
            writeSkin(root / "skin", parts);
            if (after)
                after(root);
        }};
}

} // namespace

void plantUserFiles(const fs::path& root)
{
    fs::create_directories(root / "tmp");
    std::ofstream(root / "tmp" / "krb5cc_1000") << userFile;
    std::ofstream(root / "victim") << victimText;
    fs::create_symlink(root / "victim", root / "tmp" / "krb5cc_link");
}

bool userFilesIntact(const fs::path& root)
{
    return contents(root / "tmp" / "krb5cc_1000") == userFile && fs::is_symlink(root / "tmp" / "krb5cc_link")
        && fs::read_symlink(root / "tmp" / "krb5cc_link") == root / "victim" && contents(root / "victim") == victimText;
}

std::vector<HostileSkin> hostileSkins(const fs::path& pluginFile)
{
    std::vector<HostileSkin> cases;
    cases.push_back(skinWith("a playlist entry that is a folder", "can't play music file d.xm", playing("d.xm"),
        [](const fs::path& root) { fs::create_directory(root / "skin" / "d.xm"); }));
    cases.push_back(skinWith("windlecroft.cfg that is a folder", "windlecroft: can't open config file", {},
        [](const fs::path& root) { replaceWithFolder(root / "skin" / configFileName); }));
    cases.push_back(skinWith("windlecroft.dat that is a folder", "windlecroft: can't open data file", {},
        [](const fs::path& root) { replaceWithFolder(root / "skin" / dataFileName); }));
    cases.push_back(skinWith("a playlist module that is a FIFO", "can't play music file f.xm", playing("f.xm"),
        [](const fs::path& root) { makeFifo(root / "skin" / "f.xm"); }));
    cases.push_back(skinWith("a playlist stream that is a FIFO", "can't play music file f.ogg", playing("f.ogg"),
        [](const fs::path& root) { makeFifo(root / "skin" / "f.ogg"); }));
    cases.push_back(skinWith("windlecroft.cfg that is a FIFO", "windlecroft: can't open config file", {},
        [](const fs::path& root) { makeFifo(root / "skin" / configFileName); }));
    cases.push_back(skinWith("windlecroft.dat that is a FIFO", "windlecroft: can't open data file", {},
        [](const fs::path& root) { makeFifo(root / "skin" / dataFileName); }));
    cases.push_back(skinWith("a playlist entry reaching /dev/zero", "can't play music file a.xm/",
        playing("a.xm/" + parentsToRoot() + "dev/zero"),
        [](const fs::path& root) { fs::create_directory(root / "skin" / "a.xm"); }));
    cases.push_back(skinWith("a playlist entry linked to /dev/zero", "can't play music file z.ogg", playing("z.ogg"),
        [](const fs::path& root) { fs::create_symlink("/dev/zero", root / "skin" / "z.ogg"); }));
    cases.push_back(skinWith("a 3 GiB sparse module in the playlist", "can't play music file big.xm", playing("big.xm"),
        [](const fs::path& root) { sparseFile(root / "skin" / "big.xm", std::uintmax_t {3} << 30); }));

    SkinParts pictures;
    pictures.before = [](TestSkin& skin) {
        skin.archive.add("Data\\bomb.bmp", bmpBomb(8192, 8192));
        for (int i = 0; i < 16; ++i) {
            skin.config.beginPage("bomb" + std::to_string(i), "Data\\bomb.bmp", "Data\\bomb.bmp", "Data\\bomb.bmp");
            skin.config.endPage();
        }
    };
    cases.push_back(
        skinWith("16 pages naming a BMP header that claims 8192 x 8192", "windlecroft: invalid bmp format", pictures));

    SkinParts fonts;
    fonts.before = [](TestSkin& skin) {
        for (int i = 0; i < 20000; ++i)
            skin.config.font("font" + std::to_string(i), "DejaVu Sans", 400, 12);
    };
    cases.push_back(skinWith("20 000 font chunks", "windlecroft: config file corrupted, too many fonts", fonts));

    SkinParts document;
    document.before = [](TestSkin& skin) {
        skin.archive.add("Data\\breaks.txt", std::string(50u << 20, '\n'));
        skin.config.font("lst", "DejaVu Sans", 400, 12);
    };
    document.pageRecords = [](SkinConfigWriter& config) {
        config.textViewer({0, 0, 64, 48}, "lst", 12);
        for (int i = 0; i < 4; ++i)
            config.textBlock("breaks", "Data\\breaks.txt");
    };
    cases.push_back(skinWith("a 50 MB document of line breaks, named four times", "", document));

    for (const char* file : {"krb5cc_1000", "krb5cc_link"}) {
        SkinParts fontFile;
        fontFile.before = [file](TestSkin& skin) {
            skin.archive.add(std::string("Data\\") + file, "not a font, but bytes the player must keep to itself");
            skin.config.fontFile(std::string("Data\\") + file);
        };
        cases.push_back(skinWith(std::string("a font file named like the user's ") + file, "", fontFile));
    }

    // The plugin's name may depend on where the case is built (an absolute path).
    const auto pluginSkin = [&](std::string name, std::function<std::string(const fs::path&)> file) {
        return HostileSkin {std::move(name), "windlecroft: can't load plugin ",
            [pluginFile, file = std::move(file)](const fs::path& root) {
                SkinParts parts;
                parts.before = [&](TestSkin& skin) { skin.config.plugin("probe", file(root)); };
                writeSkin(root / "skin", parts);
                fs::copy_file(pluginFile, root / "evil.so");
                fs::copy_file(pluginFile, root / "marker.so");
            }};
    };
    cases.push_back(pluginSkin("a plugin named ../evil.so", [](const fs::path&) { return "../evil.so"; }));
    cases.push_back(pluginSkin(
        "a plugin named by an absolute path", [](const fs::path& root) { return (root / "evil.so").string(); }));
    cases.push_back(pluginSkin("a plugin named libm.so.6", [](const fs::path&) { return "libm.so.6"; }));
    cases.push_back(pluginSkin("a plugin found only on the library path", [](const fs::path&) { return "marker.so"; }));
    return cases;
}

} // namespace windlecroft::test
