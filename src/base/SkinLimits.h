#pragma once

#include <cstddef>
#include <cstdint>

namespace windlecroft {

// What one skin may make the player read and hold. Skins come from strangers: every file is
// read with a bound and every kind of resource has a budget, so that a few bytes claiming
// gigabytes end in the player's own message instead of exhausting the machine. Each limit is
// far above what a real skin needs (its pictures are the size of the window, its documents a
// few pages, its modules a few megabytes).

/** windlecroft.cfg: configurations are a few kilobytes of chunks. */
inline constexpr std::uint64_t maxConfigBytes = std::uint64_t{64} << 20;

/** windlecroft.dat: the archive's entries are read from it when they are used. */
inline constexpr std::uint64_t maxArchiveBytes = std::uint64_t{1} << 30;

/**
 * Entries of one archive: a skin has a few dozen. The index of names takes memory per entry, so
 * entries beyond this are treated as a corrupt tail.
 */
inline constexpr std::size_t maxArchiveEntries = 65536;

/** A tracker module on disk is read whole before it plays; a larger one is refused as unreadable. */
inline constexpr std::uint64_t maxModuleBytes = std::uint64_t{64} << 20;

/** One document of a text viewer: text beyond this is not shown. */
inline constexpr std::uint64_t maxDocumentBytes = std::uint64_t{1} << 20;

/** The text of all documents of a skin together (one document named twice counts twice). */
inline constexpr std::uint64_t maxSkinDocumentBytes = std::uint64_t{8} << 20;

/**
 * The pixels all pictures of one skin may hold together (2^26 pixels, 256 MiB): a full-window
 * picture of 1920 x 1080 for each of the three states of ten pages. A single picture may be as
 * large as this, but sixteen pictures whose headers claim 8192 x 8192 pixels fit in a few
 * kilobytes of archive and would otherwise take 4 GiB.
 */
inline constexpr std::int64_t maxSkinPicturePixels = std::int64_t{1} << 26;

/** Font chunks one skin configuration may hold; a skin uses a handful. */
inline constexpr std::size_t maxSkinFonts = 512;

/** Font-file chunks one skin configuration may hold; each keeps a copy of its font in memory. */
inline constexpr std::size_t maxSkinFontFiles = 64;

/** Faces read from one font file: a collection could otherwise claim millions of them. */
inline constexpr long maxFacesPerFontFile = 64;

} // namespace windlecroft
