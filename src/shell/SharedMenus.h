#pragma once

class QAction;
class QMenu;
class QMenuBar;

/// The Help, Donate and "Make Money Online" menus that the entry and the
/// display window share. Only the update item's caption and the separators'
/// names differ between the two windows.
struct SharedMenuNames
{
    const char* updateCaption;
    const char* separator1;
    const char* separator2;
};

inline constexpr SharedMenuNames kEntryWindowMenuNames{"Check for Software &Update", "mnuHelp1",
                                                       "mnuHelp2"};
inline constexpr SharedMenuNames kDisplayWindowMenuNames{"&Check for Software Update",
                                                         "mnuFileSep1", "mnuFileSep2"};

struct SharedMenus
{
    QMenu* mnuHelp = nullptr;
    QAction* mnuOnline = nullptr;
    QAction* mnuVisit = nullptr;
    QAction* mnuUpdate = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuDonate = nullptr;
    QAction* mkmoney = nullptr;
};

/// Appends the shared menus to the bar and wires them to their pages and to the about box.
SharedMenus addSharedMenus(QMenuBar* bar, const SharedMenuNames& names);
