#include "duilib/control/OptionUI.h"

#include "duilib/core/AttributeTable.h"
#include "duilib/core/AttributeValue.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

#include <cwchar>

namespace DuiLib {

namespace {

DWORD Color(LPCTSTR v) { return CAttributeValue::ParseColor(v); }

const TAttributeEntry<COptionUI> kAttributes[] = {
    {L"group", [](COptionUI& c, LPCTSTR v) { c.SetGroup(v); }},
    {L"selected", [](COptionUI& c, LPCTSTR v) { c.Selected(CAttributeValue::ParseBool(v)); }},
    {L"selectedimage", [](COptionUI& c, LPCTSTR v) { c.SetSelectedImage(v); }},
    {L"selectedhotimage", [](COptionUI& c, LPCTSTR v) { c.SetSelectedHotImage(v); }},
    {L"foreimage", [](COptionUI& c, LPCTSTR v) { c.SetOptionForeImage(v); }},
    {L"selectedbkcolor", [](COptionUI& c, LPCTSTR v) { c.SetSelectedBkColor(Color(v)); }},
    {L"selectedtextcolor", [](COptionUI& c, LPCTSTR v) { c.SetSelectedTextColor(Color(v)); }},
};

} // namespace

COptionUI::~COptionUI() noexcept
{
    LeaveGroup();
}

LPCTSTR COptionUI::GetClass() const
{
    return L"OptionUI";
}

LPVOID COptionUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && std::wcscmp(pstrName, L"Option") == 0) {
        return this;
    }
    return CButtonUI::GetInterface(pstrName);
}

void COptionUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit)
{
    CButtonUI::SetManager(pManager, pParent, bInit);
    if (bInit) {
        JoinGroup();
    }
}

void COptionUI::SetGroup(LPCTSTR pStrGroupName)
{
    const bool leave = pStrGroupName == nullptr || pStrGroupName[0] == L'\0';
    if (leave ? m_sGroupName.IsEmpty() : m_sGroupName == pStrGroupName) {
        return;
    }
    LeaveGroup();
    if (leave) {
        m_sGroupName.Empty();
        return;
    }
    m_sGroupName = pStrGroupName;
    JoinGroup();
}

void COptionUI::JoinGroup()
{
    if (m_sGroupName.IsEmpty() || m_pManager == nullptr) {
        return;
    }
    if (m_pGroupManager != m_pManager) {
        LeaveGroup();
    }
    (void)m_pManager->AddOptionGroup(m_sGroupName, this); // false when it is a member already
    m_pGroupManager = m_pManager;
}

void COptionUI::LeaveGroup()
{
    if (m_pGroupManager != nullptr && !m_sGroupName.IsEmpty()) {
        m_pGroupManager->RemoveOptionGroup(m_sGroupName, this);
    }
    m_pGroupManager = nullptr;
}

void COptionUI::Selected(bool bSelected)
{
    if (m_bSelected == bSelected) {
        return;
    }
    m_bSelected = bSelected;
    m_uButtonState = bSelected ? m_uButtonState | UISTATE_SELECTED : m_uButtonState & ~UISTATE_SELECTED;
    Invalidate();
    if (m_pManager == nullptr) {
        return;
    }
    if (bSelected && !m_sGroupName.IsEmpty()) {
        DeselectOthers();
    }
    m_pManager->SendNotify(this, L"selectchanged");
}

// The group is looked up again at each step: a "selectchanged" handler may change it.
void COptionUI::DeselectOthers()
{
    for (int i = 0;; ++i) {
        CStdPtrArray* group = m_pGroupManager != nullptr ? m_pGroupManager->GetOptionGroup(m_sGroupName) : nullptr;
        if (group == nullptr || i >= group->GetSize()) {
            return;
        }
        auto* control = static_cast<CControlUI*>(group->GetAt(i));
        auto* option = control != this ? static_cast<COptionUI*>(control->GetInterface(L"Option")) : nullptr;
        if (option != nullptr) {
            option->Selected(false);
        }
    }
}

bool COptionUI::Activate()
{
    if (!CButtonUI::Activate()) {
        return false;
    }
    Selected(m_sGroupName.IsEmpty() ? !m_bSelected : true);
    return true;
}

void COptionUI::SetEnabled(bool bEnable)
{
    CButtonUI::SetEnabled(bEnable);
    if (!IsEnabled()) {
        m_uButtonState = m_bSelected ? UISTATE_SELECTED : 0;
    }
}

void COptionUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (!ApplyAttributeEntry(kAttributes, *this, pstrName, pstrValue)) {
        CButtonUI::SetAttribute(pstrName, pstrValue);
    }
}

void COptionUI::SetSelectedImage(LPCTSTR pStrImage)
{
    m_sSelectedImage = pStrImage;
    Invalidate();
}

void COptionUI::SetSelectedHotImage(LPCTSTR pStrImage)
{
    m_sSelectedHotImage = pStrImage;
    Invalidate();
}

void COptionUI::SetOptionForeImage(LPCTSTR pStrImage)
{
    m_sOptionForeImage = pStrImage;
    Invalidate();
}

void COptionUI::SetSelectedTextColor(DWORD dwTextColor)
{
    m_dwSelectedTextColor = dwTextColor;
}

DWORD COptionUI::GetSelectedTextColor()
{
    if (m_dwSelectedTextColor == 0 && m_pManager != nullptr) {
        m_dwSelectedTextColor = m_pManager->GetDefaultFontColor();
    }
    return m_dwSelectedTextColor;
}

void COptionUI::SetSelectedBkColor(DWORD dwBkColor)
{
    m_dwSelectedBkColor = dwBkColor;
}

// An option never shows its pushed image: selecting is its press.
void COptionUI::PaintStatusImage(HDC hDC)
{
    m_uButtonState &= ~UISTATE_PUSHED;
    RefreshStateBits();
    if (m_bSelected && m_sSelectedImage.IsEmpty() && m_dwSelectedBkColor != 0 &&
        ((m_uButtonState & UISTATE_HOT) == 0 || m_sSelectedHotImage.IsEmpty())) {
        // The colour is the whole selected look: the option's fore image stays off.
        CRenderEngine::DrawColor(hDC, m_rcPaint, GetAdjustColor(m_dwSelectedBkColor));
        return;
    }
    if (!PaintSelectedImages(hDC)) {
        PaintButtonImages(hDC);
    }
    (void)DrawStateImage(hDC, m_sOptionForeImage); // emptied on failure
}

bool COptionUI::PaintSelectedImages(HDC hDC)
{
    if (!m_bSelected) {
        return false;
    }
    if ((m_uButtonState & UISTATE_HOT) != 0 && !m_sSelectedHotImage.IsEmpty()) {
        return DrawStateImage(hDC, m_sSelectedHotImage);
    }
    return DrawStateImage(hDC, m_sSelectedImage);
}

void COptionUI::PaintText(HDC hDC)
{
    if (!m_bSelected) {
        CButtonUI::PaintText(hDC);
        return;
    }
    PaintSelectedText(hDC);
}

void COptionUI::PaintSelectedText(HDC hDC)
{
    DefaultTextColors();
    if (m_sText.IsEmpty()) {
        return;
    }
    RECT rc = TextRect();
    const DWORD selected = m_dwSelectedTextColor != 0 ? m_dwSelectedTextColor : m_dwTextColor;
    const DWORD color = IsEnabled() ? selected : m_dwDisabledTextColor;
    if (m_bShowHtml) {
        int links = 0;
        (void)CRenderEngine::DrawHtmlText(hDC, m_pManager, rc, m_sText, color, nullptr, nullptr, links,
                                          m_uTextStyle); // the height is of no use here
    } else {
        CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, color, m_iFont, m_uTextStyle);
    }
}

} // namespace DuiLib
