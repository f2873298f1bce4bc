#pragma once

#include "skin/ArchiveContents.h"

#include <map>
#include <optional>
#include <string>

namespace windlecroft::skin {

/**
 * Decodes archive pictures the way the player does, choosing BMP or JPEG by the entry's name,
 * and remembers each result, so that a check decodes every picture once.
 */
class ArchivePictures {
public:
    struct Result {
        bool decoded = false;
        int width = 0;
        int height = 0;
        std::string reason; // why it did not decode
    };

    explicit ArchivePictures(const ArchiveContents& archive) : archive_(archive) {}

    /** Nothing when the archive has no such entry. */
    std::optional<Result> inspect(const std::string& name);

private:
    const ArchiveContents& archive_;
    std::map<std::string, Result> cache_;
};

} // namespace windlecroft::skin
