#include "platform/qt/DeferredIconStyle.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace tovrin::testing {
namespace {

// A deferred icon must look exactly like the one the desktop's style would
// have handed out, in every size it has.
class DeferredIcons : public ::testing::TestWithParam<QStyle::StandardPixmap> {
protected:
    DeferredIconStyle style;
};

TEST_P(DeferredIcons, DrawTheDesktopStylesOwnPixels) {
    const QIcon deferred = style.standardIcon(GetParam(), nullptr, nullptr);
    const QIcon original = style.baseStyle()->standardIcon(GetParam(), nullptr, nullptr);
    ASSERT_FALSE(original.isNull());
    EXPECT_FALSE(deferred.isNull());
    EXPECT_EQ(deferred.availableSizes(), original.availableSizes());
    for (int size : {16, 24, 32}) {
        EXPECT_EQ(deferred.actualSize(QSize(size, size)), original.actualSize(QSize(size, size))) << size;
        EXPECT_EQ(deferred.pixmap(size, QIcon::Disabled).toImage(), original.pixmap(size, QIcon::Disabled).toImage())
            << size;
        EXPECT_EQ(deferred.pixmap(size).toImage(), original.pixmap(size).toImage()) << size;
    }
}

INSTANTIATE_TEST_SUITE_P(StandardIcons, DeferredIcons,
                         ::testing::Values(QStyle::SP_ToolBarHorizontalExtensionButton,
                                           QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_MessageBoxWarning,
                                           QStyle::SP_DialogSaveButton));

} // namespace
} // namespace tovrin::testing
