#pragma once
// A scroll bar: two arrow buttons, a thumb dragged over a track, a grip on the thumb
// and a background, each with an image per state, and auto-repeat while pressed. A
// container owns the bars it scrolls and turns their actions into its own scrolling;
// a bar without owner moves its own position and sends "scroll".

#include "duilib/control/ControlUI.h"
// The buttons and the thumb keep UISTATE_* bits; the background and the grip use the thumb's.
#include "duilib/control/UIState.h"

namespace DuiLib {

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    CScrollBarUI();

    [[nodiscard]] LPCTSTR GetClass() const override;
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;

    // Borrowed; the owner deletes its bars.
    [[nodiscard]] CContainerUI* GetOwner() const;
    void SetOwner(CContainerUI* pOwner);

    void SetVisible(bool bVisible = true) override;
    void SetEnabled(bool bEnable = true) override;
    // Focuses the owner when there is one.
    void SetFocus() override;

    [[nodiscard]] bool IsHorizontal() const;
    void SetHorizontal(bool bHorizontal = true);
    // Pixels of content beyond the view; never below 0.
    [[nodiscard]] int GetScrollRange() const;
    void SetScrollRange(int nRange);
    // 0 .. range.
    [[nodiscard]] int GetScrollPos() const;
    void SetScrollPos(int nPos);
    // The step of a bar without owner.
    [[nodiscard]] int GetLineSize() const;
    void SetLineSize(int nSize);

    [[nodiscard]] bool GetShowButton1() const;
    void SetShowButton1(bool bShow);
    [[nodiscard]] LPCTSTR GetButton1NormalImage() const;
    void SetButton1NormalImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetButton1HotImage() const;
    void SetButton1HotImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetButton1PushedImage() const;
    void SetButton1PushedImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetButton1DisabledImage() const;
    void SetButton1DisabledImage(LPCTSTR pStrImage);

    [[nodiscard]] bool GetShowButton2() const;
    void SetShowButton2(bool bShow);
    [[nodiscard]] LPCTSTR GetButton2NormalImage() const;
    void SetButton2NormalImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetButton2HotImage() const;
    void SetButton2HotImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetButton2PushedImage() const;
    void SetButton2PushedImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetButton2DisabledImage() const;
    void SetButton2DisabledImage(LPCTSTR pStrImage);

    [[nodiscard]] LPCTSTR GetThumbNormalImage() const;
    void SetThumbNormalImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetThumbHotImage() const;
    void SetThumbHotImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetThumbPushedImage() const;
    void SetThumbPushedImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetThumbDisabledImage() const;
    void SetThumbDisabledImage(LPCTSTR pStrImage);

    [[nodiscard]] LPCTSTR GetRailNormalImage() const;
    void SetRailNormalImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetRailHotImage() const;
    void SetRailHotImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetRailPushedImage() const;
    void SetRailPushedImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetRailDisabledImage() const;
    void SetRailDisabledImage(LPCTSTR pStrImage);

    [[nodiscard]] LPCTSTR GetBkNormalImage() const;
    void SetBkNormalImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetBkHotImage() const;
    void SetBkHotImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetBkPushedImage() const;
    void SetBkPushedImage(LPCTSTR pStrImage);
    [[nodiscard]] LPCTSTR GetBkDisabledImage() const;
    void SetBkDisabledImage(LPCTSTR pStrImage);

    void SetPos(RECT rc) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;

    void PaintBk(HDC hDC);
    void PaintButton1(HDC hDC);
    void PaintButton2(HDC hDC);
    void PaintThumb(HDC hDC);
    void PaintRail(HDC hDC);

    // Where the parts lie now (client coordinates); for tests and derived bars.
    [[nodiscard]] const RECT& GetButton1Rect() const { return m_rcButton1; }
    [[nodiscard]] const RECT& GetButton2Rect() const { return m_rcButton2; }
    [[nodiscard]] const RECT& GetThumbRect() const { return m_rcThumb; }

protected:
    // Normal, hot, pushed, disabled.
    struct PartImages {
        CDuiString normal;
        CDuiString hot;
        CDuiString pushed;
        CDuiString disabled;
    };

    bool m_bHorizontal = false;
    int m_nRange = 100;
    int m_nScrollPos = 0;
    int m_nLineSize = 8;
    CContainerUI* m_pOwner = nullptr; // borrowed
    POINT m_ptLastMouse = {0, 0};     // where the thumb was pressed
    int m_nLastScrollPos = 0;         // the position when the thumb was pressed
    int m_nLastScrollOffset = 0;      // the drag distance, applied by the timer
    int m_nScrollRepeatDelay = 0;     // ticks since the press
    bool m_bShowButton1 = true;
    UINT m_uButton1State = 0;
    RECT m_rcButton1 = {0, 0, 0, 0};
    PartImages m_button1;
    bool m_bShowButton2 = true;
    UINT m_uButton2State = 0;
    RECT m_rcButton2 = {0, 0, 0, 0};
    PartImages m_button2;
    UINT m_uThumbState = 0;
    RECT m_rcThumb = {0, 0, 0, 0};
    PartImages m_thumb;
    PartImages m_rail;
    PartImages m_bk;
    CDuiString m_sImageModify;

private:
    enum class Step { Line, Page };

    [[nodiscard]] int Length() const;
    [[nodiscard]] int CrossSize() const;
    void PlaceParts(const RECT& rc);
    void Scroll(Step step, int direction);
    void OnButtonDown(const TEventUI& event);
    void OnMouseMove(const TEventUI& event);
    void OnTimer();
    void OnButtonUp();
    void OnHover(bool enter, POINT pt);
    [[nodiscard]] bool PaintPart(HDC hDC, PartImages& images, UINT state, const RECT& part, bool bar);
    void PaintFramedPart(HDC hDC, PartImages& images, UINT& state, const RECT& part);
    void SetImage(CDuiString& image, LPCTSTR pStrImage);
};

} // namespace DuiLib
