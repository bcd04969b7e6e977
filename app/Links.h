#pragma once

namespace tunelark {

// The project's own web pages: "访问官网" and the three links of the about page.
inline constexpr const char* kHomePage = "https://tunelark.org/";
inline constexpr const char* kCommunityPage = "https://tunelark.org/community/";
inline constexpr const char* kForumPage = "https://forum.tunelark.org/";
inline constexpr const char* kFeedbackPage = "https://tunelark.org/feedback/";

}  // namespace tunelark
