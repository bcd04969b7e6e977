#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "net/RequestFailure.h"
#include "net/WaitHook.h"
#include "net/WebRequest.h"
#include "tests/net/ScriptedServer.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

using test::HttpReply;
using test::ReceivedRequest;
using test::ScriptedReply;
using test::ScriptedServer;

const std::string kDefaultLines =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
    "Accept: text/html, application/xhtml+xml, */*\r\n"
    "Accept-Encoding: gbk, GB2312\r\n"
    "Accept-Language: zh-cn\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\n"
    "Cache-Control: no-cache\r\n";

ScriptedReply Ok(std::string_view body, std::vector<std::string> headers = {}) {
    return {HttpReply("HTTP/1.1 200 OK", headers, body)};
}

// Every output, each starting with a value that shows whether the call wrote it.
struct AllOutputs {
    Text replyCookies = "untouched";
    Text replyHeaders = "untouched";
    Text redirectTarget = "untouched";
    Text status = "untouched";
    std::string replyBytes = "untouched";

    WebRequestOutputs Places() {
        return {&replyCookies, &replyHeaders, &redirectTarget, &status, &replyBytes};
    }
};

std::string HeadWithoutHost(const ReceivedRequest& request) {
    std::string head = request.head;
    const std::size_t host = head.find("Host: ");
    if (host != std::string::npos) head.erase(host, head.find("\r\n", host) + 2 - host);
    return head;
}

struct WireCase {
    const char* name;
    std::string extra;
    std::string lines;  // after the request line, without Host
};

TEST(WebRequestWire, SendsTheHeaderBlockWithNothingOfTheStacksOwn) {
    const WireCase cases[] = {
        {"defaults only", "", kDefaultLines},
        {"the address services' lines: the default user agent replaces the unseen one",
         "User-Agent:Chrome/55\r\nReferer:http://mv/tool/song/?kwid=1",
         "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
         "Referer: http://mv/tool/song/?kwid=1\r\n" +
             kDefaultLines.substr(kDefaultLines.find("Accept:"))},
        {"a lower-case content type is replaced in its place",
         "content-type: text/plain\r\nX-Empty:\r\nAccept: */*",
         "Content-Type: application/x-www-form-urlencoded\r\nX-Empty:\r\nAccept: */*\r\n"
         "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
         "Accept-Encoding: gbk, GB2312\r\nAccept-Language: zh-cn\r\nCache-Control: no-cache\r\n"},
    };
    for (const WireCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server({Ok("fine")});
        WebRequestOptions options;
        options.extraHeaders = c.extra;
        EXPECT_EQ(WebRequest(server.Base() + "/p?x=1", options), "fine");
        ASSERT_EQ(server.Requests().size(), 1u);
        EXPECT_EQ(HeadWithoutHost(server.Requests()[0]),
                  "GET /p?x=1 HTTP/1.1\r\n" + c.lines + "\r\n");
    }
}

TEST(WebRequestWire, SendsANonAsciiKeywordAsUtf8Escapes) {
    ScriptedServer server({Ok("")});
    (void)WebRequest(server.Base() + Utf8ToGbk("/so?q=凉凉 x%41&nsid=3"));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_TRUE(server.Requests()[0].head.starts_with(
        "GET /so?q=%E5%87%89%E5%87%89%20x%41&nsid=3 HTTP/1.1\r\n"));
}

struct MethodCase {
    int method;
    std::string verb;
    std::string body;
    std::string bodyReceived;
};

TEST(WebRequestWire, SendsTheMethodAndTheBodyByteForByte) {
    const std::string body("a=1&b=\xC1\xB9\0end", 12);
    // Large enough that a stack would otherwise announce it with "Expect: 100-continue".
    const std::string large(1'500'000, 'x');
    const MethodCase cases[] = {
        {1, "POST", large, large}, {0, "GET", "", ""},      {1, "POST", body, body},
        {1, "POST", "", ""},       {2, "HEAD", "", ""},     {3, "PUT", body, body},
        {7, "GET", "", ""},        {-1, "GET", body, body},
    };
    for (const MethodCase& c : cases) {
        SCOPED_TRACE(c.method);
        ScriptedServer server({Ok(c.verb == "HEAD" ? "" : "reply")});
        WebRequestOptions options;
        options.method = c.method;
        options.body = c.body;
        AllOutputs out;
        (void)WebRequest(server.Base() + "/m", options, out.Places());
        EXPECT_EQ(out.status, "200 OK");
        ASSERT_EQ(server.Requests().size(), 1u);
        const ReceivedRequest request = server.Requests()[0];
        EXPECT_TRUE(request.head.starts_with(c.verb + " /m HTTP/1.1\r\n")) << request.head;
        EXPECT_EQ(request.body, c.bodyReceived);
        const bool announcesLength = request.head.find("Content-Length: ") != std::string::npos;
        EXPECT_EQ(announcesLength, c.verb == "POST" || c.verb == "PUT" || !c.body.empty());
        EXPECT_EQ(request.head.find("Expect:"), std::string::npos);
    }
}

TEST(WebRequestWire, SendsBasicCredentialsOnlyWhenBothPartsAreGiven) {
    ScriptedServer server({Ok("")});
    WebRequestOptions options;
    options.userName = "user";
    options.password = "pass";
    (void)WebRequest(server.Base() + "/a", options);
    options.password.clear();
    (void)WebRequest(server.Base() + "/b", options);
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_NE(server.Requests()[0].head.find("Authorization: Basic dXNlcjpwYXNz\r\n"),
              std::string::npos);
    EXPECT_EQ(server.Requests()[1].head.find("Authorization:"), std::string::npos);
}

TEST(WebRequestWire, GoesThroughTheProxyWithItsCredentials) {
    // The loopback server plays the proxy, so the named host is never looked up.
    ScriptedServer proxy({Ok("via proxy")});
    WebRequestOptions options;
    options.proxy = proxy.Base().substr(std::string("http://").size());
    options.proxyUserName = "pu";
    options.proxyPassword = "pp";
    EXPECT_EQ(WebRequest("http://music.example.invalid/r.s?all=x", options), "via proxy");
    ASSERT_EQ(proxy.Requests().size(), 1u);
    const std::string head = proxy.Requests()[0].head;
    EXPECT_TRUE(head.starts_with("GET http://music.example.invalid/r.s?all=x HTTP/1.1\r\n"));
    EXPECT_NE(head.find("Proxy-Authorization: Basic cHU6cHA=\r\n"), std::string::npos);
}

struct CookieCase {
    const char* name;
    std::optional<std::string> cookies;
    bool sendsCookieLine;
    std::string cookiesAfter;
};

TEST(WebRequestCookies, SendsAndMergesOnlyWhenCookiesArePassed) {
    const CookieCase cases[] = {
        {"absent", std::nullopt, false, ""},
        {"present but empty", std::string(), false, "sid=abc;"},
        {"present", std::string("a=1; sid=old"), true, "a=1;sid=abc;"},
    };
    for (const CookieCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server({Ok("", {"SET-COOKIE: sid=abc; path=/", "Set-Cookie: flag"})});
        std::optional<Text> cookies = c.cookies;
        WebRequestOptions options;
        options.cookies = cookies ? &*cookies : nullptr;
        AllOutputs out;
        (void)WebRequest(server.Base() + "/c", options, out.Places());
        ASSERT_EQ(server.Requests().size(), 1u);
        const std::string head = server.Requests()[0].head;
        EXPECT_EQ(head.find("Cookie: a=1; sid=old\r\n") != std::string::npos, c.sendsCookieLine);
        EXPECT_EQ(head.find("Cookie:") != std::string::npos, c.sendsCookieLine);
        EXPECT_NE(out.replyHeaders.find("Set-Cookie: sid=abc; path=/\r\n"), std::string::npos);
        if (cookies) {
            EXPECT_EQ(*cookies, c.cookiesAfter);
            EXPECT_EQ(out.replyCookies, "sid=abc;flag");  // the merge takes out the blanks
        } else {
            EXPECT_EQ(out.replyCookies, "sid=abc; flag");
        }
    }
}

TEST(WebRequestRedirects, WithRedirectsOffTheRedirectIsTheReply) {
    ScriptedServer server(
        {{HttpReply("HTTP/1.1 302 Found", {"Location: /next"}, "moved")}, Ok("final")});
    WebRequestOptions options;
    options.noRedirects = true;
    AllOutputs out;
    EXPECT_EQ(WebRequest(server.Base() + "/start", options, out.Places()), "moved");
    EXPECT_EQ(out.status, "302 Found");
    EXPECT_EQ(out.redirectTarget, "/next");
    EXPECT_EQ(out.replyBytes, "moved");
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(WebRequestRedirects, FollowsRedirectsAndReportsTheFinalReply) {
    ScriptedServer server({{HttpReply("HTTP/1.1 301 Moved", {"Location: /next"}, "moved")},
                           Ok("final", {"X-Final: yes"})});
    AllOutputs out;
    EXPECT_EQ(WebRequest(server.Base() + "/start", {}, out.Places()), "final");
    EXPECT_EQ(out.status, "200 OK");
    EXPECT_TRUE(out.replyHeaders.starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_NE(out.replyHeaders.find("X-Final: yes\r\n"), std::string::npos);
    EXPECT_TRUE(out.replyHeaders.ends_with("\r\n\r\n"));
    EXPECT_EQ(out.redirectTarget, "untouched");
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_TRUE(server.Requests()[1].head.starts_with("GET /next HTTP/1.1\r\n"));
}

TEST(WebRequestRedirects, GivesUpOnAnEndlessRedirect) {
    ScriptedServer server({{HttpReply("HTTP/1.1 302 Found", {"Location: /again"}, "")}});
    AllOutputs out;
    EXPECT_EQ(WebRequest(server.Base() + "/again", {}, out.Places()), "");
    EXPECT_EQ(out.status, FailureText(RequestFailure::kNoReply));
    EXPECT_EQ(server.Requests().size(), 11u);  // the first request and ten redirects
}

struct FailureCase {
    const char* name;
    std::vector<ScriptedReply> replies;
    RequestFailure failure;
};

TEST(WebRequestFailures, WritesOnlyTheFailureText) {
    const FailureCase cases[] = {
        {"closed without a reply", {{""}}, RequestFailure::kNoReply},
        {"not HTTP", {{"SSH-2.0-OpenSSH\r\n\r\n"}}, RequestFailure::kNoReply},
        {"header block cut short", {{"HTTP/1.1 200 OK\r\nContent-Le"}}, RequestFailure::kNoReply},
        {"reply after the time-out",
         {{HttpReply("HTTP/1.1 200 OK", {}, "late"), std::chrono::milliseconds(3000)}},
         RequestFailure::kNoReply},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.replies);
        WebRequestOptions options;
        options.timeoutSeconds = 1;
        AllOutputs out;
        EXPECT_EQ(WebRequest(server.Base() + "/f", options, out.Places()), "");
        EXPECT_EQ(out.status, FailureText(c.failure));
        EXPECT_EQ(out.replyHeaders, "untouched");
        EXPECT_EQ(out.replyBytes, "untouched");
        EXPECT_EQ(out.replyCookies, "untouched");
    }
}

TEST(WebRequestFailures, BadAddressAndRefusedConnection) {
    AllOutputs bad;
    EXPECT_EQ(WebRequest("ftp://127.0.0.1/x", {}, bad.Places()), "");
    EXPECT_EQ(bad.status, FailureText(RequestFailure::kBadAddress));
    AllOutputs refused;
    const std::string address = "http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/x";
    EXPECT_EQ(WebRequest(address, {}, refused.Places()), "");
    EXPECT_EQ(refused.status, FailureText(RequestFailure::kSend));
    EXPECT_EQ(refused.replyBytes, "untouched");
}

TEST(WebRequestFailures, TimesOutAfterAboutTheTimeOut) {
    ScriptedServer server({{Ok("late").bytes, std::chrono::milliseconds(6000)}});
    WebRequestOptions options;
    options.timeoutSeconds = 1;
    Text status;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WebRequest(server.Base() + "/slow", options, {.status = &status}), "");
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(status, FailureText(RequestFailure::kNoReply));
    EXPECT_GE(took, std::chrono::milliseconds(900));
    EXPECT_LT(took, std::chrono::milliseconds(5000));  // well before the reply would come
}

TEST(WebRequestFailures, ABodyCutShortIsReturnedAndReportedAsCut) {
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nSet-Cookie: s=1\r\n\r\n";
    ScriptedServer server({{head + "<meta charset=utf-8>\xE5\x87\x89"}});
    AllOutputs out;
    EXPECT_EQ(WebRequest(server.Base() + "/cut", {}, out.Places()), "<meta charset=utf-8>\xC1\xB9");
    EXPECT_EQ(out.status, FailureText(RequestFailure::kRead));
    EXPECT_EQ(out.replyBytes, "<meta charset=utf-8>\xE5\x87\x89");
    EXPECT_EQ(out.replyCookies, "s=1");
    EXPECT_EQ(out.replyHeaders, head);
}

struct BodyCase {
    const char* name;
    std::string body;
    std::string text;
    std::vector<std::string> headers = {};
};

TEST(WebRequestBody, TurnsTheBodyIntoGbkText) {
    const BodyCase cases[] = {
        {"utf-8 page", "<html><meta charset=\"utf-8\">\xE5\x87\x89\xE5\x87\x89</html>",
         "<html><meta charset=\"utf-8\">\xC1\xB9\xC1\xB9</html>"},
        {"gbk page", "<meta charset=gbk>\xC1\xB9", "<meta charset=gbk>\xC1\xB9"},
        {"unknown charset", "<meta charset=x-unknown>\xE5\x87\x89",
         "<meta charset=x-unknown>\xE5\x87\x89"},
        {"zero byte", std::string("before\0after", 12), "before"},
        {"compressed bodies stay as they came",
         "\x1F\x8B\x08rest",
         "\x1F\x8B\x08rest",
         {"Content-Encoding: gzip"}},
    };
    for (const BodyCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server({Ok(c.body, c.headers)});
        std::string bytes;
        EXPECT_EQ(WebRequest(server.Base() + "/", {}, {.replyBytes = &bytes}), c.text);
        EXPECT_EQ(bytes, c.body);
    }
}

TEST(WebRequestWaitHook, LetsTheWindowWorkWhileWaiting) {
    ScriptedServer server({{Ok("done").bytes, std::chrono::milliseconds(400)}});
    int calls = 0;
    const std::thread::id caller = std::this_thread::get_id();
    SetWaitHook([&] {
        if (std::this_thread::get_id() == caller) ++calls;
    });
    EXPECT_EQ(WebRequest(server.Base() + "/wait"), "done");
    SetWaitHook(nullptr);
    EXPECT_GE(calls, 5);  // the wait is cut into short slices
}

}  // namespace
}  // namespace tunelark
