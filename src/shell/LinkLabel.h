#pragma once

#include <QLabel>

/// A label that acts as a link: pointing-hand pointer, clicked() on release.
/// It is also a link for the keyboard (Tab reaches it, Space or Enter follows
/// it) and for screen readers, which announce it as a link named by its text.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
