#pragma once
// The result of laying out a page: positioned boxes in content coordinates, in
// document order, ready for painting and hit testing.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FontKey.h"
#include "common/Win32.h"

namespace engine {

class DecodedImage;
struct DomNode;

enum class BoxKind { Text, Image, Rule, Background };

// How a background image repeats from its box's top left corner.
enum class BackgroundRepeat { Both, None, X, Y };

struct LayoutBox {
    BoxKind kind = BoxKind::Text;
    RECT rect{};               // content coordinates; right and bottom exclusive
    std::wstring text;         // Text
    FontKey font;             // Text
    COLORREF color = 0;        // Text and Rule
    std::optional<COLORREF> background;  // Text: filled behind the run
    int link = -1;             // index into LayoutTree::links, -1 outside links
    const DomNode* element = nullptr;  // Text and Image: whose style paints it; null for list markers
    std::wstring imageUrl;     // Image: absolute
    std::shared_ptr<const DecodedImage> image;  // Image: null draws the placeholder; Background: never null
    BackgroundRepeat repeat = BackgroundRepeat::Both;  // Background
    bool floating = false;  // part of a float, which paints over the blocks beside it
};

struct LinkInfo {
    std::wstring url;     // absolute
    std::wstring target;
};

class LayoutTree final {
public:
    std::vector<LayoutBox> boxes;
    std::vector<LinkInfo> links;
    std::map<std::wstring, int> anchors;  // element id or <a name> to its top; the first of a name
    std::vector<std::wstring> imageUrls;  // absolute, of every image laid out, in order; may repeat
    int contentHeight = 0;
    bool complete = true;  // false when the layout stopped early, below a given height
    COLORREF background = RGB(255, 255, 255);  // the page's, behind every box
};

} // namespace engine
