#pragma once

#include <QProxyStyle>

namespace tovrin {

// The desktop's own style, with its standard icons read when first drawn
// rather than when asked for. Reading one of those icons makes the toolkit
// load every image-format plug-in installed (GIF, ICO, JPEG ...) to recognise
// the file, and a menu bar asks for its overflow arrow as it is built, though
// the arrow shows only when the menus do not fit. The program draws its own
// icon from its pixels, so at start it would load those plug-ins for nothing.
class DeferredIconStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};

} // namespace tovrin
