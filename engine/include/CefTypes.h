#pragma once
// Plain records and constants of the engine interface.

#include <cstddef>

#include "CefString.h"
#include "common/Win32.h"

using CefWindowHandle = HWND;

enum cef_log_severity_t {
    LOGSEVERITY_DEFAULT = 0,
    LOGSEVERITY_VERBOSE,
    LOGSEVERITY_INFO,
    LOGSEVERITY_WARNING,
    LOGSEVERITY_ERROR,
    LOGSEVERITY_DISABLE = 99,
};

enum cef_process_id_t {
    PID_BROWSER,
    PID_RENDERER,
};
using CefProcessId = cef_process_id_t;

// Load failures reported to CefLoadHandler::OnLoadError.
enum cef_errorcode_t {
    ERR_NONE = 0,
    ERR_FAILED = -2,
    ERR_ABORTED = -3,
    ERR_INVALID_ARGUMENT = -4,
    ERR_FILE_NOT_FOUND = -6,
    ERR_TIMED_OUT = -7,
    ERR_FILE_TOO_BIG = -8,
    ERR_ACCESS_DENIED = -10,
    ERR_CONNECTION_CLOSED = -100,
    ERR_CONNECTION_RESET = -101,
    ERR_CONNECTION_REFUSED = -102,
    ERR_CONNECTION_FAILED = -104,
    ERR_NAME_NOT_RESOLVED = -105,
    ERR_INTERNET_DISCONNECTED = -106,
    ERR_INVALID_URL = -300,
    ERR_DISALLOWED_URL_SCHEME = -301,
    ERR_UNKNOWN_URL_SCHEME = -302,
    ERR_TOO_MANY_REDIRECTS = -310,
    ERR_INVALID_RESPONSE = -320,
    ERR_EMPTY_RESPONSE = -324,
};

enum cef_menu_item_type_t {
    MENUITEMTYPE_NONE,
    MENUITEMTYPE_COMMAND,
    MENUITEMTYPE_CHECK,
    MENUITEMTYPE_RADIO,
    MENUITEMTYPE_SEPARATOR,
    MENUITEMTYPE_SUBMENU,
};
using MenuItemType = cef_menu_item_type_t;

// Built-in context menu commands; the engine runs them when the client does not.
enum cef_menu_id_t {
    MENU_ID_BACK = 100,
    MENU_ID_FORWARD = 101,
    MENU_ID_RELOAD = 102,
    MENU_ID_RELOAD_NOCACHE = 103,
    MENU_ID_STOPLOAD = 104,
    MENU_ID_PRINT = 131,
    MENU_ID_VIEW_SOURCE = 132,
    MENU_ID_USER_FIRST = 26500,
    MENU_ID_USER_LAST = 28500,
};

enum cef_context_menu_type_flags_t {
    CM_TYPEFLAG_NONE = 0,
    CM_TYPEFLAG_PAGE = 1 << 0,
    CM_TYPEFLAG_FRAME = 1 << 1,
    CM_TYPEFLAG_LINK = 1 << 2,
    CM_TYPEFLAG_MEDIA = 1 << 3,
    CM_TYPEFLAG_SELECTION = 1 << 4,
    CM_TYPEFLAG_EDITABLE = 1 << 5,
};
using TypeFlags = cef_context_menu_type_flags_t;

enum cef_context_menu_media_type_t {
    CM_MEDIATYPE_NONE,
    CM_MEDIATYPE_IMAGE,
    CM_MEDIATYPE_VIDEO,
    CM_MEDIATYPE_AUDIO,
    CM_MEDIATYPE_FILE,
    CM_MEDIATYPE_PLUGIN,
};
using MediaType = cef_context_menu_media_type_t;

enum cef_event_flags_t {
    EVENTFLAG_NONE = 0,
    EVENTFLAG_SHIFT_DOWN = 1 << 1,
    EVENTFLAG_CONTROL_DOWN = 1 << 2,
    EVENTFLAG_ALT_DOWN = 1 << 3,
    EVENTFLAG_LEFT_MOUSE_BUTTON = 1 << 4,
    EVENTFLAG_MIDDLE_MOUSE_BUTTON = 1 << 5,
    EVENTFLAG_RIGHT_MOUSE_BUTTON = 1 << 6,
};
using EventFlags = cef_event_flags_t;

enum cef_window_open_disposition_t {
    WOD_UNKNOWN,
    WOD_CURRENT_TAB,
    WOD_SINGLETON_TAB,
    WOD_NEW_FOREGROUND_TAB,
    WOD_NEW_BACKGROUND_TAB,
    WOD_NEW_POPUP,
    WOD_NEW_WINDOW,
};

enum cef_dom_node_type_t {
    DOM_NODE_TYPE_UNSUPPORTED = 0,
    DOM_NODE_TYPE_ELEMENT,
    DOM_NODE_TYPE_ATTRIBUTE,
    DOM_NODE_TYPE_TEXT,
    DOM_NODE_TYPE_CDATA_SECTION,
    DOM_NODE_TYPE_PROCESSING_INSTRUCTIONS,
    DOM_NODE_TYPE_COMMENT,
    DOM_NODE_TYPE_DOCUMENT,
    DOM_NODE_TYPE_DOCUMENT_TYPE,
    DOM_NODE_TYPE_DOCUMENT_FRAGMENT,
};

enum cef_value_type_t {
    VTYPE_INVALID,
    VTYPE_NULL,
    VTYPE_BOOL,
    VTYPE_INT,
    VTYPE_DOUBLE,
    VTYPE_STRING,
};

// The process's module instance. Sub-processes read their role from the command line.
struct CefMainArgs {
    CefMainArgs() = default;
    explicit CefMainArgs(HINSTANCE hInstance) : instance(hInstance) {}
    HINSTANCE instance = nullptr;
};

// Global settings. Construction leaves every field zero or empty; the record holds
// owning strings, so fill it by assignment rather than with memset.
struct CefSettings {
    std::size_t size = 0;
    int single_process = 0;
    int no_sandbox = 0;
    CefString browser_subprocess_path;
    int multi_threaded_message_loop = 0;
    // Created when missing; the only place the engine writes to.
    CefString cache_path;
    // Sent as the Accept-Language of every request when set.
    CefString locale;
    int log_severity = LOGSEVERITY_DEFAULT;
};

// Per-browser settings; no field changes the engine's behaviour yet.
struct CefBrowserSettings {
    std::size_t size = 0;
};

// Features a page asks for when it opens a window.
struct CefPopupFeatures {
    int x = 0;
    int xSet = 0;
    int y = 0;
    int ySet = 0;
    int width = 0;
    int widthSet = 0;
    int height = 0;
    int heightSet = 0;
};

// Where and how the browser's native window is created. Coordinates are the parent's
// client coordinates for a child window and screen coordinates for a pop-up.
struct CefWindowInfo {
    DWORD ex_style = 0;
    CefString window_name;
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    CefWindowHandle parent_window = nullptr;
    HMENU menu = nullptr;
    // Filled in by the engine once the window exists.
    CefWindowHandle window = nullptr;

    void SetAsChild(CefWindowHandle parent, RECT rect)
    {
        style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VISIBLE;
        parent_window = parent;
        x = rect.left;
        y = rect.top;
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
    }

    void SetAsPopup(CefWindowHandle parent, const CefString& windowName)
    {
        style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
        parent_window = parent;
        x = y = width = height = CW_USEDEFAULT;
        window_name = windowName;
    }
};
