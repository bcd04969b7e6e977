#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "net/CharsetDecoding.h"
#include "net/HeaderBlock.h"
#include "net/ReplyHeaders.h"
#include "net/RequestAddress.h"
#include "net/RequestFailure.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

const std::string kUserAgent =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n";
const std::string kAccept = "Accept: text/html, application/xhtml+xml, */*\r\n";
const std::string kEncoding = "Accept-Encoding: gbk, GB2312\r\n";
const std::string kLanguage = "Accept-Language: zh-cn\r\n";
const std::string kContentType = "Content-Type: application/x-www-form-urlencoded\r\n";
const std::string kCache = "Cache-Control: no-cache\r\n";
const std::string kAllDefaults =
    kUserAgent + kAccept + kEncoding + kLanguage + kContentType + kCache;

struct AddressCase {
    std::string address;
    bool splits;
    bool secure;
    std::string host;
    int port;
    std::string objectName;
};

TEST(SplitAddress, TakesSchemeHostPortAndObjectName) {
    const AddressCase cases[] = {
        {"http://example.com/a/b?x=1&y=2", true, false, "example.com", 80, "/a/b?x=1&y=2"},
        {"HTTPS://Example.com", true, true, "Example.com", 443, "/"},
        {"https://h:8443/p", true, true, "h", 8443, "/p"},
        {"http://h:/p", true, false, "h", 80, "/p"},
        {"http://user:pw@h:81/p", true, false, "h", 81, "/p"},
        {"http://[::1]:9000/v", true, false, "[::1]", 9000, "/v"},
        // A query without a path asks for "/" alone.
        {"http://h?q=1", true, false, "h", 80, "/"},
        {"http://h/p#frag", true, false, "h", 80, "/p"},
        {"http://h/a b/\x7f?q=\"x\"|{}%41", true, false, "h", 80,
         "/a%20b/%7F?q=%22x%22%7C%7B%7D%41"},
        {"ftp://h/p", false, false, "", 0, ""},
        {"h/p", false, false, "", 0, ""},
        {"http:///p", false, false, "", 0, ""},
        {"http://h:0/p", false, false, "", 0, ""},
        {"http://h:65536/p", false, false, "", 0, ""},
        {"http://h:8x/p", false, false, "", 0, ""},
        {"http://[::1/p", false, false, "", 0, ""},
        {"http://bad host/p", false, false, "", 0, ""},
        {"", false, false, "", 0, ""},
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.address);
        const auto target = SplitAddress(c.address);
        ASSERT_EQ(target.has_value(), c.splits);
        if (!target) continue;
        EXPECT_EQ(target->secure, c.secure);
        EXPECT_EQ(target->host, c.host);
        EXPECT_EQ(target->port, c.port);
        EXPECT_EQ(target->objectName, c.objectName);
    }
}

TEST(SplitAddress, SendsAGbkKeywordAsUtf8Escapes) {
    const auto target = SplitAddress(Utf8ToGbk("http://h/so?q=凉凉&nsid=3"));
    ASSERT_TRUE(target);
    EXPECT_EQ(target->objectName, "/so?q=%E5%87%89%E5%87%89&nsid=3");
    EXPECT_EQ(target->Url(), "http://h:80/so?q=%E5%87%89%E5%87%89&nsid=3");
}

struct BlockCase {
    const char* name;
    std::string extra;
    std::optional<std::string> cookies;
    std::string block;
};

TEST(BuildHeaderBlock, AddsEachDefaultItsTestDoesNotFind) {
    const BlockCase cases[] = {
        {"no extra headers", "", std::nullopt, kAllDefaults},
        {"extra text gains CR LF", "X-A: 1", std::nullopt, "X-A: 1\r\n" + kAllDefaults},
        {"a final CR LF is doubled", "X-A: 1\r\n", std::nullopt, "X-A: 1\r\n\r\n" + kAllDefaults},
        {"user agent without a blank is not seen", "User-Agent:UA", std::nullopt,
         "User-Agent:UA\r\n" + kAllDefaults},
        {"tests ignore case", "user-agent: UA\r\nACCEPT: a", std::nullopt,
         "user-agent: UA\r\nACCEPT: a\r\n" + kEncoding + kLanguage + kContentType + kCache},
        {"content type test minds case", "content-type: text/plain", std::nullopt,
         "content-type: text/plain\r\n" + kAllDefaults},
        {"content type test needs no blank", "Content-Type:text/plain", std::nullopt,
         "Content-Type:text/plain\r\n" + kUserAgent + kAccept + kEncoding + kLanguage + kCache},
        {"tests search anywhere", "X-Note: Cache-Control: here", std::nullopt,
         "X-Note: Cache-Control: here\r\n" + kUserAgent + kAccept + kEncoding + kLanguage +
             kContentType},
        {"empty cookies add nothing", "", std::string(), kAllDefaults},
        {"cookies add a line", "", std::string("a=1;b=2;"), kAllDefaults + "Cookie: a=1;b=2;\r\n"},
        {"the caller's cookie line wins", "cookie: c=3", std::string("a=1"),
         "cookie: c=3\r\n" + kAllDefaults},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Text* cookies = c.cookies ? &*c.cookies : nullptr;
        EXPECT_EQ(BuildHeaderBlock(c.extra, cookies), c.block);
    }
}

std::vector<std::string> Applied(const Text& block) {
    std::vector<std::string> lines;
    const auto headers = ApplyHeaderBlock(block);
    for (const HeaderLine& header : headers.value()) {
        lines.push_back(header.name + "=" + header.value);
    }
    return lines;
}

TEST(ApplyHeaderBlock, LaterLinesReplaceEarlierOnesInTheirPlace) {
    EXPECT_EQ(Applied("content-type: text/plain\r\nX-A: 1\r\n\r\nContent-Type: form\r\nX-B:\r\n"),
              (std::vector<std::string>{"Content-Type=form", "X-A=1", "X-B="}));
    EXPECT_EQ(Applied("User-Agent:UA\r\nUser-Agent: default"),
              (std::vector<std::string>{"User-Agent=default"}));
}

TEST(ApplyHeaderBlock, RefusesWhatIsNotAHeaderLine) {
    for (const char* block :
         {"no colon here", ": empty name", "Bad Name: x", "X: a\nY: b", "X: a\rb"}) {
        SCOPED_TRACE(block);
        EXPECT_FALSE(ApplyHeaderBlock(block).has_value());
    }
}

TEST(ReplyHeaders, StatusIsTheStatusLineAfterItsProtocolField) {
    EXPECT_EQ(StatusFromHeaders("HTTP/1.1 200 OK\r\nA: b\r\n\r\n"), "200 OK");
    EXPECT_EQ(StatusFromHeaders("HTTP/1.0 302 Moved Here\r\n\r\n"), "302 Moved Here");
    EXPECT_EQ(StatusFromHeaders("HTTP/1.1 204"), "204");
    EXPECT_EQ(StatusFromHeaders("HTTP/1.1"), "");
}

TEST(ReplyHeaders, NormalisesSetCookieAndCollectsCookiesAndLocation) {
    const ReplyHeaderFacts facts = ReadReplyHeaders(
        "HTTP/1.1 302 Found\r\nSET-COOKIE: sid=abc; path=/\r\nset-cookie:  flag \r\n"
        "LOCATION: /first\r\nLocation: /second\r\nX-Location: /not\r\n\r\n");
    EXPECT_EQ(facts.headers,
              "HTTP/1.1 302 Found\r\nSet-Cookie: sid=abc; path=/\r\nSet-Cookie:  flag \r\n"
              "LOCATION: /first\r\nLocation: /second\r\nX-Location: /not\r\n\r\n");
    EXPECT_EQ(facts.cookies, "sid=abc; flag");
    EXPECT_EQ(facts.location, "/second");
    EXPECT_EQ(facts.status, "302 Found");
}

TEST(ReplyHeaders, NoCookiesNoLocation) {
    const ReplyHeaderFacts facts = ReadReplyHeaders("HTTP/1.1 200 OK\r\nA: b\r\n\r\n");
    EXPECT_EQ(facts.cookies, "");
    EXPECT_FALSE(facts.location.has_value());
}

struct CharsetCase {
    const char* name;
    std::string page;
    std::string text;  // as the system holds it
};

TEST(Charset, DecodesDeclaredCharsetsOtherThanGbk) {
    const std::string utf8Body = "<meta charset=\"utf-8\">\xE5\x87\x89";  // 凉
    const std::string gbkBody = "<meta charset=gbk>\xC1\xB9";             // 凉 in GBK
    const std::string late = std::string(1100, ' ') + "<meta charset=utf-8>\xE5\x87\x89";
    const CharsetCase cases[] = {
        {"utf-8", utf8Body, "<meta charset=\"utf-8\">\xC1\xB9"},
        {"UTF-8 with a byte order mark",
         "\xEF\xBB\xBF<META http-equiv=x content=\"text/html; charset=UTF-8\">\xE5\x87\x89",
         "<META http-equiv=x content=\"text/html; charset=UTF-8\">\xC1\xB9"},
        {"gbk is left alone", gbkBody, gbkBody},
        {"gb2312 is left alone", "<meta charset=gb2312>\xC1\xB9", "<meta charset=gb2312>\xC1\xB9"},
        {"big5", "<meta charset=big5>\xA7\x41", "<meta charset=big5>\xC4\xE3"},  // 你
        {"unknown charset", "<meta charset=no-such-set>\xE5\x87\x89",
         "<meta charset=no-such-set>\xE5\x87\x89"},
        {"charset in a content attribute", "<meta content='text/html;charset=iso-8859-1'>caf\xE9",
         "<meta content='text/html;charset=iso-8859-1'>caf\xA8\xA6"},  // é
        {"declaration after byte 1024", late, late},
        {"declaration over two lines", "<meta\ncharset=utf-8>\xE5\x87\x89",
         "<meta\ncharset=utf-8>\xE5\x87\x89"},
    };
    for (const CharsetCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ApplyDeclaredCharset(c.page, c.page), c.text);
    }
}

TEST(FailureText, IsTheNumberedGbkMessage) {
    const std::pair<RequestFailure, const char*> cases[] = {
        {RequestFailure::kNoHttpStack, "700 当前系统不支持WinHttp服务!"},
        {RequestFailure::kBadAddress, "701 解析URL地址失败!"},
        {RequestFailure::kSession, "702 创建WinHttp会话失败!"},
        {RequestFailure::kConnection, "703 创建WinHttp连接失败!"},
        {RequestFailure::kRequest, "704 创建WinHttp请求失败!"},
        {RequestFailure::kTimeouts, "705 设置超时时间失败!"},
        {RequestFailure::kCredentials, "707 设置代理凭证失败!"},
        {RequestFailure::kCookieOption, "708 禁止自动设置Cookies失败!"},
        {RequestFailure::kRedirectOption, "709 重定向设置失败!"},
        {RequestFailure::kHeaders, "710 设置协议头失败!"},
        {RequestFailure::kSend, "711 发送请求失败!"},
        {RequestFailure::kNoReply, "712 服务器未响应!"},
        {RequestFailure::kRead, "713 读取数据失败!"},
    };
    for (const auto& [failure, text] : cases) EXPECT_EQ(FailureText(failure), Utf8ToGbk(text));
}

}  // namespace
}  // namespace tunelark
