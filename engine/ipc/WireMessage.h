#pragma once
// One message on the pipes between the browser process and a renderer.

#include <cstdint>
#include <string>

namespace engine {

enum class WireType : std::uint32_t {
    Ready = 1,           // renderer -> browser: connected
    Hello = 2,           // browser -> renderer: browser id, pop-up flag, extra info list
    Document = 3,        // browser -> renderer: load sequence, URL, page text
    Display = 4,         // renderer -> browser: load sequence of a page a visitor changed, serialized tree
    ProcessMessage = 5,  // either way: name and argument list
};

struct WireMessage {
    WireType type = WireType::Ready;
    std::string payload;
    // Goes on the wire right after the payload and arrives as its end: a large last
    // field travels without being copied into the payload first.
    std::string tail;
};

// Guards the reader against a corrupt length prefix.
inline constexpr std::uint32_t kMaxWirePayload = 256u * 1024u * 1024u;

} // namespace engine
