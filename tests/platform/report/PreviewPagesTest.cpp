#include "platform/report/PageSource.h"
#include "platform/report/PreviewPages.h"
#include "platform/report/ReportError.h"

#include <gtest/gtest.h>

using namespace report;

namespace {

// Numbered pages, each holding the text "<walk>/<page>", with a count of the walks started and the pages made.
class NumberedPages
{
public:
    explicit NumberedPages(int pageCount)
        : m_pageCount(pageCount)
    {
    }

    PreviewPages::Walk walk()
    {
        return [this]() -> std::unique_ptr<PageSource> { return std::make_unique<Source>(*this, ++walks); };
    }

    int walks = 0;
    int pagesMade = 0;
    int failAtPage = 0; // 0: never

private:
    class Source : public PageSource
    {
    public:
        Source(NumberedPages& owner, int walk)
            : m_owner(owner)
            , m_walk(walk)
        {
        }
        const PageFormat& format() const override { return m_format; }
        std::optional<Page> nextPage() override
        {
            if (m_next > m_owner.m_pageCount)
                return std::nullopt;
            if (m_next == m_owner.failAtPage)
                throw ReportError("The data set went away");
            Page page;
            page.addItem(QRectF(1, 1, 1, 1), 0, QStringLiteral("%1/%2").arg(m_walk).arg(m_next++));
            ++m_owner.pagesMade;
            return page;
        }

    private:
        NumberedPages& m_owner;
        int m_walk;
        int m_next = 1;
        PageFormat m_format { QSizeF(8.5, 11), QPageLayout::Portrait };
    };

    int m_pageCount;
};

QString textOf(const Page* page)
{
    return page ? page->text(0) : "none";
}

} // namespace

TEST(PreviewPages, LaysOutPagesWhenWantedInOneWalk)
{
    NumberedPages pages(100);
    PreviewPages preview(pages.walk(), 8);
    EXPECT_EQ(pages.pagesMade, 0);
    EXPECT_EQ(textOf(preview.page(1)), "1/1");
    EXPECT_EQ(pages.pagesMade, 1);
    EXPECT_TRUE(preview.hasPageAfter(1)); // looks one page ahead
    EXPECT_EQ(pages.pagesMade, 2);
    EXPECT_EQ(textOf(preview.page(2)), "1/2");
    EXPECT_EQ(textOf(preview.page(30)), "1/30");
    EXPECT_EQ(textOf(preview.page(25)), "1/25"); // kept
    EXPECT_EQ(pages.walks, 1);
    EXPECT_EQ(pages.pagesMade, 30);
    EXPECT_EQ(preview.pagesKnown(), 30);
    EXPECT_FALSE(preview.pageCount());
}

TEST(PreviewPages, APageNoLongerKeptComesFromANewWalk)
{
    NumberedPages pages(100);
    PreviewPages preview(pages.walk(), 8);
    EXPECT_EQ(textOf(preview.page(40)), "1/40");
    EXPECT_EQ(textOf(preview.page(33)), "1/33"); // the eight around the one looked at stay
    EXPECT_EQ(pages.walks, 1);
    EXPECT_EQ(textOf(preview.page(3)), "2/3");
    EXPECT_EQ(pages.walks, 2);
    EXPECT_EQ(textOf(preview.page(4)), "2/4"); // the new walk goes on
    EXPECT_EQ(pages.walks, 2);

    // After the rows were walked by someone else, the paused walk is not trusted any more.
    preview.dropWalk();
    EXPECT_EQ(textOf(preview.page(4)), "2/4");
    EXPECT_EQ(textOf(preview.page(5)), "3/5");
}

TEST(PreviewPages, TheEndIsFoundByWalkingThere)
{
    NumberedPages pages(12);
    PreviewPages preview(pages.walk(), 4);
    EXPECT_EQ(preview.page(1000), nullptr);
    EXPECT_EQ(preview.pageCount(), 12);
    EXPECT_EQ(textOf(preview.page(12)), "1/12");
    EXPECT_EQ(pages.walks, 1);
    EXPECT_FALSE(preview.hasPageAfter(12));
    EXPECT_TRUE(preview.hasPageAfter(11));
    EXPECT_EQ(preview.page(13), nullptr);
    EXPECT_EQ(preview.page(0), nullptr);
    EXPECT_EQ(pages.walks, 1);

    NumberedPages none(0);
    PreviewPages empty(none.walk());
    EXPECT_EQ(empty.page(1), nullptr);
    EXPECT_EQ(empty.pageCount(), 0);
}

TEST(PreviewPages, ALongWalkCanBeStoppedAndAFailedOneStartsAfresh)
{
    NumberedPages pages(100);
    PreviewPages preview(pages.walk(), 4);
    int told = 0;
    EXPECT_EQ(preview.page(100,
                  [&told](int page) {
                      EXPECT_EQ(page, ++told);
                      return told < 10;
                  }),
        nullptr);
    EXPECT_EQ(told, 10);
    EXPECT_EQ(preview.pagesKnown(), 10);
    EXPECT_FALSE(preview.pageCount());
    EXPECT_EQ(textOf(preview.page(10)), "1/10");
    EXPECT_EQ(textOf(preview.page(11)), "1/11"); // the stopped walk goes on from there

    pages.failAtPage = 13;
    EXPECT_THROW(preview.page(20), ReportError);
    EXPECT_EQ(textOf(preview.page(12)), "1/12");
    pages.failAtPage = 0;
    EXPECT_EQ(textOf(preview.page(13)), "2/13");
}
