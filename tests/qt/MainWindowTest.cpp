#include "platform/qt/ProgramIcon.h"
#include "tests/qt/RunningEditor.h"
#include "window/DesignSettings.h"
#include "window/LayoutRule.h"
#include "window/Twips.h"

#include <QMenu>
#include <QMenuBar>
#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>

namespace tovrin::testing {
namespace {

using MainWindowLook = RunningEditor;

TEST_F(MainWindowLook, CaptionNamesTheProgramAndItsMaker) {
    EXPECT_EQ(platform.window().windowTitle(), "Tovrin - Vaskel.exe - https://tovrin.example");
}

TEST_F(MainWindowLook, FileMenuHoldsNewGenerateExitWithSeparatorsAndNoShortcuts) {
    const QList<QAction*> bar = platform.window().menuBar()->actions();
    ASSERT_EQ(bar.size(), 1);
    EXPECT_EQ(bar[0]->text(), "&File");
    const QList<QAction*> items = bar[0]->menu()->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[0]->text(), "&New");
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), "&Generate");
    EXPECT_TRUE(items[3]->isSeparator());
    EXPECT_EQ(items[4]->text(), "E&xit");
    for (QAction* item : items) {
        EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
        EXPECT_TRUE(item->isEnabled());
    }
}

TEST_F(MainWindowLook, AltFOpensTheFileMenu) {
    QTest::keyClick(&platform.window(), Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; }));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "mnufile");
    menu->close();
}

TEST_F(MainWindowLook, IconHasBothSizesDrawnFromTheOneDescription) {
    const QIcon icon = platform.window().windowIcon();
    for (int size : {16, 32}) {
        const QImage shown = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(shown, toQImage(iconImage(size))) << size;
    }
    const QImage large = toQImage(iconImage(32));
    EXPECT_EQ(qAlpha(large.pixel(0, 0)), 0) << "outside the triangle is transparent";
    EXPECT_EQ(large.pixel(15, 4), qRgba(0, 0, 255, 255));
    EXPECT_EQ(large.pixel(15, 19), qRgba(255, 255, 255, 255));
}

TEST_F(MainWindowLook, TextAreaHasFocusAlwaysShowsItsVerticalScrollBarAndWraps) {
    EXPECT_TRUE(text1().hasFocus());
    EXPECT_EQ(text1().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(text1().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QTest::keyClicks(&text1(), QString(400, 'w'));
    EXPECT_FALSE(text1().horizontalScrollBar()->isVisible());
    EXPECT_GT(text1().document()->documentLayout()->blockBoundingRect(text1().document()->begin()).height(),
              2.0 * text1().fontMetrics().height())
        << "a long line wraps";
}

TEST_F(MainWindowLook, StartsWithTheDesignedClientArea) {
    const int dpiX = platform.window().logicalDpiX();
    const int dpiY = platform.window().logicalDpiY();
    const QWidget* clientArea = platform.window().centralWidget();
    EXPECT_EQ(clientArea->width(), twipsToPixels(StartClientWidth, dpiX));
    EXPECT_EQ(clientArea->height(), twipsToPixels(StartClientHeight, dpiY));
}

TEST_F(MainWindowLook, EveryResizeFitsTheTextAreaByTheLayoutRule) {
    const auto byTheRule = [&] {
        const Placement text = layoutRule(platform.Width(), platform.Height());
        return QSize(twipsToPixels(text.width, platform.window().logicalDpiX()),
                     twipsToPixels(text.height, platform.window().logicalDpiY()));
    };
    const QRect before = text1().geometry();
    EXPECT_EQ(before.topLeft(), QPoint(0, 0));
    EXPECT_EQ(before.size(), byTheRule());

    platform.window().resize(platform.window().size() + QSize(120, 45));
    QTest::qWait(0);
    EXPECT_EQ(text1().geometry().size(), before.size() + QSize(120, 45));
    EXPECT_EQ(text1().geometry().topLeft(), QPoint(0, 0));

    platform.window().resize(1, 1);
    QTest::qWait(0);
    EXPECT_EQ(text1().geometry().size(), byTheRule());
    EXPECT_EQ(text1().geometry().height(), 0) << "a window lower than the margin leaves no room, but no error";
}

} // namespace
} // namespace tovrin::testing
