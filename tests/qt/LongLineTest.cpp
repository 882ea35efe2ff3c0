#include "platform/qt/LongLineLayout.h"
#include "tests/qt/RunningEditor.h"

#include <QTextBlock>
#include <QTextLayout>
#include <QPlainTextEdit>

namespace tovrin::testing {
namespace {

// A run of letters and digits: no break opportunity anywhere in it.
QString unbroken(int length) {
    const QString alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString run;
    for (int i = 0; i < length; ++i)
        run += alphabet[(i * 7) % alphabet.size()];
    return run;
}

QString words(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QString("echo%1 ").arg(i * 37 % 1000);
    return text;
}

class LongLines : public RunningEditor {
protected:
    QTextBlock paragraph() { return text1().document()->firstBlock(); }

    std::vector<int> lineStarts() { return lineStartsIn(text1()); }

    // The lines a stock QPlainTextEdit of the same font and width gives the
    // paragraph.
    std::vector<int> qtLineStarts() {
        QPlainTextEdit stock;
        stock.setAttribute(Qt::WA_DontShowOnScreen);
        stock.setFont(text1().font());
        stock.setVerticalScrollBarPolicy(text1().verticalScrollBarPolicy());
        stock.setHorizontalScrollBarPolicy(text1().horizontalScrollBarPolicy());
        stock.setLineWrapMode(text1().lineWrapMode());
        stock.resize(text1().size());
        stock.show();
        stock.setPlainText(paragraph().text());
        EXPECT_EQ(stock.viewport()->width(), text1().viewport()->width());
        return lineStartsIn(stock);
    }

    static std::vector<int> lineStartsIn(QPlainTextEdit& edit) {
        const QTextBlock block = edit.document()->firstBlock();
        edit.document()->documentLayout()->blockBoundingRect(block);
        std::vector<int> starts;
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            starts.push_back(block.layout()->lineAt(i).textStart());
        return starts;
    }
};

// Text1's lines against a stock editor's: its wrap mode and font show in them.
TEST_F(LongLines, AnUnbrokenRunWrapsAtTheEdgeAndWordsAroundItAtTheirBoundaries) {
    ASSERT_NE(qobject_cast<LongLineLayout*>(text1().document()->documentLayout()), nullptr)
        << "else Qt's lines would be compared with themselves";
    const QString text = "set DATA=" + unbroken(3 * LongLineLayout::LongRun) + " & " + words(200) +
                         unbroken(LongLineLayout::LongRun + 1) + "   " + words(50);
    text1().setPlainText(text);
    const std::vector<int> starts = lineStarts();
    EXPECT_EQ(starts, qtLineStarts());
    ASSERT_GT(starts.size(), 40u);
    // The first line breaks before the run, which does not fit beside "set DATA=".
    EXPECT_EQ(starts[1], 4);
    const int wordsStart = static_cast<int>(text.indexOf(" & ")) + 1;
    for (std::size_t i = 1; i < starts.size(); ++i) {
        if (starts[i] > wordsStart && starts[i] < wordsStart + words(200).size()) {
            EXPECT_EQ(text[starts[i] - 1], ' ') << "a line of words starts inside a word at " << starts[i];
        }
    }
    const QTextBlock block = paragraph();
    for (int i = 0; i < block.layout()->lineCount(); ++i)
        EXPECT_LE(block.layout()->lineAt(i).naturalTextWidth(), text1().viewport()->width());
    EXPECT_EQ(content(), text.toStdU16String());
}

TEST_F(LongLines, TypingInsideTheRunAndResizingKeepQtsLines) {
    text1().setPlainText(unbroken(5 * LongLineLayout::LongRun) + " " + words(100));
    QTextCursor cursor = text1().textCursor();
    cursor.setPosition(2 * LongLineLayout::LongRun);
    text1().setTextCursor(cursor);
    QTest::keyClicks(&text1(), "xyz");
    EXPECT_EQ(lineStarts(), qtLineStarts());
    QTest::keyClicks(&text1(), " split here ");
    EXPECT_EQ(lineStarts(), qtLineStarts());
    platform.window().resize(platform.window().width() - 97, platform.window().height());
    QCoreApplication::processEvents();
    EXPECT_EQ(lineStarts(), qtLineStarts());
    EXPECT_EQ(text1().document()->lineCount(), static_cast<int>(qtLineStarts().size()));
}

} // namespace
} // namespace tovrin::testing
