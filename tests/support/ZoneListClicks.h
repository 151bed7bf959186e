#pragma once

#include <QListWidget>
#include <QTest>

/// Double-clicks a row the way the window system delivers it: press, release,
/// the second press as a double-click, release. The first press selects the row.
inline void doubleClickRow(QListWidget* list, QListWidgetItem* item)
{
    list->scrollToItem(item);
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);
}

/// The list's only row with exactly this text, or nullptr.
inline QListWidgetItem* rowWithText(const QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    return found.size() == 1 ? found.constFirst() : nullptr;
}
