#pragma once
// One advertisement entry of the remote configuration.

#include <string>

struct AdItem {
    std::wstring text; // shown in the slot
    std::wstring url;  // opened on click
};
