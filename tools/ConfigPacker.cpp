#include "tools/ConfigPacker.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>

std::string CompressChunk(const std::string& plain)
{
    std::string out(compressBound(static_cast<uLong>(plain.size())), '\0');
    uLongf size = static_cast<uLongf>(out.size());
    if (::compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(plain.data()),
            static_cast<uLong>(plain.size()), Z_BEST_COMPRESSION)
        != Z_OK) {
        return {};
    }
    out.resize(size);
    return out;
}

std::string MakeConfigChunk(const std::string& compressed)
{
    const auto n = static_cast<uint32_t>(compressed.size());
    std::string record{static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
        static_cast<char>((n >> 16) & 0xFF), static_cast<char>((n >> 24) & 0xFF)};
    return record + compressed;
}

// Incompressible text grows a little under deflate, so a full-size chunk may not fit
// the limit once compressed; such a chunk is halved until it does.
std::string PackConfigDocument(const std::string& text, size_t chunkSize)
{
    const size_t limit = std::clamp<size_t>(chunkSize, 1, kConfigChunkLimit);
    std::string packed;
    for (size_t offset = 0; offset < text.size();) {
        size_t take = std::min(limit, text.size() - offset);
        std::string compressed = CompressChunk(text.substr(offset, take));
        while (!compressed.empty() && compressed.size() > kConfigChunkLimit && take > 1) {
            take /= 2;
            compressed = CompressChunk(text.substr(offset, take));
        }
        if (compressed.empty() || compressed.size() > kConfigChunkLimit) {
            return {};
        }
        packed += MakeConfigChunk(compressed);
        offset += take;
    }
    return packed + std::string(4, '\0');
}
