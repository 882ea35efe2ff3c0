#include "platform/qt/DeferredIconStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>

namespace tovrin {

namespace {

// An icon that asks for its pixels the first time anything about it is
// wanted, and from then on is that icon.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> load) : load_(std::move(load)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // The size comes in device pixels; the icon asked for must not scale it
    // a second time.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("tovrin-deferred"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& icon() {
        if (!icon_)
            icon_ = load_();
        return *icon_;
    }

    std::function<QIcon()> load_;
    std::optional<QIcon> icon_;
};

} // namespace

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    // An option describes a state that may not last until the icon is drawn.
    if (option != nullptr)
        return QProxyStyle::standardIcon(icon, option, widget);
    // If the desktop replaces this style meanwhile, its successor draws.
    // The toolkit's weak pointers do not take const objects; nothing is
    // changed through them.
    QPointer<QStyle> base(baseStyle());
    QPointer<QWidget> owner(const_cast<QWidget*>(widget));
    return QIcon(new DeferredIconEngine([base, owner, icon] {
        const QStyle* style = base ? base.data() : QApplication::style();
        return style->standardIcon(icon, nullptr, owner.data());
    }));
}

} // namespace tovrin
