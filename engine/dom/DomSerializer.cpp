#include "DomSerializer.h"

#include <cstdint>
#include <cstring>

namespace engine {
namespace {

// Layout: magic, then one node record, depth first:
//   kind:u8, [element: tagName:str, attrCount:u32, (name:str, value:str)*],
//   [text/comment: text:str], childCount:u32, children...
// str = length in UTF-16 units (u32) followed by the units, little-endian.
constexpr std::string_view kMagic = "ZVD1";
// Deep enough for anything the parser builds; bounds recursion on hostile input.
constexpr int kMaxDepth = 512;

void PutU32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

// Windows text is UTF-16 in little-endian memory already: it is copied as it is.
static_assert(sizeof(wchar_t) == 2, "the engine's text is UTF-16");

void PutString(std::string& out, std::wstring_view text)
{
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    out.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

void PutNode(std::string& out, const DomNode& node)
{
    out.push_back(static_cast<char>(node.kind));
    if (node.kind == DomNodeKind::Element) {
        PutString(out, node.tagName);
        PutU32(out, static_cast<std::uint32_t>(node.attributes.size()));
        for (const auto& [name, value] : node.attributes) {
            PutString(out, name);
            PutString(out, value);
        }
    } else if (node.kind != DomNodeKind::Document) {
        PutString(out, node.text);
    }
    PutU32(out, static_cast<std::uint32_t>(node.children.size()));
    for (const auto& child : node.children) {
        PutNode(out, *child);
    }
}

class Reader final {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    [[nodiscard]] bool AtEnd() const { return m_pos == m_bytes.size(); }
    [[nodiscard]] size_t Remaining() const { return m_bytes.size() - m_pos; }

    [[nodiscard]] bool Skip(std::string_view expected)
    {
        if (m_bytes.substr(m_pos, expected.size()) != expected) {
            return false;
        }
        m_pos += expected.size();
        return true;
    }

    [[nodiscard]] bool U8(std::uint8_t& value)
    {
        if (Remaining() < 1) {
            return false;
        }
        value = static_cast<std::uint8_t>(m_bytes[m_pos++]);
        return true;
    }

    [[nodiscard]] bool U32(std::uint32_t& value)
    {
        if (Remaining() < 4) {
            return false;
        }
        value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(m_bytes[m_pos++])) << (8 * i);
        }
        return true;
    }

    [[nodiscard]] bool String(DomString& text)
    {
        std::uint32_t length = 0;
        if (!U32(length) || length > Remaining() / 2) {
            return false;
        }
        text.resize(length);
        std::memcpy(text.data(), m_bytes.data() + m_pos, length * sizeof(wchar_t));
        m_pos += length * sizeof(wchar_t);
        return true;
    }

private:
    std::string_view m_bytes;
    size_t m_pos = 0;
};

// The smallest record: kind byte, text length 0, child count 0.
constexpr size_t kMinRecordSize = 9;

bool ReadNode(Reader& in, DomNode& node, int depth);

bool ReadContent(Reader& in, DomNode& node)
{
    if (node.kind == DomNodeKind::Element) {
        std::uint32_t attrCount = 0;
        if (!in.String(node.tagName) || !in.U32(attrCount) || attrCount > in.Remaining() / 8) {
            return false;
        }
        node.attributes.resize(attrCount);
        for (auto& [name, value] : node.attributes) {
            if (!in.String(name) || !in.String(value)) {
                return false;
            }
        }
        return true;
    }
    return node.kind == DomNodeKind::Document || in.String(node.text);
}

bool ReadNode(Reader& in, DomNode& node, int depth)
{
    std::uint8_t kind = 0;
    if (depth > kMaxDepth || !in.U8(kind) || kind > static_cast<std::uint8_t>(DomNodeKind::Comment)) {
        return false;
    }
    node.kind = static_cast<DomNodeKind>(kind);
    std::uint32_t childCount = 0;
    if (!ReadContent(in, node) || !in.U32(childCount) || childCount > in.Remaining() / kMinRecordSize) {
        return false;
    }
    const bool leaf = node.kind == DomNodeKind::Text || node.kind == DomNodeKind::Comment;
    if (leaf && childCount != 0) {
        return false;
    }
    node.children.reserve(childCount);
    for (std::uint32_t i = 0; i < childCount; ++i) {
        DomNode* child = node.Append(node.NewNode(DomNodeKind::Element));
        if (!ReadNode(in, *child, depth + 1) || child->kind == DomNodeKind::Document) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string SerializeDom(const DomNode& root)
{
    std::string out(kMagic);
    PutNode(out, root);
    return out;
}

DomNodePtr DeserializeDom(std::string_view bytes)
{
    Reader in(bytes);
    DomNodePtr root = DomNode::NewArenaDocument(bytes.size() * 2);
    if (!in.Skip(kMagic) || !ReadNode(in, *root, 0) || !in.AtEnd()) {
        return nullptr;
    }
    return root;
}

} // namespace engine
