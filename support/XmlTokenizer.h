#pragma once
// Splits XML text into nodes (tags, text, comments, ...) for the navigator's
// single parse pass. Nodes refer to the text by offsets; nothing is copied.

#include <string>
#include <string_view>

enum class XmlNodeKind {
    EndTag = 0,
    StartTag = 1,
    Text = 2,
    Whitespace = 4,
    CData = 8,
    ProcessingInstruction = 16,
    Comment = 32,
    Declaration = 64,
    Error = -1,
    End = -2,
};

struct XmlNode {
    XmlNodeKind kind = XmlNodeKind::End;
    int offset = 0;
    int length = 0;
    int nameOffset = 0;
    int nameLength = 0;
    bool emptyElement = false;
    std::wstring error; // for XmlNodeKind::Error: the message with its offset
};

class XmlTokenizer final {
public:
    // Borrowed; the text must outlive the tokenizer. Its length must fit an int.
    explicit XmlTokenizer(std::wstring_view text) noexcept : m_text(text) {}

    // The node at the current position; advances past it. Kind End once the text is used up.
    [[nodiscard]] XmlNode Next();

    // End of the tag name that starts at `from`: the first blank, "/" or ">", or the end.
    [[nodiscard]] static int NameEnd(std::wstring_view text, int from) noexcept;
    [[nodiscard]] static bool IsBlank(wchar_t c) noexcept
    {
        return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
    }

private:
    [[nodiscard]] XmlNode ReadText(int start) const;
    [[nodiscard]] XmlNode ReadMarkup(int start) const;
    [[nodiscard]] XmlNode ReadStartTag(int start) const;
    [[nodiscard]] XmlNode ReadEndTag(int start) const;
    [[nodiscard]] XmlNode ReadBang(int start) const;
    [[nodiscard]] XmlNode ReadDoctype(int start) const;
    [[nodiscard]] XmlNode ReadUntil(int start, XmlNodeKind kind, int from, std::wstring_view terminator) const;
    [[nodiscard]] int NameEnd(int from) const noexcept { return NameEnd(m_text, from); }
    [[nodiscard]] int SkipQuoted(int quote) const noexcept;
    [[nodiscard]] int SkipSubset(int from) const noexcept;
    [[nodiscard]] wchar_t At(int i) const noexcept;
    [[nodiscard]] int Size() const noexcept { return static_cast<int>(m_text.size()); }

    std::wstring_view m_text;
    int m_pos = 0;
};
