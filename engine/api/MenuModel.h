#pragma once
// The engine's CefMenuModel: a flat list of commands and separators.

#include <string>
#include <vector>

#include "CefHandlers.h"

namespace engine {

class MenuModel final : public CefMenuModel {
public:
    struct Item {
        int commandId = -1;
        std::wstring label;
        MenuItemType type = MENUITEMTYPE_COMMAND;
        bool enabled = true;
    };

    [[nodiscard]] const std::vector<Item>& Items() const noexcept { return m_items; }

    bool Clear() override;
    int GetCount() override { return static_cast<int>(m_items.size()); }
    bool AddSeparator() override;
    bool AddItem(int commandId, const CefString& label) override;
    bool InsertItemAt(int index, int commandId, const CefString& label) override;
    bool Remove(int commandId) override;
    bool RemoveAt(int index) override;
    int GetIndexOf(int commandId) override;
    int GetCommandIdAt(int index) override;
    CefString GetLabel(int commandId) override { return GetLabelAt(GetIndexOf(commandId)); }
    CefString GetLabelAt(int index) override;
    MenuItemType GetType(int commandId) override { return GetTypeAt(GetIndexOf(commandId)); }
    MenuItemType GetTypeAt(int index) override;
    bool IsEnabled(int commandId) override;
    bool SetEnabled(int commandId, bool enabled) override;

private:
    [[nodiscard]] const Item* At(int index) const;

    std::vector<Item> m_items;
    IMPLEMENT_REFCOUNTING(MenuModel);
};

} // namespace engine
