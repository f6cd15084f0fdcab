#pragma once
// Readable GoogleTest output for the platform's geometry structs: a failing comparison
// prints {l,t,r,b} instead of raw bytes. The equality operators let EXPECT_EQ compare
// them directly; they live here so that every test uses the same ones.

#include "common/Win32.h"

#include <ostream>

inline void PrintTo(const RECT& rc, std::ostream* os)
{
    *os << '{' << rc.left << ',' << rc.top << ',' << rc.right << ',' << rc.bottom << '}';
}

inline void PrintTo(const POINT& pt, std::ostream* os) { *os << '{' << pt.x << ',' << pt.y << '}'; }

inline void PrintTo(const SIZE& sz, std::ostream* os) { *os << '{' << sz.cx << ',' << sz.cy << '}'; }

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const RECT& a, const RECT& b) { return !(a == b); }
inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const POINT& a, const POINT& b) { return !(a == b); }
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
inline bool operator!=(const SIZE& a, const SIZE& b) { return !(a == b); }
