#pragma once
// Splits HTML text into tags, text and comments. Tokens point into the text; nothing
// is copied or decoded until the tree is built. Every call to Next consumes at least
// one character until the end, so no input makes it loop.

#include <cstdint>
#include <string_view>
#include <vector>

#include "HtmlTag.h"

namespace engine {

// An attribute as written: its name in any case, its value with references undecoded.
struct HtmlAttribute {
    std::wstring_view name;
    std::wstring_view value;
};

struct HtmlToken {
    enum class Kind { StartTag, EndTag, Text, Comment, EndOfInput };
    Kind kind = Kind::EndOfInput;
    std::wstring_view name;  // tags: as written
    HtmlTagInfo tag;         // tags: what the name is known as
    const std::vector<HtmlAttribute>* attributes = nullptr;  // start tags; valid until the next token
    bool selfClosing = false;
    std::wstring_view text;  // text and comments
    bool decode = false;     // text: character references are to be decoded
};

class HtmlTokenizer final {
public:
    explicit HtmlTokenizer(std::wstring_view input) : m_input(input) {}

    [[nodiscard]] HtmlToken Next();

    // True when two attribute names are the same, ignoring ASCII case.
    [[nodiscard]] static bool SameName(std::wstring_view a, std::wstring_view b) noexcept;
    // Writes `name` in lower case to `out`; the characters of a name beyond ASCII stay as they are.
    // Names are short: a character at a time beats a call to copy them first.
    template <typename String>
    static void AssignLower(std::wstring_view name, String& out)
    {
        out.clear();
        out.reserve(name.size());
        for (const wchar_t c : name) {
            out.push_back(c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c);
        }
    }

private:
    [[nodiscard]] HtmlToken ReadRawText();
    [[nodiscard]] HtmlToken ReadText();
    [[nodiscard]] HtmlToken ReadComment();
    void SkipDeclaration();
    [[nodiscard]] HtmlToken ReadTag(bool endTag);
    void ReadAttributes(HtmlToken& token);
    [[nodiscard]] std::wstring_view ReadAttributeValue();
    void SkipSpace();
    [[nodiscard]] bool IsTagStart(size_t pos) const;
    [[nodiscard]] size_t Find(wchar_t c, size_t from) const;
    // The first position from `from` whose character is of `charClass`, or the end.
    [[nodiscard]] size_t FindClass(size_t from, std::uint8_t charClass) const;

    std::wstring_view m_input;
    size_t m_pos = 0;
    std::vector<HtmlAttribute> m_attributes;  // of the last start tag; reused
    HtmlTagInfo m_rawText;       // set after <script>, <style>, <title>, <textarea>
    std::wstring_view m_rawTextEnd;  // the name that ends the raw text, as written
};

} // namespace engine
