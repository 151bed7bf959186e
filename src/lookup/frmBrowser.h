#pragma once

#include "lookup/LocationQuery.h"

#include <QElapsedTimer>
#include <QUrl>
#include <QWidget>

class LinkLabel;
class QAction;
class QComboBox;
class QLabel;
class QTimer;
class QToolBar;
class QWebEngineView;

/// The location lookup browser: submits a web search for the place's
/// coordinates and lets the user browse the results. Writes nothing back.
class frmBrowser final : public QWidget
{
    Q_OBJECT
public:
    /// Builds the window; the search form is submitted to searchAction.
    frmBrowser(LocationQuery query, const QUrl& searchAction, QWidget* parent = nullptr);

    /// Shows the window and starts the search for the query.
    void load();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildAddressStrip();
    void buildBrowser();
    void layOut();

    void brwWebBrowserLoadFinished();
    void submitSearch();
    void updateAddressList();
    void timTimerTimer();
    void tbToolBarButtonClick(QAction* button);
    void cboAddressClick();

    // The browser component's own commands.
    void navigate(const QUrl& address);
    [[nodiscard]] bool isBusy() const;
    [[nodiscard]] QString locationName() const;

    QToolBar* tbToolBar = nullptr;
    QWidget* Picture1 = nullptr;
    LinkLabel* Label61 = nullptr;
    QLabel* Label1 = nullptr;
    QWidget* picAddress = nullptr;
    QLabel* lblAddress = nullptr;
    QComboBox* cboAddress = nullptr;
    QWebEngineView* brwWebBrowser = nullptr;
    QTimer* timTimer = nullptr;

    /// The search page written into the blank start page.
    const QString Text1;

    LocationQuery query_;
    QUrl searchAction_;
    /// The first page the search landed on: where "Home" goes back to.
    QUrl homePage_;

    QString strSearchText;
    bool bQuerySubmitted = false;
    bool bListUpdating = false;

    /// Runs from a navigation command until the engine starts loading; a
    /// command that starts nothing lets go after a short while.
    QElapsedTimer commandClock_;
};
