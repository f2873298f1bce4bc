// The folders of src/ are layers: each includes only folders below it (or folders beside it
// that the table lets it use), never one above, and no two folders include each other. The core
// includes no toolkit header: only the Qt shell, the SDL output and the program see Qt or SDL.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Each folder and the folders it may include, top to bottom.
const std::map<std::string, std::set<std::string>> allowed{
    {"program", {"platform/qt", "platform/sdl", "platform/headless", "app", "elements", "skin", "resources", "audio",
                 "plugins", "base"}},
    {"platform/qt", {"app", "elements", "skin", "resources", "audio", "plugins", "base"}},
    {"platform/sdl", {"audio", "base"}},
    {"platform/headless", {"app", "elements", "skin", "resources", "audio", "plugins", "base"}},
    {"app", {"elements", "skin", "resources", "audio", "plugins", "base"}},
    {"elements", {"skin", "resources", "audio", "plugins", "base"}},
    {"skin", {"resources", "audio", "plugins", "base"}},
    {"audio", {"resources", "base"}},
    {"resources", {"base"}},
    {"plugins", {"base"}},
    {"base", {}},
};

struct Include {
    std::string file;
    std::string folder;
    std::string target;
};

std::vector<Include> includesOf(const fs::path& src)
{
    const std::regex include(R"(^\s*#\s*include\s*[<"]([^">]+)[">])");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        const std::string folder = fs::relative(entry.path().parent_path(), src).generic_string();
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) {
            std::smatch match;
            if (std::regex_search(line, match, include))
                found.push_back({fs::relative(entry.path(), src).generic_string(), folder, match[1]});
        }
    }
    return found;
}

bool isCore(const std::string& folder)
{
    return folder != "program" && folder != "platform/qt" && folder != "platform/sdl";
}

} // namespace

TEST(Layers, NoFolderIncludesAFolderAboveItAndTheCoreSeesNoToolkit)
{
    const std::vector<Include> includes = includesOf(WINDLECROFT_SOURCE_DIR "/src");
    ASSERT_GT(includes.size(), 100u);
    std::map<std::string, std::set<std::string>> edges;
    for (const Include& include : includes) {
        const std::string target = fs::path(include.target).parent_path().generic_string();
        const bool toolkit = include.target.starts_with("Q") || include.target.starts_with("SDL");
        if (isCore(include.folder)) {
            EXPECT_FALSE(toolkit) << include.file << " includes " << include.target;
        }
        if (target.empty() || target == include.folder || !allowed.contains(target))
            continue;
        ASSERT_TRUE(allowed.contains(include.folder)) << "a folder the layers do not name: " << include.folder;
        EXPECT_TRUE(allowed.at(include.folder).contains(target)) << include.file << " includes " << include.target;
        edges[include.folder].insert(target);
    }
    // No two folders reach each other, however far round.
    for (const auto& [from, targets] : edges) {
        std::set<std::string> reached;
        std::vector<std::string> open(targets.begin(), targets.end());
        while (!open.empty()) {
            const std::string folder = open.back();
            open.pop_back();
            if (!reached.insert(folder).second)
                continue;
            for (const std::string& next : edges[folder])
                open.push_back(next);
        }
        EXPECT_FALSE(reached.contains(from)) << from << " reaches itself through its includes";
    }
}
