#pragma once
// Builds configuration documents in the chunked transfer format the client reads:
// per chunk a 32-bit little-endian length and one zlib stream, then a zero length.

#include <cstddef>
#include <string>

// The largest chunk in both compressed and inflated form.
constexpr size_t kConfigChunkLimit = 10240;

// Splits `text` (bytes in the client's ANSI code page) into chunks of at most
// `chunkSize` bytes (clamped to kConfigChunkLimit), shrinking any chunk whose
// compressed form would exceed the limit. Empty on a compression failure.
[[nodiscard]] std::string PackConfigDocument(const std::string& text, size_t chunkSize = kConfigChunkLimit);

// One chunk record: the length field and `compressed` as it is, unchecked. For
// building damaged bodies in tests.
[[nodiscard]] std::string MakeConfigChunk(const std::string& compressed);
// `plain` as one zlib stream; empty on failure.
[[nodiscard]] std::string CompressChunk(const std::string& plain);
