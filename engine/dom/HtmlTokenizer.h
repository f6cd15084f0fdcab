#pragma once
// Splits HTML text into tags, text and comments. Every call to Next consumes at least
// one character until the end, so no input makes it loop.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace engine {

struct HtmlToken {
    enum class Kind { StartTag, EndTag, Text, Comment, EndOfInput };
    Kind kind = Kind::EndOfInput;
    std::wstring name;  // tags: lower case
    std::vector<std::pair<std::wstring, std::wstring>> attributes;  // start tags: decoded, first of duplicates kept
    bool selfClosing = false;
    std::wstring text;  // text (references decoded, except in script/style) and comments
};

class HtmlTokenizer final {
public:
    explicit HtmlTokenizer(std::wstring_view input) : m_input(input) {}

    [[nodiscard]] HtmlToken Next();

private:
    [[nodiscard]] HtmlToken ReadRawText();
    [[nodiscard]] HtmlToken ReadText();
    [[nodiscard]] HtmlToken ReadComment();
    void SkipDeclaration();
    [[nodiscard]] HtmlToken ReadTag(bool endTag);
    void ReadAttributes(HtmlToken& token);
    [[nodiscard]] std::wstring ReadAttributeValue();
    void SkipSpace();
    [[nodiscard]] bool AtTagStart() const;

    std::wstring_view m_input;
    size_t m_pos = 0;
    std::wstring m_rawTextEnd;  // set after <script>, <style>, <title>, <textarea>
};

} // namespace engine
