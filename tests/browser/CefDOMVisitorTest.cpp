#include "browser/CefDOMVisitor.h"

#include <gtest/gtest.h>

#include "VisitorHarness.h"

namespace {

using browser_test::BodyStyle;
using browser_test::ChildStyle;
using browser_test::RunVisit;
using Mode = CCefDOMVisitor::Mode;

engine::DomNodePtr VisitPage(Mode mode, std::wstring_view html)
{
    auto document = engine::ParseHtml(html);
    const CefRefPtr<CCefDOMVisitor> visitor(new CCefDOMVisitor(mode));
    RunVisit(*visitor, *document);
    return document;
}

TEST(CefDOMVisitorMain, KeepsOnlyTheContentDivAndRemovesTheBodyTopGap)
{
    const auto doc = VisitPage(Mode::Main, L"<body><div class=content>c</div><div class=banner>b</div>"
                                           L"<script>x()</script>tail</body>");
    EXPECT_EQ(ChildStyle(*doc, 0), L"(none)");
    EXPECT_EQ(ChildStyle(*doc, 1), L"display:none");
    EXPECT_EQ(ChildStyle(*doc, 2), L"display:none");
    EXPECT_EQ(engine::FindBody(*doc)->children[3]->kind, engine::DomNodeKind::Text);
    EXPECT_TRUE(engine::FindBody(*doc)->children[3]->attributes.empty());
    EXPECT_EQ(BodyStyle(*doc), L"padding-top:0px");
}

TEST(CefDOMVisitorMain, ComparesTagAndWholeClassValueIgnoringCase)
{
    const auto doc = VisitPage(Mode::Main, L"<DIV CLASS=Content>a</DIV><div class=\"content main\">b</div>"
                                           L"<div>no class</div><p class=content>p</p><div class=\"\">e</div>");
    EXPECT_EQ(ChildStyle(*doc, 0), L"(none)");
    EXPECT_EQ(ChildStyle(*doc, 1), L"display:none");
    EXPECT_EQ(ChildStyle(*doc, 2), L"display:none");
    EXPECT_EQ(ChildStyle(*doc, 3), L"display:none");
    EXPECT_EQ(ChildStyle(*doc, 4), L"display:none");
}

TEST(CefDOMVisitorMain, KeptElementsKeepTheirStyleAndHiddenOnesLoseIt)
{
    const auto doc = VisitPage(Mode::Main, L"<body style=\"margin:0;padding-top:60px\">"
                                           L"<div class=content style=\"color:red\">a</div>"
                                           L"<div class=nav style=\"color:blue;height:60px\">b</div></body>");
    EXPECT_EQ(ChildStyle(*doc, 0), L"color:red");
    EXPECT_EQ(ChildStyle(*doc, 1), L"display:none");
    EXPECT_EQ(BodyStyle(*doc), L"padding-top:0px");
}

TEST(CefDOMVisitorMain, NeverTouchesElementsBelowTheBodysChildren)
{
    const auto doc = VisitPage(Mode::Main, L"<div class=content><div class=ad>x</div></div>"
                                           L"<div class=wrap><div class=content>y</div></div>");
    const engine::DomNode& body = *engine::FindBody(*doc);
    EXPECT_EQ(engine::FindAttribute(*body.children[0]->children[0], L"style"), nullptr);
    EXPECT_EQ(ChildStyle(*doc, 1), L"display:none");
    EXPECT_EQ(engine::FindAttribute(*body.children[1]->children[0], L"style"), nullptr);
}

TEST(CefDOMVisitorMain, LeavesAnEmptyBodyAloneAndCopesWithoutBody)
{
    const auto empty = VisitPage(Mode::Main, L"<head><title>t</title></head><body></body>");
    EXPECT_EQ(BodyStyle(*empty), L"(none)");

    engine::DomNode bare(engine::DomNodeKind::Document);
    bare.Append(bare.NewNode(engine::DomNodeKind::Text))->text = L"x";
    const CefRefPtr<CCefDOMVisitor> visitor(new CCefDOMVisitor(Mode::Main));
    RunVisit(*visitor, bare);
    EXPECT_EQ(bare.children.size(), 1u);
    EXPECT_TRUE(bare.children[0]->attributes.empty());
}

TEST(CefDOMVisitorMain, CommentsAmongTheChildrenStayUntouched)
{
    const auto doc = VisitPage(Mode::Main, L"<body><!-- c --><div class=content>a</div></body>");
    const engine::DomNode& body = *engine::FindBody(*doc);
    ASSERT_EQ(body.children.size(), 2u);
    EXPECT_EQ(body.children[0]->kind, engine::DomNodeKind::Comment);
    EXPECT_TRUE(body.children[0]->attributes.empty());
    EXPECT_EQ(ChildStyle(*doc, 1), L"(none)");
}

TEST(CefDOMVisitorPlay, KeepsDivsWhoseClassMentionsLiveBoxCaseSensitively)
{
    const auto doc = VisitPage(Mode::Play, L"<body style=\"padding-top:60px\">"
                                           L"<div class=\"match live-box\">a</div><div class=non-live-box>b</div>"
                                           L"<div class=Live-Box>c</div><p class=live-box>d</p>"
                                           L"<div class=content>e</div><DIV class=live-box-wide>f</DIV></body>");
    EXPECT_EQ(ChildStyle(*doc, 0), L"(none)");
    EXPECT_EQ(ChildStyle(*doc, 1), L"(none)");
    EXPECT_EQ(ChildStyle(*doc, 2), L"display:none");
    EXPECT_EQ(ChildStyle(*doc, 3), L"display:none");
    EXPECT_EQ(ChildStyle(*doc, 4), L"display:none");
    EXPECT_EQ(ChildStyle(*doc, 5), L"(none)");
    EXPECT_EQ(BodyStyle(*doc), L"padding-top:60px");
}

TEST(CefDOMVisitorPlay, LeavesTheBodyWithoutStyleUntouched)
{
    const auto doc = VisitPage(Mode::Play, L"<div class=x>a</div>");
    EXPECT_EQ(ChildStyle(*doc, 0), L"display:none");
    EXPECT_EQ(BodyStyle(*doc), L"(none)");
}

} // namespace
