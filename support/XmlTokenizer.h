#pragma once
// Splits XML text into nodes (tags, comments, ...) for the navigator's single parse
// pass. Nodes refer to the text by offsets; nothing is copied.

#include <string>
#include <string_view>

enum class XmlNodeKind {
    EndTag = 0,
    StartTag = 1,
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
    bool unterminated = false;             // XmlNodeKind::Error: the text ends inside the node
    const wchar_t* errorSubject = nullptr; // XmlNodeKind::Error: what is wrong, for the message
};

class XmlTokenizer final {
public:
    // Borrowed; the text must outlive the tokenizer. Its length must fit an int. Its
    // terminating NUL ends the scans of names without a bounds check.
    explicit XmlTokenizer(const std::wstring& text) noexcept
        : m_begin(text.c_str()), m_end(text.c_str() + text.size()), m_pos(m_begin)
    {
    }

    // Fills `node` with the next node that shapes the tree: an element start or end tag,
    // or an error. Text and well-formed other markup in between are passed over.
    // False, with kind End, once the text is used up.
    bool Next(XmlNode& node) noexcept;

    // The message of an error node, with its offset.
    [[nodiscard]] static std::wstring ErrorMessage(const XmlNode& node);
    // End of the tag name that starts at `from`: the first blank, "/" or ">", or the end.
    [[nodiscard]] static int NameEnd(std::wstring_view text, int from) noexcept;
    [[nodiscard]] static bool IsBlank(wchar_t c) noexcept
    {
        return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
    }

private:
    void ReadMarkup(const wchar_t* start, XmlNode& node) const noexcept;
    void ReadBang(const wchar_t* start, XmlNode& node) const noexcept;
    void ReadDoctype(const wchar_t* start, XmlNode& node) const noexcept;
    void ReadUntil(const wchar_t* start, XmlNodeKind kind, const wchar_t* from, std::wstring_view terminator,
        XmlNode& node) const noexcept;
    void SetIncorrect(const wchar_t* start, const wchar_t* subject, XmlNode& node) const noexcept;
    void SetUnterminated(const wchar_t* start, XmlNodeKind kind, XmlNode& node) const noexcept;
    [[nodiscard]] const wchar_t* SkipQuoted(const wchar_t* quote) const noexcept;
    [[nodiscard]] const wchar_t* SkipSubset(const wchar_t* from) const noexcept;

    const wchar_t* m_begin;
    const wchar_t* m_end;
    const wchar_t* m_pos;
};
