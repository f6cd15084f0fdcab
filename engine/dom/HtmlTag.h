#pragma once
// The element names the parser has rules for, looked up once per tag so that the
// rules compare small numbers instead of strings.

#include <cstdint>
#include <string_view>

namespace engine {

enum class HtmlTag : std::uint8_t {
    Other, // any name without a rule of its own
    Html, Head, Body,
    Title, Meta, Link, Style, Script, Base, Noscript, Textarea,
    Area, Br, Col, Embed, Hr, Img, Input, Keygen, Param, Source, Track, Wbr,
    P, Div, Ul, Ol, Li, Dl, Dt, Dd, H1, H2, H3, H4, H5, H6, Table, Pre, Blockquote, Form,
    Section, Article, Header, Footer, Nav, Aside, Main, Address, Fieldset, Figure, Menu,
    Tr, Td, Th, Button, Option, Select,
};

enum HtmlTagFlag : std::uint8_t {
    kVoidElement = 1,       // takes no children
    kHeadElement = 2,       // belongs in <head> when it comes before the body starts
    kClosesParagraph = 4,   // its start tag ends an open <p>
    kRawText = 8,           // its content is text up to its end tag
    kDecodesRawText = 16,   // ... with character references decoded
};

struct HtmlTagInfo {
    HtmlTag tag = HtmlTag::Other;
    std::uint8_t flags = 0;
};

// `name` must already be lower case.
[[nodiscard]] HtmlTagInfo LookUpHtmlTag(std::wstring_view name) noexcept;

} // namespace engine
