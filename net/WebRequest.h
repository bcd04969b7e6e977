#pragma once

#include <string>

#include "text/Text.h"

namespace tunelark {

// Optional inputs of a web request, with their defaults.
struct WebRequestOptions {
    int method = 0;  // 0 GET, 1 POST, 2 HEAD, 3 PUT; anything else GET
    Text body;       // sent byte for byte
    // In/out: the "Cookie: " value; when given (even empty) the reply's cookies are merged into
    // it after the exchange. nullptr = absent.
    Text* cookies = nullptr;
    Text extraHeaders;  // lines separated by CR LF
    bool noRedirects = false;
    Text userName;
    Text password;
    Text proxy;  // host:port; empty = direct
    Text proxyUserName;
    Text proxyPassword;
    int timeoutSeconds = 0;  // <= 0 means 30
};

// Outputs, each written only when the caller passes a place for it.
struct WebRequestOutputs {
    Text* replyCookies = nullptr;
    Text* replyHeaders = nullptr;
    Text* redirectTarget = nullptr;
    Text* status = nullptr;  // "200 OK", or one of the failure texts 700-713
    std::string* replyBytes = nullptr;
};

// One blocking HTTP(S) exchange. Returns the reply body as GBK text ("" on failure; the reason
// goes to outputs.status). Inside a CancelScope whose stop is asked (a worker at exit) the call
// ends at once as a failure of the step it was in: "", and 711, 712 or 713.
Text WebRequest(const Text& address, const WebRequestOptions& options = {},
                const WebRequestOutputs& outputs = {});

}  // namespace tunelark
