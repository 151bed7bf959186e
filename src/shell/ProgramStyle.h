#pragma once

#include <QPixmap>
#include <QProxyStyle>

/// The platform's own style, but for two images it would read from files while
/// the first window is being built: reading an image file offers it to every
/// image-format plugin first, which loads them all. The arrows a menu bar shows
/// when it runs out of room are drawn here instead, and Qt's own style draws its
/// group box frames from an image that is compiled in here as raw pixels.
class ProgramStyle final : public QProxyStyle
{
public:
    /// Over the given style (owned from then on), or over the platform's default one.
    explicit ProgramStyle(QStyle* base = nullptr);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    bool drawGroupBoxFrame(const QStyleOption& option, QPainter& painter,
                           const QWidget* widget) const;

    QPixmap groupBoxFrame_; // null where the base style is not Qt's own
};
