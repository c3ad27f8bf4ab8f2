// The editor's widget style: the platform's own, except that the menu bar's overflow
// arrow is drawn here. Qt would otherwise load that arrow from an image while the menu
// bar is made, and finding the image's format loads every image-format plug-in (and the
// libraries they need) before the window can show.
#pragma once

#include <QProxyStyle>

namespace lt {

class EditorStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace lt
