#include "engine/api/MenuModel.h"

namespace engine {

const MenuModel::Item* MenuModel::At(int index) const
{
    return index >= 0 && index < static_cast<int>(m_items.size()) ? &m_items[static_cast<std::size_t>(index)] : nullptr;
}

bool MenuModel::Clear()
{
    m_items.clear();
    return true;
}

bool MenuModel::AddSeparator()
{
    m_items.push_back(Item{-1, std::wstring(), MENUITEMTYPE_SEPARATOR, true});
    return true;
}

bool MenuModel::AddItem(int commandId, const CefString& label)
{
    return InsertItemAt(GetCount(), commandId, label);
}

bool MenuModel::InsertItemAt(int index, int commandId, const CefString& label)
{
    if (index < 0 || index > GetCount() || commandId < 0) {
        return false;
    }
    m_items.insert(m_items.begin() + index, Item{commandId, label.ToWString(), MENUITEMTYPE_COMMAND, true});
    return true;
}

bool MenuModel::Remove(int commandId)
{
    return RemoveAt(GetIndexOf(commandId));
}

bool MenuModel::RemoveAt(int index)
{
    if (At(index) == nullptr) {
        return false;
    }
    m_items.erase(m_items.begin() + index);
    return true;
}

int MenuModel::GetIndexOf(int commandId)
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].type != MENUITEMTYPE_SEPARATOR && m_items[i].commandId == commandId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int MenuModel::GetCommandIdAt(int index)
{
    const Item* item = At(index);
    return item != nullptr && item->type != MENUITEMTYPE_SEPARATOR ? item->commandId : -1;
}

CefString MenuModel::GetLabelAt(int index)
{
    const Item* item = At(index);
    return item != nullptr ? item->label : std::wstring();
}

MenuItemType MenuModel::GetTypeAt(int index)
{
    const Item* item = At(index);
    return item != nullptr ? item->type : MENUITEMTYPE_NONE;
}

bool MenuModel::IsEnabled(int commandId)
{
    const Item* item = At(GetIndexOf(commandId));
    return item != nullptr && item->enabled;
}

bool MenuModel::SetEnabled(int commandId, bool enabled)
{
    const int index = GetIndexOf(commandId);
    if (index < 0) {
        return false;
    }
    m_items[static_cast<std::size_t>(index)].enabled = enabled;
    return true;
}

} // namespace engine
