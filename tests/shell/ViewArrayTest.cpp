#include "shell/ViewArray.h"

#include "tests/support/FakeBrowser.h"

#include <QSignalSpy>
#include <array>
#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

// Each view's notifications come out of the array once, with that view's index and arguments.
TEST(ViewArrayTest, ForwardsEachNotificationWithTheViewsIndex)
{
    QWidget parent;
    ViewArray array;
    std::vector<FakeBrowser*> views;
    for (int i = 0; i < 3; ++i) {
        views.push_back(new FakeBrowser(&parent, BrowserRole::GeneratedPage));
        EXPECT_EQ(array.add(views.back()), i);
    }
    QSignalSpy status(&array, &ViewArray::StatusTextChange);
    QSignalSpy progress(&array, &ViewArray::ProgressChange);
    QSignalSpy title(&array, &ViewArray::TitleChange);
    QSignalSpy begin(&array, &ViewArray::DownloadBegin);
    QSignalSpy ready(&array, &ViewArray::DocumentReady);
    QSignalSpy complete(&array, &ViewArray::DownloadComplete);

    const std::array<std::int16_t, 3> order{2, 0, 1};
    for (std::int16_t i : order) {
        FakeBrowser& view = *views[static_cast<size_t>(i)];
        emit view.StatusTextChange(QString("status %1").arg(i));
        emit view.ProgressChange(i + 10, 100);
        emit view.TitleChange(QString("title %1").arg(i));
        emit view.DownloadBegin();
        emit view.DocumentReady();
        emit view.DownloadComplete();
    }

    ASSERT_EQ(status.count(), 3);
    ASSERT_EQ(progress.count(), 3);
    ASSERT_EQ(title.count(), 3);
    ASSERT_EQ(begin.count(), 3);
    ASSERT_EQ(ready.count(), 3);
    ASSERT_EQ(complete.count(), 3);
    for (int n = 0; n < 3; ++n) {
        const std::int16_t index = order.at(static_cast<size_t>(n));
        EXPECT_EQ(status.at(n).at(0).value<std::int16_t>(), index);
        EXPECT_EQ(status.at(n).at(1).toString(), QString("status %1").arg(index));
        EXPECT_EQ(progress.at(n).at(0).value<std::int16_t>(), index);
        EXPECT_EQ(progress.at(n).at(1).toInt(), index + 10);
        EXPECT_EQ(progress.at(n).at(2).toInt(), 100);
        EXPECT_EQ(title.at(n).at(0).value<std::int16_t>(), index);
        EXPECT_EQ(title.at(n).at(1).toString(), QString("title %1").arg(index));
        EXPECT_EQ(begin.at(n).at(0).value<std::int16_t>(), index);
        EXPECT_EQ(ready.at(n).at(0).value<std::int16_t>(), index);
        EXPECT_EQ(complete.at(n).at(0).value<std::int16_t>(), index);
    }
}

} // namespace
} // namespace varrow::testing
