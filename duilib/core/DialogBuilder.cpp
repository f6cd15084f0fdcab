#include "duilib/core/DialogBuilder.h"

#include "duilib/control/ControlUI.h"
#include "duilib/core/AttributeValue.h"
#include "duilib/core/ControlFactory.h"
#include "duilib/core/IncludeScope.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/WindowAttributes.h"
#include "duilib/layout/IContainerUI.h"

#include <cwchar>

namespace DuiLib {

namespace {

// Longer "xmlfile" values are not taken.
constexpr size_t kMaxXmlFile = 499;
// An inclusion repeated more often than this is cut there.
constexpr int kMaxIncludeCount = 10000;

[[nodiscard]] bool Is(LPCTSTR a, LPCTSTR b)
{
    return std::wcscmp(a, b) == 0;
}

// A resource id from 1 to 65535 in decimal; 0 for anything else.
[[nodiscard]] UINT ResourceId(LPCTSTR pstrValue)
{
    const int id = CAttributeValue::ParseInt(pstrValue);
    return id >= 1 && id <= 0xFFFF ? static_cast<UINT>(id) : 0;
}

// What keeps a document from including itself; markup text cannot, it only shrinks.
[[nodiscard]] CDuiString IncludeKey(STRINGorID xml, LPCTSTR type)
{
    if (!xml.IsId()) {
        return xml.m_lpstr[0] == L'<' ? CDuiString() : CDuiString(xml.m_lpstr);
    }
    CDuiString key;
    key.SmallFormat(L"#%u:", static_cast<UINT>(reinterpret_cast<ULONG_PTR>(xml.m_lpstr)));
    return key + (type != nullptr ? type : L"");
}

void AddFont(CMarkupNode& node, CPaintManagerUI* pManager)
{
    LPCTSTR name = nullptr;
    int size = 12;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    bool isDefault = false;
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        LPCTSTR attribute = node.GetAttributeName(i);
        LPCTSTR value = node.GetAttributeValue(i);
        if (Is(attribute, L"name")) {
            name = value;
        } else if (Is(attribute, L"size")) {
            size = CAttributeValue::ParseInt(value);
        } else if (Is(attribute, L"bold")) {
            bold = CAttributeValue::ParseBool(value);
        } else if (Is(attribute, L"underline")) {
            underline = CAttributeValue::ParseBool(value);
        } else if (Is(attribute, L"italic")) {
            italic = CAttributeValue::ParseBool(value);
        } else if (Is(attribute, L"default")) {
            isDefault = CAttributeValue::ParseBool(value);
        }
    }
    if (name == nullptr) {
        return;
    }
    (void)pManager->AddFont(name, size, bold, underline, italic); // a font that cannot be made is left out
    if (isDefault) {
        pManager->SetDefaultFont(name, size, bold, underline, italic);
    }
}

void AddImage(CMarkupNode& node, CPaintManagerUI* pManager)
{
    LPCTSTR name = nullptr;
    LPCTSTR type = nullptr;
    DWORD mask = 0;
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        LPCTSTR attribute = node.GetAttributeName(i);
        LPCTSTR value = node.GetAttributeValue(i);
        if (Is(attribute, L"name")) {
            name = value;
        } else if (Is(attribute, L"restype")) {
            type = value;
        } else if (Is(attribute, L"mask")) {
            mask = CAttributeValue::ParseHashColor(value);
        }
    }
    if (name != nullptr) {
        (void)pManager->AddImage(name, type, mask); // a missing image stays unregistered
    }
}

// The "name" and "value" of a "Default" or "lang" element; name is null without one.
void NameAndValue(CMarkupNode& node, LPCTSTR& name, LPCTSTR& value)
{
    name = nullptr;
    value = L"";
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        LPCTSTR attribute = node.GetAttributeName(i);
        if (Is(attribute, L"name")) {
            name = node.GetAttributeValue(i);
        } else if (Is(attribute, L"value")) {
            value = node.GetAttributeValue(i);
        }
    }
}

// The last "xmlfile" of the element when it is short enough; null otherwise.
[[nodiscard]] LPCTSTR XmlFile(CMarkupNode& node)
{
    LPCTSTR file = nullptr;
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        if (Is(node.GetAttributeName(i), L"xmlfile")) {
            file = node.GetAttributeValue(i);
        }
    }
    return file != nullptr && std::wcslen(file) <= kMaxXmlFile ? file : nullptr;
}

} // namespace

CControlUI* CDialogBuilder::Create(STRINGorID xml, LPCTSTR type, IDialogBuilderCallback* pCallback,
                                   CPaintManagerUI* pManager, CControlUI* pParent)
{
    const CIncludeScope scope(IncludeKey(xml, type));
    if (!scope.IsAdmitted() || !Load(xml, type)) {
        return nullptr;
    }
    return Create(&m_xml, pCallback, pManager, pParent);
}

bool CDialogBuilder::Load(STRINGorID xml, LPCTSTR type)
{
    if (!xml.IsId()) {
        return xml.m_lpstr[0] == L'<' ? m_xml.Load(xml.m_lpstr) : m_xml.LoadFromFile(xml.m_lpstr);
    }
    const HINSTANCE module = CPaintManagerUI::GetResourceDll();
    const HRSRC resource = xml.m_lpstr != nullptr && type != nullptr ? ::FindResourceW(module, xml.m_lpstr, type)
                                                                       : nullptr;
    const HGLOBAL loaded = resource != nullptr ? ::LoadResource(module, resource) : nullptr;
    auto* bytes = loaded != nullptr ? static_cast<BYTE*>(::LockResource(loaded)) : nullptr;
    if (bytes == nullptr || !m_xml.LoadFromMem(bytes, ::SizeofResource(module, resource), XMLFILE_ENCODING_UTF8)) {
        return false;
    }
    m_pstrtype = type;
    return true;
}

CControlUI* CDialogBuilder::Create(CMarkup* pMarkup, IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager,
                                   CControlUI* pParent)
{
    m_pCallback = pCallback;
    CMarkupNode root = pMarkup != nullptr ? pMarkup->GetRoot() : CMarkupNode();
    if (!root.IsValid()) {
        return nullptr;
    }
    if (pManager != nullptr) {
        ReadDeclarations(root, pManager, pParent);
        if (Is(root.GetName(), L"Window") && pManager->GetPaintWindow() != nullptr) {
            CWindowAttributes::Apply(root, *pManager);
        }
    }
    return _Parse(&root, pParent, pManager);
}

void CDialogBuilder::GetLastErrorMessage(LPTSTR pstrMessage, unsigned long cchMax) const
{
    m_xml.GetLastErrorMessage(pstrMessage, cchMax);
}

void CDialogBuilder::GetLastErrorLocation(LPTSTR pstrSource, unsigned long cchMax) const
{
    m_xml.GetLastErrorLocation(pstrSource, cchMax);
}

void CDialogBuilder::ReadDeclarations(CMarkupNode& root, CPaintManagerUI* pManager, CControlUI* pParent)
{
    for (CMarkupNode node = root.GetChild(); node.IsValid(); node = node.GetSibling()) {
        LPCTSTR element = node.GetName();
        LPCTSTR name = nullptr;
        LPCTSTR value = nullptr;
        if (Is(element, L"Image")) {
            AddImage(node, pManager);
        } else if (Is(element, L"Font")) {
            AddFont(node, pManager);
        } else if (Is(element, L"Default")) {
            NameAndValue(node, name, value);
            if (name != nullptr) {
                pManager->AddDefaultAttributeList(name, value);
            }
        } else if (Is(element, L"Language")) {
            LoadLanguage(node, pManager, pParent);
        } else if (Is(element, L"lang")) {
            NameAndValue(node, name, value);
            if (name != nullptr) {
                CPaintManagerUI::AddLanguageAttributeList(name, value);
            }
        }
    }
}

// One language document per process: later windows keep the table the first one filled.
void CDialogBuilder::LoadLanguage(CMarkupNode& node, CPaintManagerUI* pManager, CControlUI* pParent)
{
    if (!node.HasAttributes() || CPaintManagerUI::bLoadingLanguage) {
        return;
    }
    if (LPCTSTR file = XmlFile(node)) {
        (void)CreateNested(file, pManager, pParent); // a language document builds no controls
    }
    CPaintManagerUI::bLoadingLanguage = true;
}

CControlUI* CDialogBuilder::CreateNested(LPCTSTR pstrXmlFile, CPaintManagerUI* pManager, CControlUI* pParent)
{
    CDialogBuilder nested;
    if (m_pstrtype == nullptr) {
        return nested.Create(pstrXmlFile, nullptr, m_pCallback, pManager, pParent);
    }
    const UINT id = ResourceId(pstrXmlFile);
    return id != 0 ? nested.Create(id, m_pstrtype, m_pCallback, pManager, pParent) : nullptr;
}

// The included controls take the element's place among its siblings. Without a parent
// they would belong to nobody, so they are not kept.
void CDialogBuilder::Include(CMarkupNode& node, CControlUI* pParent, CPaintManagerUI* pManager)
{
    if (!node.HasAttributes()) {
        return;
    }
    int count = 1;
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        if (Is(node.GetAttributeName(i), L"count")) {
            count = CAttributeValue::ParseInt(node.GetAttributeValue(i));
        }
    }
    LPCTSTR file = XmlFile(node);
    for (int i = 0; file != nullptr && i < count && i < kMaxIncludeCount; ++i) {
        CControlUI* first = CreateNested(file, pManager, pParent);
        if (pParent == nullptr) {
            delete first;
        }
    }
}

CControlUI* CDialogBuilder::CreateControl(LPCTSTR pstrClass) const
{
    CControlUI* control = CControlFactory::CreateControl(pstrClass);
    if (control == nullptr && m_pCallback != nullptr) {
        control = m_pCallback->CreateControl(pstrClass);
    }
    return control;
}

CControlUI* CDialogBuilder::_Parse(CMarkupNode* pRoot, CControlUI* pParent, CPaintManagerUI* pManager)
{
    // An attached parent initialises what it is given: a control goes to it complete.
    const bool parentAttached = pParent != nullptr && pParent->GetManager() != nullptr;
    if (pParent != nullptr && pParent->GetInterface(L"IContainer") == nullptr) {
        return nullptr;
    }
    CControlUI* first = nullptr;
    for (CMarkupNode node = pRoot->GetChild(); node.IsValid(); node = node.GetSibling()) {
        LPCTSTR element = node.GetName();
        if (Is(element, L"Image") || Is(element, L"Font") || Is(element, L"Default") || Is(element, L"lang")) {
            continue;
        }
        if (Is(element, L"ChildLayout")) {
            Include(node, pParent, pManager);
            continue;
        }
        CControlUI* control = CreateControl(element);
        if (control == nullptr) {
            continue;
        }
        if (node.HasChildren()) {
            (void)_Parse(&node, control, pManager); // the children are the control's now
        }
        if (!parentAttached && !Attach(control, pParent)) {
            continue;
        }
        ApplyAttributes(node, control, pManager);
        if (parentAttached && !Attach(control, pParent)) {
            continue;
        }
        if (first == nullptr) {
            first = control;
        } else if (pParent == nullptr) {
            delete control; // nothing would own it
        }
    }
    return first;
}

// Hands the control to the parent's item list; a refused control is deleted.
bool CDialogBuilder::Attach(CControlUI* pControl, CControlUI* pParent)
{
    if (pParent == nullptr) {
        return true;
    }
    auto* container = static_cast<IContainerUI*>(pParent->GetInterface(L"IContainer"));
    if (container->Add(pControl)) {
        return true;
    }
    delete pControl;
    return false;
}

// The manager's default list for the element, then the element's own attributes in
// document order. The control borrows the manager meanwhile, as attributes may need it;
// it keeps its parent, which attributes may need too.
void CDialogBuilder::ApplyAttributes(CMarkupNode& node, CControlUI* pControl, CPaintManagerUI* pManager)
{
    CControlUI* parent = pControl->GetParent();
    if (pManager != nullptr) {
        pControl->SetManager(pManager, parent, false);
        if (LPCTSTR defaults = pManager->GetDefaultAttributeList(node.GetName())) {
            (void)pControl->ApplyAttributeList(defaults); // returns the control itself
        }
    }
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
        pControl->SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
    }
    if (pManager != nullptr) {
        pControl->SetManager(nullptr, parent, false);
    }
}

} // namespace DuiLib
