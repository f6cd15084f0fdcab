// zv-pack-config INPUT.xml OUTPUT.dat
// Packs an XML file into a configuration document. The file's bytes are packed as
// they are: write it in the ANSI code page of the machines that will read it.

#include "tools/ConfigPacker.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool ReadFile(const wchar_t* path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFile(const wchar_t* path, const std::string& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out.flush());
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fputs("usage: zv-pack-config INPUT.xml OUTPUT.dat\n", stderr);
        return 2;
    }
    std::string text;
    if (!ReadFile(argv[1], text)) {
        std::fprintf(stderr, "zv-pack-config: cannot read %ls\n", argv[1]);
        return 1;
    }
    const std::string packed = PackConfigDocument(text);
    if (packed.empty() || !WriteFile(argv[2], packed)) {
        std::fprintf(stderr, "zv-pack-config: cannot write %ls\n", argv[2]);
        return 1;
    }
    return 0;
}
