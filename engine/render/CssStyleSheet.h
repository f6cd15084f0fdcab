#pragma once
// Style sheets read from <style>, <link rel="stylesheet"> and style="" text: rules of
// selectors and declarations. Anything the reader does not understand is skipped.

#include <string>
#include <string_view>
#include <vector>

#include "CssSelector.h"

namespace engine {

struct CssDeclaration {
    std::wstring property;  // lower case
    std::wstring value;     // trimmed, without "!important"
    bool important = false;
};

struct CssRule {
    CssSelector selector;
    size_t block = 0;  // index into CssStyleSheet::blocks, shared by a selector list
};

struct CssStyleSheet {
    std::vector<CssRule> rules;  // in source order
    std::vector<std::vector<CssDeclaration>> blocks;
};

// Rules for the screen: those inside @media blocks for other media are left out.
[[nodiscard]] CssStyleSheet ParseStyleSheet(std::wstring_view text);

// True for a media list a screen shows: empty, "all" or one naming "screen".
[[nodiscard]] bool IsScreenMedia(std::wstring_view mediaList);

// The declarations of a style attribute or a rule's block, in order.
[[nodiscard]] std::vector<CssDeclaration> ParseDeclarations(std::wstring_view text);

} // namespace engine
