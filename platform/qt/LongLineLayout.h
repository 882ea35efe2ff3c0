#pragma once

#include <QPlainTextDocumentLayout>
#include <QWidget>
#include <vector>

namespace tovrin {

// Text1's document layout. Qt wraps a line that starts inside a word wider
// than the text box by first looking for the word's end, then breaking the
// word anywhere; in a paragraph that holds a long run with no break
// opportunity (a base64 string, an unbroken path) every line does that
// search again, and typing in it costs time quadratic in its length. This
// layout lays such paragraphs out itself, line by line, starting a line
// inside such a run in "anywhere" mode directly. The lines come out as Qt's
// own; every other paragraph is left to Qt.
//
// Qt keeps the wrapping width to itself; QPlainTextEdit sets it to its
// viewport's width, which this layout reads instead.
class LongLineLayout : public QPlainTextDocumentLayout {
    Q_OBJECT

public:
    LongLineLayout(QTextDocument* document, const QWidget& viewport);

    QRectF blockBoundingRect(const QTextBlock& block) const override;

    // A paragraph is laid out here when it holds a run with no break
    // opportunity longer than this; shorter runs cost Qt little.
    static constexpr int LongRun = 1000;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    struct Run {
        int start;
        int end;
    };

    qreal wrappingWidth() const;
    bool wrapsAtWordsOrAnywhere() const;
    std::vector<Run> longRuns(const QTextBlock& block) const;
    void layOut(const QTextBlock& block, const std::vector<Run>& runs);

    const QWidget& viewport_;
    int blockCount_ = 0;
};

} // namespace tovrin
