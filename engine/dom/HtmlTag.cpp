#include "HtmlTag.h"

#include <array>

namespace engine {
namespace {

struct Entry {
    std::wstring_view name;
    HtmlTagInfo info;
};

constexpr std::uint8_t kHead = kHeadElement;
constexpr std::uint8_t kVoid = kVoidElement;
constexpr std::uint8_t kCloses = kClosesParagraph;

constexpr Entry kEntries[] = {
    {L"html", {HtmlTag::Html, 0}}, {L"head", {HtmlTag::Head, 0}}, {L"body", {HtmlTag::Body, 0}},
    {L"title", {HtmlTag::Title, kHead | kRawText | kDecodesRawText}},
    {L"meta", {HtmlTag::Meta, kHead | kVoid}}, {L"link", {HtmlTag::Link, kHead | kVoid}},
    {L"style", {HtmlTag::Style, kHead | kRawText}}, {L"script", {HtmlTag::Script, kHead | kRawText}},
    {L"base", {HtmlTag::Base, kHead | kVoid}}, {L"noscript", {HtmlTag::Noscript, kHead}},
    {L"textarea", {HtmlTag::Textarea, kRawText | kDecodesRawText}},
    {L"area", {HtmlTag::Area, kVoid}}, {L"br", {HtmlTag::Br, kVoid}}, {L"col", {HtmlTag::Col, kVoid}},
    {L"embed", {HtmlTag::Embed, kVoid}}, {L"hr", {HtmlTag::Hr, kVoid | kCloses}},
    {L"img", {HtmlTag::Img, kVoid}}, {L"input", {HtmlTag::Input, kVoid}}, {L"keygen", {HtmlTag::Keygen, kVoid}},
    {L"param", {HtmlTag::Param, kVoid}}, {L"source", {HtmlTag::Source, kVoid}},
    {L"track", {HtmlTag::Track, kVoid}}, {L"wbr", {HtmlTag::Wbr, kVoid}},
    {L"p", {HtmlTag::P, kCloses}}, {L"div", {HtmlTag::Div, kCloses}}, {L"ul", {HtmlTag::Ul, kCloses}},
    {L"ol", {HtmlTag::Ol, kCloses}}, {L"li", {HtmlTag::Li, kCloses}}, {L"dl", {HtmlTag::Dl, kCloses}},
    {L"dt", {HtmlTag::Dt, kCloses}}, {L"dd", {HtmlTag::Dd, kCloses}},
    {L"h1", {HtmlTag::H1, kCloses}}, {L"h2", {HtmlTag::H2, kCloses}}, {L"h3", {HtmlTag::H3, kCloses}},
    {L"h4", {HtmlTag::H4, kCloses}}, {L"h5", {HtmlTag::H5, kCloses}}, {L"h6", {HtmlTag::H6, kCloses}},
    {L"table", {HtmlTag::Table, kCloses}}, {L"pre", {HtmlTag::Pre, kCloses}},
    {L"blockquote", {HtmlTag::Blockquote, kCloses}}, {L"form", {HtmlTag::Form, kCloses}},
    {L"section", {HtmlTag::Section, kCloses}}, {L"article", {HtmlTag::Article, kCloses}},
    {L"header", {HtmlTag::Header, kCloses}}, {L"footer", {HtmlTag::Footer, kCloses}},
    {L"nav", {HtmlTag::Nav, kCloses}}, {L"aside", {HtmlTag::Aside, kCloses}}, {L"main", {HtmlTag::Main, kCloses}},
    {L"address", {HtmlTag::Address, kCloses}}, {L"fieldset", {HtmlTag::Fieldset, kCloses}},
    {L"figure", {HtmlTag::Figure, kCloses}}, {L"menu", {HtmlTag::Menu, kCloses}},
    {L"tr", {HtmlTag::Tr, 0}}, {L"td", {HtmlTag::Td, 0}}, {L"th", {HtmlTag::Th, 0}},
    {L"button", {HtmlTag::Button, 0}}, {L"option", {HtmlTag::Option, 0}}, {L"select", {HtmlTag::Select, 0}},
};

constexpr std::size_t kSlots = 256; // a power of two, well above twice the entries

constexpr std::size_t Hash(std::wstring_view name) noexcept
{
    std::size_t hash = name.size();
    for (const wchar_t c : name) {
        hash = hash * 31 + static_cast<std::size_t>(c);
    }
    return hash & (kSlots - 1);
}

// Open addressing with linear probing; slot values are entry index + 1, 0 when empty.
struct Table {
    std::array<std::uint8_t, kSlots> slots{};

    constexpr Table()
    {
        for (std::size_t i = 0; i < std::size(kEntries); ++i) {
            std::size_t slot = Hash(kEntries[i].name);
            while (slots[slot] != 0) {
                slot = (slot + 1) & (kSlots - 1);
            }
            slots[slot] = static_cast<std::uint8_t>(i + 1);
        }
    }
};

constexpr Table kTable;

// A loop rather than std::equal, which would call the run-time library for two or three characters.
bool SameName(std::wstring_view a, std::wstring_view b) noexcept
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

HtmlTagInfo LookUpHtmlTag(std::wstring_view name) noexcept
{
    if (name.empty() || name.size() > 10) { // no name in the table is longer
        return {};
    }
    for (std::size_t slot = Hash(name); kTable.slots[slot] != 0; slot = (slot + 1) & (kSlots - 1)) {
        const Entry& entry = kEntries[kTable.slots[slot] - 1];
        if (entry.name.size() == name.size() && SameName(entry.name, name)) {
            return entry.info;
        }
    }
    return {};
}

} // namespace engine
