#include "platform/qt/LongLineLayout.h"

#include <QFontMetrics>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace tovrin {

LongLineLayout::LongLineLayout(QTextDocument* document, const QWidget& viewport)
    : QPlainTextDocumentLayout(document), viewport_(viewport) {}

qreal LongLineLayout::wrappingWidth() const {
    return viewport_.width();
}

// Only Qt's default wrapping searches for a word's end on every line.
bool LongLineLayout::wrapsAtWordsOrAnywhere() const {
    return document()->defaultTextOption().wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere &&
           wrappingWidth() > 0;
}

// Runs between two break opportunities, without the spaces at their end
// (Qt also considers a break before a space), longer than LongRun.
std::vector<LongLineLayout::Run> LongLineLayout::longRuns(const QTextBlock& block) const {
    std::vector<Run> runs;
    if (block.length() <= LongRun || !wrapsAtWordsOrAnywhere())
        return runs;
    const QString text = block.text();
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype start = 0;
    for (qsizetype next = breaks.toNextBoundary(); next != -1; next = breaks.toNextBoundary()) {
        qsizetype end = start;
        while (end < next && !text.at(end).isSpace())
            ++end;
        if (end - start > LongRun)
            runs.push_back({static_cast<int>(start), static_cast<int>(end)});
        start = next;
    }
    return runs;
}

QRectF LongLineLayout::blockBoundingRect(const QTextBlock& block) const {
    if (block.isValid() && block.layout()->lineCount() == 0) {
        const std::vector<Run> runs = longRuns(block);
        if (!runs.empty())
            const_cast<LongLineLayout*>(this)->layOut(block, runs);
    }
    return QPlainTextDocumentLayout::blockBoundingRect(block);
}

// Qt's own handling, except that an edit inside one paragraph with a long
// run lays that paragraph out here. Other changes only drop the layouts of
// the paragraphs they touch, which are laid out again when next asked for.
void LongLineLayout::documentChanged(int from, int charsRemoved, int charsAdded) {
    QTextDocument* doc = document();
    const QTextBlock block = doc->findBlock(from);
    const QTextBlock lastChanged = doc->findBlock(std::max(0, from + charsRemoved + charsAdded - 1));
    const bool withinOneBlock = block == lastChanged && doc->blockCount() == blockCount_;
    const std::vector<Run> runs =
        withinOneBlock && block.isValid() && block.length() > 0 ? longRuns(block) : std::vector<Run>();
    if (runs.empty()) {
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
        blockCount_ = doc->blockCount();
        return;
    }
    const QRectF before = blockBoundingRect(block);
    layOut(block, runs);
    if (blockBoundingRect(block).height() == before.height())
        emit updateBlock(block);
    else
        emit update(QRectF(0., -doc->documentMargin(), 1000000000., 1000000000.));
}

// As QPlainTextDocumentLayout lays a paragraph out, with one difference: a
// line that starts inside a long run is first tried in "anywhere" mode. If
// it breaks before the run ends, the run is wider than the line, and Qt's
// default mode would have fallen back to exactly that line after searching
// for the run's end. Otherwise the line is laid out again in default mode.
void LongLineLayout::layOut(const QTextBlock& block, const std::vector<Run>& runs) {
    QTextDocument* doc = document();
    const qreal margin = doc->documentMargin();
    QTextOption atWordsOrAnywhere = doc->defaultTextOption();
    QTextOption anywhere = atWordsOrAnywhere;
    anywhere.setWrapMode(QTextOption::WrapAnywhere);
    qreal extraMargin = 0;
    if (atWordsOrAnywhere.flags() & QTextOption::AddSpaceForLineAndParagraphSeparators)
        extraMargin = QFontMetrics(block.charFormat().font()).horizontalAdvance(QChar(0x21B5));
    const qreal availableWidth = wrappingWidth() - 2 * margin - extraMargin;

    QTextLayout* layout = block.layout();
    layout->setTextOption(atWordsOrAnywhere);
    layout->beginLayout();
    auto run = runs.begin();
    qreal height = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        const int start = line.textStart();
        while (run != runs.end() && run->end <= start)
            ++run;
        line.setLeadingIncluded(true);
        if (run != runs.end() && run->start <= start) {
            layout->setTextOption(anywhere);
            line.setLineWidth(availableWidth);
            layout->setTextOption(atWordsOrAnywhere);
            if (line.textStart() + line.textLength() >= run->end)
                line.setLineWidth(availableWidth);
        } else {
            line.setLineWidth(availableWidth);
        }
        line.setPosition(QPointF(margin, height));
        height += line.height();
        if (line.leading() < 0)
            height += std::ceil(line.leading());
    }
    layout->endLayout();

    const int linesBefore = doc->lineCount();
    const_cast<QTextBlock&>(block).setLineCount(block.isVisible() ? layout->lineCount() : 0);
    if (doc->lineCount() != linesBefore)
        emit documentSizeChanged(documentSize());
}

} // namespace tovrin
