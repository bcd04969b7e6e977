#include <gtest/gtest.h>

#include "net/Cookies.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

// The GBK full-width space, and a text whose characters 0xB0 0xA1 and 0xA1 0x41 hold the
// bytes A1 A1 across their boundary without being a space.
#define WIDE_SPACE "\xA1\xA1"
#define ACROSS "\xB0\xA1\xA1\x41"

struct MergeCase {
    const char* name;
    Text cookies;
    Text newCookies;
    Text merged;
    Text newCookiesAfter;
};

TEST(MergeCookiesTest, FoldsNewItemsIn) {
    const MergeCase cases[] = {
        {"UpdateInPlaceAndAppend", "a=1; b=2", "b=3; c=4", "a=1;b=3;c=4;", "b=3;c=4"},
        {"DeletedDropped", "a=1;b=2", "b=deleted", "a=1;", "b=deleted"},
        {"EmptyValueDropped", "a=1", "a=", "", "a="},
        {"EmptyNewLeavesCookies", "a=1; b=2", "", "a=1;b=2", ""},
        {"SpacesOnlyNewLeavesCookies", " a=1 ", " " WIDE_SPACE " ", "a=1", ""},
        {"LastOfSameNameWins", "", "x=1;x=2", "x=2;", "x=1;x=2"},
        {"NamesCaseSensitive", "A=1", "a=2", "A=1;a=2;", "a=2"},
        {"ValueKeepsEquals", "", "t=YWI=;u=a=b", "t=YWI=;u=a=b;", "t=YWI=;u=a=b"},
        {"FirstOfDuplicateOldNamesUpdated", "a=1;a=2", "a=3", "a=3;a=2;", "a=3"},
        {"MalformedItemsDropped", ";=5;n;a=1;;", "b=2", "a=1;b=2;", "b=2"},
        {"WideSpacesRemoved", "a" WIDE_SPACE "=1", "b=" WIDE_SPACE "2", "a=1;b=2;", "b=2"},
        {"BytesA1A1AcrossCharactersKept", "", "k=" ACROSS, "k=" ACROSS ";", "k=" ACROSS},
        {"TabIsNoSpace", "", "k=\t1", "k=\t1;", "k=\t1"},
        {"DeletedIsExact", "", "a=Deleted;b=deleted1", "a=Deleted;b=deleted1;",
         "a=Deleted;b=deleted1"},
        // Removing the space would make "\r \n" a line break inside the Cookie header.
        {"LineBreaksDropItem", "a=1;b=\r\n", "c=x\r \nX-Injected:1;d=2", "a=1;d=2;",
         "c=x\r\nX-Injected:1;d=2"},
        // A lead byte ending the text would swallow the ";" written after it, and so the next
        // item, on the next merge.
        {"DanglingLeadByteDropped", "x=1\xFF", "y=2", "x=1;y=2;", "y=2"}};
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.name);
        Text cookies = c.cookies;
        Text newCookies = c.newCookies;
        EXPECT_EQ(MergeCookies(cookies, newCookies), c.merged);
        EXPECT_EQ(cookies, c.merged);
        EXPECT_EQ(newCookies, c.newCookiesAfter);
        // Merging the same reply again changes nothing more.
        EXPECT_EQ(MergeCookies(cookies, newCookies), c.merged);
    }
}

TEST(MergeCookiesTest, GbkValuesSurvive) {
    Text cookies = "user=" + Utf8ToGbk("张三");
    Text newCookies = Utf8ToGbk("城市=北京");
    EXPECT_EQ(MergeCookies(cookies, newCookies), cookies);
    EXPECT_EQ(cookies, Utf8ToGbk("user=张三;城市=北京;"));
}

TEST(CookieNameTest, TrimsWholeSpaceCharacters) {
    EXPECT_EQ(CookieName(" sid =1"), "sid");
    EXPECT_EQ(CookieName(WIDE_SPACE "sid" WIDE_SPACE "=1"), "sid");
    EXPECT_EQ(CookieName(" flag "), "flag");
    EXPECT_EQ(CookieName("=1"), "");
    EXPECT_EQ(CookieName("   "), "");
    // The name ends in the character 0xA1 0x41; its first byte must not be trimmed with the
    // A1 before it.
    EXPECT_EQ(CookieName(ACROSS "=1"), ACROSS);
    // A trailing lone 0xA1 after a character ending in 0xA1 is no full-width space either.
    EXPECT_EQ(CookieName("x\xB0\xA1\xA1"), "x\xB0\xA1\xA1");
}

TEST(CookieValueTest, TakesEverythingAfterFirstEquals) {
    EXPECT_EQ(CookieValue("a=b=c"), "b=c");
    EXPECT_EQ(CookieValue("a="), "");
    EXPECT_EQ(CookieValue("flag"), "");
    EXPECT_EQ(CookieValue("a= 1 "), " 1 ");
}

}  // namespace
}  // namespace tunelark
