// Each hostile skin folder run through the real program, headless, as a listener would start
// it on a stranger's download: it ends by itself in time, with its own status, within a memory
// bound, and never touches the user's files in the temporary folder or loads a library from
// outside the skin.
#include "support/HostileSkins.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

using namespace windlecroft::test;
using namespace std::chrono_literals;

namespace {

constexpr long memoryBoundKb = 400 * 1024;

} // namespace

TEST(HostileSkin, EveryFolderEndsInTimeWithinMemoryAndTouchesNothingOutside)
{
    for (const HostileSkin& hostile : hostileSkins(TEST_PLUGIN_DIR "/marker.so")) {
        SCOPED_TRACE(hostile.name);
        TempDir root;
        plantUserFiles(root.path());
        hostile.build(root.path());

        Process::Options options;
        options.workingDir = root / "skin";
        options.environment = {{"SDL_AUDIODRIVER", "dummy"},
                               {"TMPDIR", (root / "tmp").string()},
                               {"XDG_RUNTIME_DIR", (root / "tmp").string()},
                               {"LD_LIBRARY_PATH", root.path().string()},
                               {"WINDLECROFT_PLUGIN_MARKER", (root / "loaded").string()}};
        const auto started = std::chrono::steady_clock::now();
        const RunResult run = runProcess({builtProgram("windlecroft").string(), "--headless", "--quit-after", "1000"},
                                         options, 20s);
        const auto took = std::chrono::steady_clock::now() - started;

        ASSERT_TRUE(run.status) << "still running after 20 s";
        std::cout << hostile.name << ": status " << *run.status << ", "
                  << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms, peak "
                  << run.peakResidentKb / 1024 << " MiB\n";
        EXPECT_TRUE(*run.status == 0 || *run.status == 1) << "status " << *run.status << "; " << run.errors;
        EXPECT_LT(took, 10s);
        EXPECT_LT(run.peakResidentKb, memoryBoundKb) << run.errors;
        EXPECT_TRUE(userFilesIntact(root.path()));
        EXPECT_FALSE(std::filesystem::exists(root / "loaded")) << "a library outside the skin folder was loaded";
        EXPECT_NE(run.errors.find(hostile.says), std::string::npos) << run.errors;
    }
}
