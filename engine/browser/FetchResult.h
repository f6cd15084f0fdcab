#pragma once
// What fetching one address produced.

#include <string>

namespace engine {

struct FetchResult {
    [[nodiscard]] static FetchResult Failed(int errorCode)
    {
        FetchResult result;
        result.error = errorCode;
        return result;
    }

    int error = 0;  // a cef_errorcode_t; 0 on success
    int status = 0;  // HTTP status; 200 for files
    std::wstring url;  // where the response came from after redirects; empty when it is the address asked for
    std::string contentType;  // lower case, parameters included
    std::string contentDisposition;
    std::string body;
};

} // namespace engine
