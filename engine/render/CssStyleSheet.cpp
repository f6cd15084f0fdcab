#include "CssStyleSheet.h"

#include <algorithm>

#include "CssShorthands.h"
#include "CssText.h"
#include "CssValues.h"

namespace engine {
namespace {

std::wstring WithoutComments(std::wstring_view text)
{
    std::wstring out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find(L"/*", pos);
        out.append(text.substr(pos, open == std::wstring_view::npos ? std::wstring_view::npos : open - pos));
        if (open == std::wstring_view::npos) {
            break;
        }
        const size_t close = text.find(L"*/", open + 2);
        pos = close == std::wstring_view::npos ? text.size() : close + 2;
        out += L' ';
    }
    return out;
}

// The position of the first `stop` character at nesting level zero, outside strings
// and brackets; the text's size when there is none.
size_t FindAtTopLevel(std::wstring_view text, size_t pos, std::wstring_view stops)
{
    int depth = 0;
    wchar_t quote = 0;
    for (; pos < text.size(); ++pos) {
        const wchar_t c = text[pos];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == L'"' || c == L'\'') {
            quote = c;
        } else if (depth == 0 && stops.find(c) != std::wstring_view::npos) {
            return pos;
        } else if (c == L'(' || c == L'[' || c == L'{') {
            ++depth;
        } else if ((c == L')' || c == L']' || c == L'}') && depth > 0) {
            --depth;
        }
    }
    return text.size();
}

void ParseRules(std::wstring_view text, CssStyleSheet& sheet, int nesting);

// An at-rule at `pos`; returns where the text after it starts.
size_t ParseAtRule(std::wstring_view text, size_t pos, CssStyleSheet& sheet, int nesting)
{
    constexpr int kMaxNesting = 8;
    const size_t end = FindAtTopLevel(text, pos, L";{");
    if (end >= text.size() || text[end] == L';') {
        return end + 1;  // @import, @charset and the like
    }
    const size_t close = FindAtTopLevel(text, end + 1, L"}");
    const std::wstring prelude = LowerAscii(text.substr(pos, end - pos));
    if (prelude.rfind(L"@media", 0) == 0 && nesting < kMaxNesting && IsScreenMedia(prelude.substr(6))) {
        ParseRules(text.substr(end + 1, close - end - 1), sheet, nesting + 1);
    }
    return close + 1;
}

void AddRules(std::wstring_view selectors, std::wstring_view block, CssStyleSheet& sheet)
{
    std::vector<CssSelector> parsed;
    for (size_t pos = 0; pos <= selectors.size();) {
        const size_t comma = FindAtTopLevel(selectors, pos, L",");
        auto selector = CssSelector::Parse(selectors.substr(pos, comma - pos));
        if (!selector.has_value()) {
            return;  // one selector outside the subset drops the whole rule, as browsers do
        }
        parsed.push_back(std::move(*selector));
        pos = comma + 1;
    }
    std::vector<CssDeclaration> declarations = ParseDeclarations(block);
    if (declarations.empty()) {
        return;
    }
    sheet.blocks.push_back(std::move(declarations));
    for (auto& selector : parsed) {
        sheet.rules.push_back(CssRule{std::move(selector), sheet.blocks.size() - 1});
    }
}

void ParseRules(std::wstring_view text, CssStyleSheet& sheet, int nesting)
{
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (IsCssSpace(text[pos]) || text[pos] == L';' || text[pos] == L'}')) {
            ++pos;
        }
        if (pos >= text.size()) {
            break;
        }
        if (text[pos] == L'@') {
            pos = ParseAtRule(text, pos, sheet, nesting);
            continue;
        }
        const size_t open = FindAtTopLevel(text, pos, L"{");
        if (open >= text.size()) {
            break;
        }
        const size_t close = FindAtTopLevel(text, open + 1, L"}");
        AddRules(text.substr(pos, open - pos), text.substr(open + 1, std::min(close, text.size()) - open - 1), sheet);
        pos = close + 1;
    }
}

} // namespace

bool IsScreenMedia(std::wstring_view query)
{
    const std::wstring lower = LowerAscii(TrimCss(query));
    return lower.empty() || lower.find(L"screen") != std::wstring::npos || lower.find(L"all") != std::wstring::npos;
}

CssStyleSheet ParseStyleSheet(std::wstring_view text)
{
    CssStyleSheet sheet;
    const std::wstring clean = WithoutComments(text);
    ParseRules(clean, sheet, 0);
    return sheet;
}

std::vector<CssDeclaration> ParseDeclarations(std::wstring_view text)
{
    std::vector<CssDeclaration> declarations;
    for (size_t pos = 0; pos < text.size();) {
        const size_t end = FindAtTopLevel(text, pos, L";");
        const std::wstring_view item = text.substr(pos, end - pos);
        pos = end + 1;
        const size_t colon = item.find(L':');
        if (colon == std::wstring_view::npos) {
            continue;
        }
        CssDeclaration declaration{LowerAscii(TrimCss(item.substr(0, colon))), std::wstring(TrimCss(item.substr(colon + 1)))};
        const size_t bang = declaration.value.rfind(L'!');
        if (bang != std::wstring::npos && LowerAscii(TrimCss(std::wstring_view(declaration.value).substr(bang + 1))) == L"important") {
            declaration.important = true;
            declaration.value = std::wstring(TrimCss(std::wstring_view(declaration.value).substr(0, bang)));
        }
        if (declaration.property.empty() || declaration.value.empty() || ExpandShorthand(declaration, declarations)) {
            continue;
        }
        if (IsUsableCssValue(declaration.property, declaration.value)) {
            declarations.push_back(std::move(declaration));
        }
    }
    return declarations;
}

} // namespace engine
