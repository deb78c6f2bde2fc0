#include "runtime/link_schemes.h"

#include <gtest/gtest.h>

TEST(LinkSchemes, OnlyWebPagesAndMailLinksGoOut) {
  const struct {
    const char* address;
    bool out;
  } cases[] = {
      {"http://zorvane.org/", true},
      {"HTTPS://zorvane.org/a?b=c", true},
      {"mailto:me@example.org?Subject=A", true},
      {"MailTo:", true},
      {"file:///etc/passwd", false},
      {"smb://host/share", false},
      {"javascript:alert(1)", false},
      {"ftp://host/file", false},
      {"x-scheme-handler:anything", false},
      {"httpx://host/", false},
      {" http://lead.blank/", false},
      {"zorvane.org", false},
      {"", false},
      {"/usr/bin/xterm", false},
  };
  for (const auto& c : cases) EXPECT_EQ(runtime::IsOutgoingLink(c.address), c.out) << c.address;
}
