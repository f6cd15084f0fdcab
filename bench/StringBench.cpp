// Side-by-side timings of the framework's string and string map against std::wstring and
// std::unordered_map, on the workloads the framework has: short control names and
// attribute values, the occasional long text, and name lookups in the paint manager.

#include "bench/BenchHarness.h"
#include "duilib/core/DuiString.h"
#include "duilib/core/StdStringPtrMap.h"

#include <string>
#include <unordered_map>
#include <vector>

using DuiLib::CDuiString;
using DuiLib::CStdStringPtrMap;

namespace {

constexpr int kRepetitions = 15;
constexpr int kNames = 10000;

const wchar_t kShortA[] = L"btn_close";
const wchar_t kShortB[] = L"normalimage";

std::wstring MakeText(size_t length)
{
    std::wstring text;
    for (size_t i = 0; i < length; ++i) {
        text += static_cast<wchar_t>(L'a' + i % 23);
    }
    return text;
}

std::vector<std::wstring> MakeControlNames()
{
    static const wchar_t* const kPrefixes[] = {
        L"btn_close_", L"opt_league_", L"lbl_title_", L"tab_item_", L"web_view_"};
    std::vector<std::wstring> names;
    names.reserve(kNames);
    for (int i = 0; i < kNames; ++i) {
        names.push_back(kPrefixes[i % 5] + std::to_wstring(i));
    }
    return names;
}

template <typename Str>
void AssignAlternating(Str& s, const wchar_t* a, const wchar_t* b)
{
    for (int i = 0; i < 10000; ++i) {
        s = (i & 1) ? a : b;
        bench::KeepAlive(s);
    }
}

template <typename Str>
void AppendPieces(const wchar_t* piece, int pieces, int rounds)
{
    for (int r = 0; r < rounds; ++r) {
        Str s;
        for (int i = 0; i < pieces; ++i) {
            s += piece;
        }
        bench::KeepAlive(s);
    }
}

void StringRows()
{
    const std::wstring longA = MakeText(200);
    const std::wstring longB = MakeText(300);
    CDuiString ours;
    std::wstring theirs;
    bench::Compare("assign short (10k)", kRepetitions, [&] { AssignAlternating(ours, kShortA, kShortB); },
        [&] { AssignAlternating(theirs, kShortA, kShortB); });
    bench::Compare("assign long 200/300 (10k)", kRepetitions,
        [&] { AssignAlternating(ours, longA.c_str(), longB.c_str()); },
        [&] { AssignAlternating(theirs, longA.c_str(), longB.c_str()); });
    bench::Compare("append short x20 (1k strings)", kRepetitions, [] { AppendPieces<CDuiString>(L"ab", 20, 1000); },
        [] { AppendPieces<std::wstring>(L"ab", 20, 1000); });
    bench::Compare("append to 6000 chars (10 strings)", kRepetitions,
        [] { AppendPieces<CDuiString>(L"0123456789", 600, 10); },
        [] { AppendPieces<std::wstring>(L"0123456789", 600, 10); });
}

void SearchRows()
{
    const std::wstring text = MakeText(10000) + L"needle" + MakeText(50);
    const CDuiString ours(text.c_str());
    bench::Compare("find text in 10k chars (100x)", kRepetitions,
        [&] {
            for (int i = 0; i < 100; ++i) {
                bench::KeepAlive(ours.Find(L"needle", i));
            }
        },
        [&] {
            for (size_t i = 0; i < 100; ++i) {
                bench::KeepAlive(text.find(L"needle", i));
            }
        });
    std::wstring source;
    for (int i = 0; i < 1000; ++i) {
        source += L"name=value;";
    }
    bench::Compare("replace 1000 matches in 11k chars", kRepetitions,
        [&] {
            CDuiString s(source.c_str());
            bench::KeepAlive(s.Replace(L"=", L" := "));
        },
        [&] {
            std::wstring s(source);
            for (size_t p = s.find(L'='); p != std::wstring::npos; p = s.find(L'=', p + 4)) {
                s.replace(p, 1, L" := ");
            }
            bench::KeepAlive(s);
        });
}

void MapRows()
{
    const std::vector<std::wstring> names = MakeControlNames();
    bench::Compare("map insert 10k names", kRepetitions,
        [&] {
            CStdStringPtrMap map(kNames);
            for (const auto& name : names) {
                (void)map.Insert(name.c_str(), const_cast<wchar_t*>(name.c_str())); // result irrelevant here
            }
            bench::KeepAlive(map.GetSize());
        },
        [&] {
            std::unordered_map<std::wstring, void*> map(kNames);
            for (const auto& name : names) {
                map.emplace(name, const_cast<wchar_t*>(name.c_str()));
            }
            bench::KeepAlive(map.size());
        });
    CStdStringPtrMap ours(kNames);
    std::unordered_map<std::wstring, void*> theirs(kNames);
    for (const auto& name : names) {
        (void)ours.Insert(name.c_str(), const_cast<wchar_t*>(name.c_str())); // names are unique
        theirs.emplace(name, const_cast<wchar_t*>(name.c_str()));
    }
    bench::Compare("map find 10k names", kRepetitions,
        [&] {
            for (const auto& name : names) {
                bench::KeepAlive(ours.Find(name.c_str()));
            }
        },
        [&] {
            for (const auto& name : names) {
                bench::KeepAlive(theirs.find(name)->second);
            }
        });
}

} // namespace

int main()
{
    bench::PrintHeader();
    StringRows();
    SearchRows();
    MapRows();
    return 0;
}
