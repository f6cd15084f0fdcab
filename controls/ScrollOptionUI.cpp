#include "controls/ScrollOptionUI.h"

#include "controls/ScrollTabUI.h"
#include "duilib/control/ButtonUI.h"
#include "duilib/core/NotifyUI.h"
#include "duilib/core/RenderEngine.h"

#include <memory>

using DuiLib::CButtonUI;
using DuiLib::CDuiString;
using DuiLib::CRenderEngine;
using DuiLib::TEventUI;
using DuiLib::TNotifyUI;

namespace {

constexpr int kCloseSize = 14;
constexpr DWORD kTextColor = 0xFF666666;
constexpr UINT kTextStyle = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;

} // namespace

void CScrollOptionUI::Init()
{
    if (m_pCloseButton != nullptr) {
        return; // attached again: the button is there already
    }
    const int width = GetFixedWidth();
    CDuiString attributes;
    (void)attributes.SmallFormat(L"float=\"true\" pos=\"%d,%d,%d,%d\" ", width - kCloseSize, 0, width, kCloseSize);
    attributes += L"normalimage=\"close_nor.png\" hotimage=\"close_hot.png\" pushedimage=\"close_push.png\"";
    auto button = std::make_unique<CButtonUI>();
    (void)button->ApplyAttributeList(attributes); // returns the button itself
    button->SetVisible(m_bClosable);
    button->NotifyListeners += DuiLib::MakeDelegate(this, &CScrollOptionUI::OnCloseNotify);
    if (Add(button.get())) {
        m_pCloseButton = button.release(); // a child now
    }
}

void CScrollOptionUI::SetPos(RECT rc)
{
    CContainerUI::SetPos(rc);
    if (m_pCloseButton != nullptr) {
        m_pCloseButton->SetPos(
            RECT{m_rcItem.right - 15, m_rcItem.top + 1, m_rcItem.right - 1, m_rcItem.top + 1 + kCloseSize});
    }
}

void CScrollOptionUI::DoEvent(TEventUI& event)
{
    // The selection callback may remove this tab; the delayed destroy keeps it alive
    // until the message ends.
    if (event.Type == DuiLib::kEventButtonDown && m_pOwner != nullptr) {
        m_pOwner->SelectTab(this);
    }
    CContainerUI::DoEvent(event);
}

void CScrollOptionUI::PaintText(HDC hDC)
{
    RECT rc{m_rcItem.left + 4, m_rcItem.top, m_rcItem.right - 10, m_rcItem.bottom};
    if (rc.right > rc.left) {
        CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, kTextColor, 0, kTextStyle);
    }
}

void CScrollOptionUI::SetClosable(bool bClosable)
{
    m_bClosable = bClosable;
    if (m_pCloseButton != nullptr) {
        m_pCloseButton->SetVisible(bClosable);
    }
}

// The close button's "click". RemoveTab deletes this tab: nothing may follow it here.
bool CScrollOptionUI::OnCloseNotify(void* param)
{
    const auto* msg = static_cast<const TNotifyUI*>(param);
    if (msg == nullptr || msg->sType != L"click" || m_pOwner == nullptr) {
        return true;
    }
    const int index = m_pOwner->GetTabIndex(this);
    if (index != -1) {
        m_pOwner->RemoveTab(index);
    }
    return true;
}
