// Piece and tile arithmetic of nine-grid drawing, without any device context.

#include "duilib/core/NineGrid.h"

#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

using DuiLib::CNineGrid;
using DuiLib::NineGridPath;
using DuiLib::NineGridPiece;
using DuiLib::NineGridRequest;

namespace DuiLib {
inline bool operator==(const NineGridPiece& a, const NineGridPiece& b)
{
    return a.dest == b.dest && a.source == b.source;
}
inline void PrintTo(const NineGridPiece& p, std::ostream* os)
{
    *os << "dest ";
    ::PrintTo(p.dest, os);
    *os << " source ";
    ::PrintTo(p.source, os);
}
} // namespace DuiLib

namespace {

std::vector<NineGridPiece> Pieces(const NineGridRequest& request, NineGridPath path = NineGridPath::Blended)
{
    std::vector<NineGridPiece> pieces;
    CNineGrid(request, path).ForEachPiece([&](const NineGridPiece& piece) { pieces.push_back(piece); });
    return pieces;
}

constexpr RECT kEverywhere{-1000, -1000, 1000, 1000};

struct GridCase {
    const char* name;
    NineGridRequest request;
    NineGridPath path;
    std::vector<NineGridPiece> expected;
};

void PrintTo(const GridCase& c, std::ostream* os) { *os << c.name; }

class NineGridPieces : public testing::TestWithParam<GridCase> {};

TEST_P(NineGridPieces, AreExactlyTheExpectedOnesInDrawingOrder)
{
    EXPECT_EQ(GetParam().expected, Pieces(GetParam().request, GetParam().path));
}

NineGridRequest Request(RECT dest, RECT source, RECT corners, RECT paint = kEverywhere)
{
    NineGridRequest request{dest, paint, source, corners};
    return request;
}

NineGridRequest Tiled(RECT dest, RECT source, RECT corners, bool x, bool y)
{
    NineGridRequest request = Request(dest, source, corners);
    request.xtiled = x;
    request.ytiled = y;
    return request;
}

NineGridRequest Holed(RECT dest, RECT source, RECT corners)
{
    NineGridRequest request = Request(dest, source, corners);
    request.hole = true;
    return request;
}

const GridCase kGridCases[] = {
    {"StretchWithoutCorners", Request({0, 0, 40, 20}, {0, 0, 10, 10}, {}), NineGridPath::Blended,
     {{{0, 0, 40, 20}, {0, 0, 10, 10}}}},
    {"AllEightBordersInOrder", Request({100, 200, 160, 240}, {5, 6, 35, 36}, {2, 3, 4, 5}), NineGridPath::Blended,
     {{{102, 203, 156, 235}, {7, 9, 31, 31}},
      {{100, 200, 102, 203}, {5, 6, 7, 9}},
      {{102, 200, 156, 203}, {7, 6, 31, 9}},
      {{156, 200, 160, 203}, {31, 6, 35, 9}},
      {{100, 203, 102, 235}, {5, 9, 7, 31}},
      {{156, 203, 160, 235}, {31, 9, 35, 31}},
      {{100, 235, 102, 240}, {5, 31, 7, 36}},
      {{102, 235, 156, 240}, {7, 31, 31, 36}},
      {{156, 235, 160, 240}, {31, 31, 35, 36}}}},
    {"OnlyTopCornerWidthDrawsNoCornerPieces", Request({0, 0, 20, 20}, {0, 0, 10, 10}, {0, 2, 0, 0}),
     NineGridPath::Blended, {{{0, 2, 20, 20}, {0, 2, 10, 10}}, {{0, 0, 20, 2}, {0, 0, 10, 2}}}},
    {"HoleLeavesTheMiddleOut", Holed({0, 0, 30, 30}, {0, 0, 9, 9}, {3, 3, 3, 3}), NineGridPath::Blended,
     {{{0, 0, 3, 3}, {0, 0, 3, 3}},
      {{3, 0, 27, 3}, {3, 0, 6, 3}},
      {{27, 0, 30, 3}, {6, 0, 9, 3}},
      {{0, 3, 3, 27}, {0, 3, 3, 6}},
      {{27, 3, 30, 27}, {6, 3, 9, 6}},
      {{0, 27, 3, 30}, {0, 6, 3, 9}},
      {{3, 27, 27, 30}, {3, 6, 6, 9}},
      {{27, 27, 30, 30}, {6, 6, 9, 9}}}},
    {"XTiledTenOverTwentyFiveCutsTheLastTile", Tiled({0, 0, 25, 40}, {0, 0, 10, 8}, {}, true, false),
     NineGridPath::Blended,
     {{{0, 0, 10, 40}, {0, 0, 10, 8}}, {{10, 0, 20, 40}, {0, 0, 10, 8}}, {{20, 0, 25, 40}, {0, 0, 5, 8}}}},
    {"YTiledSpansTheFullWidth", Tiled({5, 5, 45, 30}, {0, 0, 4, 10}, {}, false, true), NineGridPath::Blended,
     {{{5, 5, 45, 15}, {0, 0, 4, 10}}, {{5, 15, 45, 25}, {0, 0, 4, 10}}, {{5, 25, 45, 30}, {0, 0, 4, 5}}}},
    {"BothTiledRowByRowUnstretched", Tiled({0, 0, 15, 12}, {2, 2, 12, 10}, {}, true, true), NineGridPath::Blended,
     {{{0, 0, 10, 8}, {2, 2, 12, 10}},
      {{10, 0, 15, 8}, {2, 2, 7, 10}},
      {{0, 8, 10, 12}, {2, 2, 12, 6}},
      {{10, 8, 15, 12}, {2, 2, 7, 6}}}},
    {"TilesStartAfterTheCorners", Tiled({0, 0, 27, 10}, {0, 0, 14, 10}, {1, 0, 1, 0}, true, false),
     NineGridPath::Blended,
     {{{1, 0, 13, 10}, {1, 0, 13, 10}},
      {{13, 0, 25, 10}, {1, 0, 13, 10}},
      {{25, 0, 26, 10}, {1, 0, 2, 10}},
      {{0, 0, 1, 10}, {0, 0, 1, 10}},
      {{26, 0, 27, 10}, {13, 0, 14, 10}}}},
    {"OnlyPiecesMeetingThePaintRectangle", Request({0, 0, 30, 30}, {0, 0, 9, 9}, {3, 3, 3, 3}, {28, 0, 40, 2}),
     NineGridPath::Blended, {{{27, 0, 30, 3}, {6, 0, 9, 3}}}},
    {"MiddleOutsideThePaintRectangleIsSkipped", Request({0, 0, 30, 30}, {0, 0, 9, 9}, {3, 3, 3, 3}, {0, 0, 3, 3}),
     NineGridPath::Blended, {{{0, 0, 3, 3}, {0, 0, 3, 3}}}},
    {"EmptyPaintRectangleDrawsNothing", Request({0, 0, 30, 30}, {0, 0, 9, 9}, {3, 3, 3, 3}, {5, 5, 5, 9}),
     NineGridPath::Blended, {}},
    {"OpaqueUnscaledCopiesOnlyTheVisiblePart", Request({10, 10, 30, 30}, {5, 5, 25, 25}, {}, {0, 20, 15, 40}),
     NineGridPath::Opaque, {{{10, 20, 15, 30}, {5, 15, 10, 25}}}},
    {"OpaqueUnscaledOutsideThePaintDrawsNothing", Request({10, 10, 30, 30}, {0, 0, 20, 20}, {}, {30, 0, 40, 40}),
     NineGridPath::Opaque, {}},
    {"BlendedUnscaledStillDrawsTheWholeMiddle", Request({10, 10, 30, 30}, {5, 5, 25, 25}, {}, {0, 20, 15, 40}),
     NineGridPath::Blended, {{{10, 10, 30, 30}, {5, 5, 25, 25}}}},
    {"OpaqueScaledUsesThePieces", Request({0, 0, 20, 20}, {0, 0, 10, 10}, {}, {0, 0, 5, 5}), NineGridPath::Opaque,
     {{{0, 0, 20, 20}, {0, 0, 10, 10}}}},
    {"OpaqueHoleWithoutCornersDrawsNothing", Holed({0, 0, 10, 10}, {0, 0, 10, 10}, {}), NineGridPath::Opaque, {}},
    {"CornersEatingTheWholePartLeaveNoMiddleToTile", Tiled({0, 0, 40, 10}, {0, 0, 10, 10}, {5, 0, 5, 0}, true, false),
     NineGridPath::Blended, {{{0, 0, 5, 10}, {0, 0, 5, 10}}, {{35, 0, 40, 10}, {5, 0, 10, 10}}}},
    {"CornersWiderThanThePartDrawNoMirroredEdges", Request({0, 0, 40, 40}, {0, 0, 10, 10}, {6, 6, 6, 6}),
     NineGridPath::Blended,
     {{{0, 0, 6, 6}, {0, 0, 6, 6}},
      {{34, 0, 40, 6}, {4, 0, 10, 6}},
      {{0, 34, 6, 40}, {0, 4, 6, 10}},
      {{34, 34, 40, 40}, {4, 4, 10, 10}}}},
    {"NegativeCornersCountAsZero", Request({0, 0, 20, 20}, {0, 0, 10, 10}, {-4, -4, -4, -4}), NineGridPath::Blended,
     {{{0, 0, 20, 20}, {0, 0, 10, 10}}}},
};

INSTANTIATE_TEST_SUITE_P(Table, NineGridPieces, testing::ValuesIn(kGridCases),
                         [](const testing::TestParamInfo<GridCase>& info) { return std::string(info.param.name); });

TEST(NineGridTiles, OnePixelTilesCoverTheMiddleExactlyOnce)
{
    const auto pieces = Pieces(Tiled({0, 0, 37, 23}, {0, 0, 1, 1}, {}, true, true));
    ASSERT_EQ(37u * 23u, pieces.size());
    std::vector<int> covered(37 * 23, 0);
    for (const NineGridPiece& piece : pieces) {
        ASSERT_EQ(1, piece.dest.right - piece.dest.left);
        ASSERT_EQ(1, piece.dest.bottom - piece.dest.top);
        ++covered[piece.dest.top * 37 + piece.dest.left];
    }
    EXPECT_EQ(std::vector<int>(37 * 23, 1), covered);
}

} // namespace
