#include "config/SkinWriter.h"

#include "base/Error.h"
#include "config/ChunkIds.h"

#include <fstream>

namespace windlecroft {

void ByteWriter::u16(std::uint16_t value)
{
    bytes_.push_back(static_cast<std::uint8_t>(value));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::u32(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::rect(const Rect& value)
{
    for (std::int32_t field : {value.left, value.top, value.right, value.bottom})
        u32(static_cast<std::uint32_t>(field));
}

void ByteWriter::string(std::string_view text)
{
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
}

std::size_t ByteWriter::beginChunk(std::uint16_t id)
{
    std::size_t start = bytes_.size();
    u16(id);
    u32(0);
    return start;
}

void ByteWriter::endChunk(std::size_t start)
{
    auto length = static_cast<std::uint32_t>(bytes_.size() - start);
    for (int i = 0; i < 4; ++i)
        bytes_[start + 2 + i] = static_cast<std::uint8_t>(length >> (8 * i));
}

SkinConfigWriter::SkinConfigWriter(std::string_view title, std::uint16_t width, std::uint16_t height)
{
    begin(chunk::root);
    out_.string(title);
    out_.u16(width);
    out_.u16(height);
}

void SkinConfigWriter::end()
{
    out_.endChunk(open_.back());
    open_.pop_back();
}

void SkinConfigWriter::startScene(std::string_view name)
{
    begin(chunk::startScene);
    out_.string(name);
    end();
}

void SkinConfigWriter::timing(std::uint16_t crossFade, std::uint16_t musicFade, std::uint16_t highlight)
{
    begin(chunk::timing);
    out_.u16(crossFade);
    out_.u16(musicFade);
    out_.u16(highlight);
    end();
}

void SkinConfigWriter::stringMapping(std::uint16_t count, const std::vector<std::pair<std::string, std::uint16_t>>& entries)
{
    begin(chunk::stringMapping);
    out_.u16(count);
    for (const auto& [text, index] : entries) {
        out_.string(text);
        out_.u16(index);
    }
    end();
}

void SkinConfigWriter::trayMenu(std::string_view tip, const std::vector<TrayEntry>& entries)
{
    begin(chunk::trayMenu);
    out_.string(tip);
    out_.u16(static_cast<std::uint16_t>(entries.size()));
    for (const auto& entry : entries) {
        out_.string(entry.text);
        out_.u16(entry.code);
        out_.u16(entry.arg);
    }
    end();
}

void SkinConfigWriter::plugin(std::string_view name, std::string_view file)
{
    begin(chunk::plugin);
    out_.string(name);
    out_.string(file);
    end();
}

void SkinConfigWriter::tracklist(std::uint8_t type, const std::vector<TrackItem>& entries)
{
    tracklist(type, static_cast<std::uint16_t>(entries.size()), entries);
}

void SkinConfigWriter::tracklist(std::uint8_t type, std::uint16_t count, const std::vector<TrackItem>& entries)
{
    begin(chunk::tracklist);
    out_.u8(type);
    out_.u16(count);
    for (const auto& entry : entries) {
        out_.string(entry.name);
        out_.string(entry.file);
    }
    end();
}

void SkinConfigWriter::fontFile(std::string_view file)
{
    begin(chunk::fontFile);
    out_.string(file);
    end();
}

void SkinConfigWriter::font(std::string_view name, std::string_view face, std::uint16_t weight, std::uint8_t height,
                            std::uint32_t value1, std::uint32_t value2, std::uint32_t value3, std::uint32_t value4)
{
    begin(chunk::font);
    out_.string(name);
    out_.string(face);
    out_.u16(weight);
    out_.u8(height);
    for (std::uint32_t value : {value1, value2, value3, value4})
        out_.u32(value);
    end();
}

void SkinConfigWriter::beginPage(std::string_view name, std::string_view normalImage, std::string_view pressedImage,
                                 std::string_view highlightImage, bool crossFade)
{
    begin(chunk::page);
    for (std::string_view text : {name, normalImage, pressedImage, highlightImage, std::string_view{}})
        out_.string(text);
    out_.u8(crossFade ? 1 : 0);
}

void SkinConfigWriter::button(const Rect& rect, std::uint16_t code, std::uint16_t arg)
{
    begin(record::button);
    out_.rect(rect);
    out_.u16(code);
    out_.u16(arg);
    end();
}

void SkinConfigWriter::keyBinding(std::uint8_t key, std::uint16_t code, std::uint16_t arg)
{
    begin(record::keyBinding);
    out_.u8(key);
    out_.u16(code);
    out_.u16(arg);
    end();
}

void SkinConfigWriter::indicator(std::string_view state, const Rect& rect)
{
    begin(record::indicator);
    out_.string(state);
    out_.rect(rect);
    end();
}

void SkinConfigWriter::actionRecord(std::uint16_t id, std::uint16_t code, std::uint16_t arg)
{
    begin(id);
    out_.u16(code);
    out_.u16(arg);
    end();
}

void SkinConfigWriter::textList(const Rect& rect, std::uint8_t mode, std::string_view font, std::uint8_t rowHeight)
{
    begin(record::textList);
    out_.rect(rect);
    out_.u8(mode);
    out_.string(font);
    out_.u8(rowHeight);
    end();
}

void SkinConfigWriter::slider(const Rect& rect, std::uint8_t releaseOnly, std::uint8_t orientation, std::string_view knob,
                              std::uint16_t id)
{
    begin(record::slider);
    out_.rect(rect);
    out_.u8(releaseOnly);
    out_.u8(orientation);
    out_.string(knob);
    out_.u16(id);
    end();
}

void SkinConfigWriter::textViewer(const Rect& rect, std::string_view font, std::uint8_t rowHeight)
{
    begin(record::textViewer);
    out_.rect(rect);
    out_.string(font);
    out_.u8(rowHeight);
    end();
}

void SkinConfigWriter::textBlock(std::string_view title, std::string_view file)
{
    begin(record::textBlock);
    out_.string(title);
    out_.string(file);
    end();
}

void SkinConfigWriter::pageTimer(std::uint32_t delay, std::uint16_t code, std::uint16_t arg)
{
    begin(record::pageTimer);
    out_.u32(delay);
    out_.u16(code);
    out_.u16(arg);
    end();
}

void SkinConfigWriter::pagePlugin(std::string_view plugin, std::uint8_t mode)
{
    begin(record::pagePlugin);
    out_.string(plugin);
    out_.u8(mode);
    end();
}

void SkinConfigWriter::wheelZone(const Rect& rect, std::uint16_t upCode, std::uint16_t upArg, std::uint16_t downCode,
                                 std::uint16_t downArg)
{
    begin(record::wheelZone);
    out_.rect(rect);
    for (std::uint16_t value : {upCode, upArg, downCode, downArg})
        out_.u16(value);
    end();
}

void SkinConfigWriter::rawChunk(std::uint16_t id, std::span<const std::uint8_t> payload)
{
    begin(id);
    out_.raw(payload);
    end();
}

std::vector<std::uint8_t> SkinConfigWriter::finish()
{
    while (!open_.empty())
        end();
    return out_.bytes();
}

void SkinConfigWriter::save(const std::filesystem::path& path)
{
    writeFile(path, finish());
}

void ArchiveWriter::add(std::string_view name, std::span<const std::uint8_t> data)
{
    out_.string(name);
    out_.u32(static_cast<std::uint32_t>(data.size()));
    out_.raw(data);
}

void ArchiveWriter::add(std::string_view name, std::string_view text)
{
    add(name, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void ArchiveWriter::save(const std::filesystem::path& path) const
{
    writeFile(path, out_.bytes());
}

void writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        throw Error("can't write " + path.string());
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw Error("can't write " + path.string());
}

} // namespace windlecroft
