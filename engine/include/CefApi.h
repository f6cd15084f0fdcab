#pragma once
// Everything a client of the engine may use.

#include "CefAppApi.h"
#include "CefBrowserApi.h"
#include "CefDom.h"
#include "CefHandlers.h"
#include "CefRefCounting.h"
#include "CefString.h"
#include "CefTypes.h"
#include "CefValues.h"
