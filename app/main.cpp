#include <curl/curl.h>

#include "app/Application.h"

int main(int argc, char** argv) {
    // Once, before any thread can make a request.
    curl_global_init(CURL_GLOBAL_DEFAULT);
    const int status = tunelark::RunApplication(argc, argv);
    curl_global_cleanup();
    return status;
}
