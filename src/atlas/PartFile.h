// One file of the atlas's parts (atlas/PartFormat.h) in memory: its header and its
// sections, written to bytes and read back from them. The splitter writes, the page
// reads. Plain C++20, no Qt.
#pragma once

#include "atlas/PartFormat.h"
#include "atlas/PlaceIndex.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace atlas {

struct PartContents
{
    format::PartHeader header{}; // number, atlasChecksum and commonTexts as the writer sets them
    IndexData data;              // texts, the common tables, places, entries, rankings
    std::vector<std::uint32_t> placeIds;
    std::vector<format::DirectoryRecord> directory;
};

/// The file's bytes; sets the header's magic, version, section count and checksum.
std::vector<unsigned char> writePart(PartContents& part);

/// The sections of a part file, each copied out of the bytes; false with the reason
/// ("it is damaged or cut short", ...) when the bytes are not a whole part file.
/// Never reads outside the bytes.
bool readPart(std::span<const unsigned char> bytes, PartContents& part, std::string& error);

} // namespace atlas
