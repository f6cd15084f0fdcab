#pragma once
// Skin markup document: the text is parsed once, in place, into a flat table of
// element records. Names and values handed out point into the document's own text.

#include "common/Win32.h"
#include "duilib/core/MarkupNode.h"

#include <memory>
#include <vector>

namespace DuiLib {

enum {
    XMLFILE_ENCODING_UTF8 = 0,
    XMLFILE_ENCODING_UNICODE = 1, // UTF-16 with a byte-order mark
    XMLFILE_ENCODING_ASNI = 2,    // the system ANSI code page
};

class CMarkup final {
    friend class CMarkupNode;

public:
    explicit CMarkup(LPCTSTR pstrXML = nullptr);
    ~CMarkup() noexcept;
    CMarkup(const CMarkup&) = delete;
    CMarkup& operator=(const CMarkup&) = delete;

    // Copies the text (up to its NUL) and parses the copy.
    [[nodiscard]] bool Load(LPCTSTR pstrXML);
    // Converts the bytes to UTF-16 first. The bytes are only read.
    [[nodiscard]] bool LoadFromMem(BYTE* pByte, DWORD dwSize, int encoding = XMLFILE_ENCODING_UTF8);
    // Reads the file from the resource folder or resource zip (CPaintManagerUI).
    [[nodiscard]] bool LoadFromFile(LPCTSTR pstrFilename, int encoding = XMLFILE_ENCODING_UTF8);
    void Release() noexcept;
    [[nodiscard]] bool IsValid() const noexcept { return !m_aElements.empty(); }

    void SetPreserveWhitespace(bool bPreserve = true) noexcept { m_bPreserveWhitespace = bPreserve; }
    // Copy like wcsncpy: a shorter text is padded with NULs, a longer one is cut without one.
    void GetLastErrorMessage(LPTSTR pstrMessage, unsigned long cchMax) const;
    void GetLastErrorLocation(LPTSTR pstrSource, unsigned long cchMax) const;

    // Element 1; invalid when nothing is loaded.
    [[nodiscard]] CMarkupNode GetRoot();

private:
    // Positions are character offsets into the text, so the table never holds pointers.
    typedef struct tagXMLELEMENT {
        ULONG iStart;  // name
        ULONG iChild;  // first child; 0 = none
        ULONG iNext;   // next sibling; 0 = none
        ULONG iParent; // 0 for the root
        ULONG iData;   // character data
    } XMLELEMENT;

    [[nodiscard]] bool _Parse();
    [[nodiscard]] bool _Parse(LPTSTR& pstrText, ULONG iParent, int nDepth);
    [[nodiscard]] bool _ParseElementEnd(LPTSTR& pstrText, ULONG iPos, LPTSTR pstrName, LPTSTR pstrNameEnd, int nDepth,
                                        bool& bEndOfText);
    [[nodiscard]] bool _ParseEndTag(LPTSTR& pstrText, LPCTSTR pstrName, size_t cchName);
    [[nodiscard]] ULONG _ReserveElement();
    // Reserves and links the record of an element whose name starts at pstrName.
    [[nodiscard]] ULONG _AddElement(LPCTSTR pstrName, ULONG iParent, ULONG iPrevious);
    static void _SkipWhitespace(LPCTSTR& pstr) noexcept;
    static void _SkipWhitespace(LPTSTR& pstr) noexcept;
    static void _SkipIdentifier(LPCTSTR& pstr) noexcept;
    static void _SkipIdentifier(LPTSTR& pstr) noexcept;
    void _ParseData(LPTSTR& pstrText, LPTSTR& pstrDest, char cEnd) const noexcept;
    static void _ParseMetaChar(LPTSTR& pstrText, LPTSTR& pstrDest) noexcept;
    [[nodiscard]] bool _ParseAttributes(LPTSTR& pstrText);
    [[nodiscard]] bool _Failed(LPCTSTR pstrError, LPCTSTR pstrLocation = nullptr) noexcept;
    [[nodiscard]] bool _TakeText(std::unique_ptr<TCHAR[]> pstrText);

    std::unique_ptr<TCHAR[]> m_pstrXML;
    // The table's size is the reserved count; records past m_nElements stay zero.
    std::vector<XMLELEMENT> m_aElements;
    ULONG m_nElements = 0;
    TCHAR m_szErrorMsg[100] = {};
    TCHAR m_szErrorXML[50] = {};
    bool m_bPreserveWhitespace = true;
};

} // namespace DuiLib
