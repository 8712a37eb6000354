#include "content/CncLabsLink.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

struct LinkCase
{
    const char *site;
    const char *html;
    const char *expected; // empty: no link
};

class CncLabsLink : public testing::TestWithParam<LinkCase>
{};

TEST_P(CncLabsLink, AcceptsOnlyTheItemsFileOnTheSite)
{
    const LinkCase &sample = GetParam();
    const std::optional<QUrl> link =
        cnclabsDownloadURL(QUrl(QString::fromUtf8(sample.site)), 220, QString::fromUtf8(sample.html));
    EXPECT_EQ(link.value_or(QUrl()).toString(), QString::fromUtf8(sample.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CncLabsLink,
    testing::Values(LinkCase{"https://www.cnclabs.com", R"(<a href="/downloads/file/220/?token=abc">)",
                             "https://www.cnclabs.com/downloads/file/220/?token=abc"},
                    LinkCase{"https://www.cnclabs.com", "<a href='/downloads/file/220/?token=a&amp;b=1&amp;amp'>",
                             "https://www.cnclabs.com/downloads/file/220/?token=a&b=1&amp"},
                    // Only the marker onwards counts, so whatever host a page names, the
                    // token goes to the site itself.
                    LinkCase{"https://www.cnclabs.com",
                             R"(<a href="https://www.cnclabs.com/downloads/file/220/?token=t">)",
                             "https://www.cnclabs.com/downloads/file/220/?token=t"},
                    LinkCase{"https://www.cnclabs.com",
                             R"(<a href="https://evil.example/downloads/file/220/?token=t">)",
                             "https://www.cnclabs.com/downloads/file/220/?token=t"},
                    LinkCase{"http://127.0.0.1:8080/cnclabs", R"(<a href="/downloads/file/220/?token=t#top">)",
                             "http://127.0.0.1:8080/downloads/file/220/?token=t#top"},
                    LinkCase{"https://www.cnclabs.com", R"(<a href="/downloads/file/221/?token=t">)", ""},
                    LinkCase{"https://www.cnclabs.com", R"(<a href="/downloads/file/2200/?token=t">)", ""},
                    LinkCase{"https://www.cnclabs.com", R"(<a href="/Downloads/file/220/?token=t">)", ""},
                    LinkCase{"https://www.cnclabs.com", "<a href=/downloads/file/220/?token=t>", ""},
                    LinkCase{"https://www.cnclabs.com", R"(<a href="/downloads/file/220/?token=a b">)", ""}));

} // namespace
