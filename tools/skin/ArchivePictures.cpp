#include "skin/ArchivePictures.h"

#include "base/Error.h"
#include "resources/BmpDecoder.h"
#include "resources/FileKind.h"
#include "resources/JpegDecoder.h"

namespace windlecroft::skin {

std::optional<ArchivePictures::Result> ArchivePictures::inspect(const std::string& name)
{
    const ArchiveFile* file = archive_.find(name);
    if (file == nullptr)
        return std::nullopt;
    if (auto cached = cache_.find(name); cached != cache_.end())
        return cached->second;
    Result result;
    switch (classifyFileName(name)) {
    case FileKind::Bmp:
        try {
            const Surface picture = decodeBmp(file->data);
            result = {true, picture.width(), picture.height(), {}};
        } catch (const Error& error) {
            result.reason = error.what();
        }
        break;
    case FileKind::Jpeg:
        if (std::optional<Surface> picture = decodeJpeg(file->data, &result.reason))
            result = {true, picture->width(), picture->height(), {}};
        break;
    default:
        result.reason = "its name ends in neither .bmp nor .jpg";
        break;
    }
    cache_.emplace(name, result);
    return result;
}

} // namespace windlecroft::skin
