#pragma once
// Turns a skin document into a tree of controls. The window-wide declarations at the
// top of the document (images, fonts, default attribute lists, language strings) and
// the attributes of a "Window" root go to the window's paint manager; every other
// element becomes a control of the class its name stands for, or is offered to the
// application's callback. "ChildLayout" includes another skin document in its place.

#include "common/Win32.h"
#include "duilib/core/Markup.h"
#include "duilib/core/StringOrId.h"

namespace DuiLib {

class CControlUI;
class CPaintManagerUI;

class IDialogBuilderCallback {
public:
    // A new control for an element name the framework does not know, or null. The tree
    // takes ownership of what is returned.
    virtual CControlUI* CreateControl(LPCTSTR pstrClass) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};

class CDialogBuilder final {
public:
    CDialogBuilder() = default;
    CDialogBuilder(const CDialogBuilder&) = delete;
    CDialogBuilder& operator=(const CDialogBuilder&) = delete;

    // Loads the document: a resource id of the given type in the resource module,
    // markup text when it begins with "<", else a file in the resource location; then
    // builds it. Null when loading failed (GetLastErrorMessage tells why) or no control
    // was built. The callback is borrowed.
    CControlUI* Create(STRINGorID xml, LPCTSTR type = nullptr, IDialogBuilderCallback* pCallback = nullptr,
                       CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);
    // Builds a loaded document. The result is the first control below the root; with a
    // parent every control below the root is added to it (and owned by it). Without a
    // manager, declarations and window attributes are ignored.
    CControlUI* Create(CMarkup* pMarkup, IDialogBuilderCallback* pCallback = nullptr,
                       CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);

    [[nodiscard]] CMarkup* GetMarkup() { return &m_xml; }
    void GetLastErrorMessage(LPTSTR pstrMessage, unsigned long cchMax) const;
    void GetLastErrorLocation(LPTSTR pstrSource, unsigned long cchMax) const;

private:
    [[nodiscard]] bool Load(STRINGorID xml, LPCTSTR type);
    void ReadDeclarations(CMarkupNode& root, CPaintManagerUI* pManager, CControlUI* pParent);
    void LoadLanguage(CMarkupNode& node, CPaintManagerUI* pManager, CControlUI* pParent);
    // Builds a document named by an "xmlfile" value, the way this document was found.
    CControlUI* CreateNested(LPCTSTR pstrXmlFile, CPaintManagerUI* pManager, CControlUI* pParent);
    void Include(CMarkupNode& node, CControlUI* pParent, CPaintManagerUI* pManager);
    [[nodiscard]] CControlUI* CreateControl(LPCTSTR pstrClass) const;
    // Builds the children of pRoot under pParent; returns the first control built.
    CControlUI* _Parse(CMarkupNode* pRoot, CControlUI* pParent = nullptr, CPaintManagerUI* pManager = nullptr);
    [[nodiscard]] bool Attach(CControlUI* pControl, CControlUI* pParent);
    static void ApplyAttributes(CMarkupNode& node, CControlUI* pControl, CPaintManagerUI* pManager);

    CMarkup m_xml;
    IDialogBuilderCallback* m_pCallback = nullptr; // borrowed
    LPCTSTR m_pstrtype = nullptr; // the resource type of a document loaded by id; borrowed
};

} // namespace DuiLib
