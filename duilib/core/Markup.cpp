#include "duilib/core/Markup.h"

#include "duilib/core/ResourceReader.h"

#include <climits>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <new>
#include <utility>

namespace DuiLib {

namespace {

// Skin files above this size are refused before they are read.
constexpr size_t kMaxSkinFileBytes = 4 * 1024 * 1024;

using TextBuffer = std::unique_ptr<TCHAR[]>;

TextBuffer AllocateText(size_t cchWithTerminator)
{
    // Deliberately not value-initialised: the whole buffer is written right away.
    return TextBuffer(new TCHAR[cchWithTerminator]);
}

TextBuffer ConvertMultiByte(UINT codePage, const BYTE* data, DWORD size)
{
    if (size > static_cast<DWORD>(INT_MAX)) {
        return nullptr;
    }
    const auto* source = reinterpret_cast<LPCSTR>(data);
    const int cchSource = static_cast<int>(size);
    const int cchText = cchSource == 0 ? 0 : MultiByteToWideChar(codePage, 0, source, cchSource, nullptr, 0);
    if (cchSource != 0 && cchText == 0) {
        return nullptr;
    }
    TextBuffer text = AllocateText(static_cast<size_t>(cchText) + 1);
    if (cchText != 0 && MultiByteToWideChar(codePage, 0, source, cchSource, text.get(), cchText) != cchText) {
        return nullptr;
    }
    text[cchText] = L'\0';
    return text;
}

TextBuffer ConvertUtf8(const BYTE* data, DWORD size)
{
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        data += 3;
        size -= 3;
    }
    return ConvertMultiByte(CP_UTF8, data, size);
}

// The caller's bytes stay untouched: they may be a read-only resource section, so a
// big-endian text is swapped while it is copied.
TextBuffer ConvertUtf16(const BYTE* data, DWORD size)
{
    if (size < 2) {
        return nullptr;
    }
    const bool bigEndian = data[0] == 0xFE && data[1] == 0xFF;
    if (!bigEndian && !(data[0] == 0xFF && data[1] == 0xFE)) {
        return nullptr;
    }
    const size_t cchText = size / 2 - 1;
    TextBuffer text = AllocateText(cchText + 1);
    const BYTE* source = data + 2;
    for (size_t i = 0; i < cchText; ++i, source += 2) {
        const BYTE high = bigEndian ? source[0] : source[1];
        const BYTE low = bigEndian ? source[1] : source[0];
        text[i] = static_cast<TCHAR>((high << 8) | low);
    }
    text[cchText] = L'\0';
    return text;
}

void CopyLikeStrncpy(LPTSTR target, LPCTSTR source, unsigned long cchMax)
{
    if (target != nullptr && cchMax > 0) {
        std::wcsncpy(target, source, cchMax);
    }
}

} // namespace

CMarkup::CMarkup(LPCTSTR pstrXML)
{
    if (pstrXML != nullptr) {
        (void)Load(pstrXML); // The outcome stays readable through IsValid and the error accessors.
    }
}

CMarkup::~CMarkup() noexcept = default;

bool CMarkup::Load(LPCTSTR pstrXML)
{
    Release();
    if (pstrXML == nullptr) {
        return _Failed(L"No markup text");
    }
    try {
        const size_t cchText = std::wcslen(pstrXML) + 1;
        TextBuffer text = AllocateText(cchText);
        std::memcpy(text.get(), pstrXML, cchText * sizeof(TCHAR));
        return _TakeText(std::move(text));
    } catch (const std::bad_alloc&) {
        Release();
        return _Failed(L"Out of memory");
    }
}

bool CMarkup::LoadFromMem(BYTE* pByte, DWORD dwSize, int encoding)
{
    // Replacing a loaded document here too keeps stale records out of the new table.
    Release();
    if (pByte == nullptr && dwSize != 0) {
        return _Failed(L"No markup text");
    }
    try {
        TextBuffer text;
        switch (encoding) {
        case XMLFILE_ENCODING_UTF8: text = ConvertUtf8(pByte, dwSize); break;
        case XMLFILE_ENCODING_ASNI: text = ConvertMultiByte(CP_ACP, pByte, dwSize); break;
        case XMLFILE_ENCODING_UNICODE:
            text = ConvertUtf16(pByte, dwSize);
            if (!text) {
                return _Failed(L"UTF-16 text without byte-order mark");
            }
            break;
        default: return _Failed(L"Unknown text encoding");
        }
        if (!text) {
            return _Failed(L"Could not convert text");
        }
        return _TakeText(std::move(text));
    } catch (const std::bad_alloc&) {
        Release();
        return _Failed(L"Out of memory");
    }
}

bool CMarkup::LoadFromFile(LPCTSTR pstrFilename, int encoding)
{
    Release();
    std::vector<BYTE> bytes;
    try {
        const ResourceReadStatus status = ReadSkinResource(pstrFilename, kMaxSkinFileBytes, bytes);
        if (status != ResourceReadStatus::Ok) {
            return _Failed(ResourceReadMessage(status));
        }
    } catch (const std::bad_alloc&) {
        return _Failed(L"Out of memory");
    }
    return LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size()), encoding);
}

void CMarkup::Release() noexcept
{
    m_pstrXML.reset();
    // Swapping frees the storage: the next parse must start from zeroed records.
    std::vector<XMLELEMENT>().swap(m_aElements);
    m_nElements = 0;
}

bool CMarkup::_TakeText(std::unique_ptr<TCHAR[]> pstrText)
{
    m_pstrXML = std::move(pstrText);
    if (_Parse()) {
        return true;
    }
    Release();
    return false;
}

void CMarkup::GetLastErrorMessage(LPTSTR pstrMessage, unsigned long cchMax) const
{
    CopyLikeStrncpy(pstrMessage, m_szErrorMsg, cchMax);
}

void CMarkup::GetLastErrorLocation(LPTSTR pstrSource, unsigned long cchMax) const
{
    CopyLikeStrncpy(pstrSource, m_szErrorXML, cchMax);
}

CMarkupNode CMarkup::GetRoot()
{
    if (m_aElements.empty()) {
        return CMarkupNode();
    }
    return CMarkupNode(this, 1);
}

bool CMarkup::_Failed(LPCTSTR pstrError, LPCTSTR pstrLocation) noexcept
{
    std::wcsncpy(m_szErrorMsg, pstrError, std::size(m_szErrorMsg) - 1);
    m_szErrorMsg[std::size(m_szErrorMsg) - 1] = L'\0';
    m_szErrorXML[0] = L'\0';
    if (pstrLocation != nullptr) {
        std::wcsncpy(m_szErrorXML, pstrLocation, std::size(m_szErrorXML) - 1);
        m_szErrorXML[std::size(m_szErrorXML) - 1] = L'\0';
    }
    return false;
}

} // namespace DuiLib
