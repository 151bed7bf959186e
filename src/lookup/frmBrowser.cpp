#include "lookup/frmBrowser.h"

#include "lookup/SearchPage.h"
#include "shell/AppIcon.h"
#include "shell/AppServices.h"
#include "shell/LinkLabel.h"
#include "shell/PromoLabels.h"
#include "shell/Twips.h"
#include "shell/UiKit.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QtWebEngineQuick/qtwebenginequickglobal.h>
#include <algorithm>
#include <array>
#include <utility>

namespace {

const QString kBlankPage = QStringLiteral("about:blank");

/// How long a navigation command counts as busy before the engine has started loading.
constexpr int kCommandStartMs = 1000;

struct ToolButton
{
    const char* key;
    const char* themeIcon;
    QStyle::StandardPixmap fallbackIcon;
    const char* toolTip;
};

// A 24-pixel picture and a one-pixel frame: six of them end before "Pairstar".
constexpr QSize kToolButtonSize(26, 26);

constexpr std::array<ToolButton, 6> kToolButtons{{
    {"Back", "go-previous", QStyle::SP_ArrowBack, "Back to the previous page"},
    {"Forward", "go-next", QStyle::SP_ArrowForward, "Forward to the next page"},
    {"Stop", "process-stop", QStyle::SP_BrowserStop, "Stop loading this page"},
    {"Refresh", "view-refresh", QStyle::SP_BrowserReload, "Load this page again"},
    {"Home", "go-home", QStyle::SP_DirHomeIcon, "Back to the search results"},
    {"Search", "edit-find", QStyle::SP_FileDialogContentsView, "Go to the search engine"},
}};

// The engine is loaded long after the application object was made, so the
// OpenGL context it shares its pages through does not exist yet (asking for it
// at start-up would make every start slow). Without it the engine crashes on a
// desktop with OpenGL; this creates it, once, before the first page.
void prepareEngine()
{
    static const bool prepared = [] {
        QtWebEngineQuick::initialize();
        return true;
    }();
    Q_UNUSED(prepared);
}

// The browser's handlers carry on past a failing step and report nothing: a
// lookup must never take the program down with it.
template <typename Step> void carryOn(Step&& step) noexcept
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace

frmBrowser::frmBrowser(LocationQuery query, const QUrl& searchAction, QWidget* parent)
    : QWidget(parent, Qt::Window),
      Text1(SearchPageHtml(searchAction, QStringLiteral(SELENOSCOPE_SEARCH_CLIENT))),
      query_(std::move(query)), searchAction_(searchAction)
{
    setObjectName(QStringLiteral("frmBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kWindowCaption);
    setWindowIcon(appIcon());
    setFont(uiFont(8.25));
    resize(twips(8310), twips(6630));

    buildToolBar();
    buildAddressStrip();
    buildBrowser();

    NAMED(timTimer, this);
    timTimer->setInterval(5);
    connect(timTimer, &QTimer::timeout, this, &frmBrowser::timTimerTimer);
}

void frmBrowser::buildToolBar()
{
    NAMED(tbToolBar, this);
    tbToolBar->setGeometry(tw(0, 0, 8310, 540));
    tbToolBar->setIconSize(QSize(24, 24));
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    // Six buttons must end before "Pairstar" begins (2400 twips), as in the
    // layout; the style's roomier buttons would run under the labels, which then
    // take the clicks meant for them.
    tbToolBar->setContentsMargins(0, 0, 0, 0);
    tbToolBar->layout()->setSpacing(0);
    for (const ToolButton& button : kToolButtons) {
        const QString key = QString::fromLatin1(button.key);
        const QIcon icon = QIcon::fromTheme(QString::fromLatin1(button.themeIcon),
                                            style()->standardIcon(button.fallbackIcon));
        QAction* action = tbToolBar->addAction(icon, key);
        action->setObjectName(key);
        action->setData(key);
        action->setToolTip(QString::fromLatin1(button.toolTip));
        tbToolBar->widgetForAction(action)->setFixedSize(kToolButtonSize);
    }
    connect(tbToolBar, &QToolBar::actionTriggered, this, &frmBrowser::tbToolBarButtonClick);

    // Both run past the toolbar, which cuts them: their texts keep to the corner
    // that stays in view.
    NAMED(Label1, tbToolBar, QStringLiteral("Pairstar"));
    Label1->setGeometry(tw(2400, 300, 6255, 375));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    NAMED(Picture1, tbToolBar);
    Picture1->setGeometry(tw(2880, 60, 6525, 375));
    Label61 =
        makeBannerLabel(Picture1, BannerWording::Forum, QRect(QPoint(0, 0), Picture1->size()));
    Label61->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void frmBrowser::buildAddressStrip()
{
    NAMED(picAddress, this);
    picAddress->setGeometry(tw(0, 540, 8310, 405));
    NAMED(lblAddress, picAddress, QStringLiteral("&Address:"));
    lblAddress->setGeometry(tw(90, 90, 615, 195));
    // Wide enough for its caption in the fonts at hand, short of the box.
    lblAddress->resize(std::min(lblAddress->sizeHint().width(), twips(840 - 90)),
                       lblAddress->height());
    NAMED(cboAddress, picAddress);
    cboAddress->setGeometry(tw(840, 30, 8310 - 840, 315));
    cboAddress->setEditable(true);
    // The window keeps the list itself; the box neither adds nor completes what is typed.
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    cboAddress->setCompleter(nullptr);
    lblAddress->setBuddy(cboAddress);
    cboAddress->setAccessibleName(QStringLiteral("Address"));
    cboAddress->lineEdit()->setAccessibleName(QStringLiteral("Address"));
    cboAddress->installEventFilter(this);
    connect(cboAddress, &QComboBox::activated, this, &frmBrowser::cboAddressClick);
}

void frmBrowser::buildBrowser()
{
    prepareEngine();
    NAMED(brwWebBrowser, this);
    brwWebBrowser->move(twips(30), twips(990));
    brwWebBrowser->setAccessibleName(QStringLiteral("Web page"));
    // Off the record: a lookup leaves no cookies, cache or history behind. The
    // profile is created after the view, so it is deleted after the view's page.
    auto* profile = new QWebEngineProfile(this);
    brwWebBrowser->setPage(new QWebEnginePage(profile, brwWebBrowser));
    connect(brwWebBrowser, &QWebEngineView::loadStarted, this,
            [this] { commandClock_.invalidate(); });
    connect(brwWebBrowser, &QWebEngineView::loadFinished, this,
            &frmBrowser::brwWebBrowserLoadFinished);
}

void frmBrowser::load()
{
    carryOn([this] { show(); });
    carryOn([this] { tbToolBar->repaint(); });
    carryOn([this] { layOut(); });
    bQuerySubmitted = false;
    carryOn([this] { strSearchText = LocationSearchText(query_); });
    carryOn([this] { navigate(QUrl(kBlankPage)); });
}

void frmBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    carryOn([this] { layOut(); });
}

void frmBrowser::layOut()
{
    // The toolbar and the address strip stretch across the window.
    tbToolBar->resize(width(), tbToolBar->height());
    picAddress->resize(width(), picAddress->height());
    cboAddress->resize(std::max(0, picAddress->width() - cboAddress->x()), cboAddress->height());
    const int picAddressBottom = picAddress->y() + picAddress->height();
    brwWebBrowser->resize(std::max(0, width() - twips(100)),
                          std::max(0, height() - picAddressBottom - twips(100)));
}

void frmBrowser::brwWebBrowserLoadFinished()
{
    carryOn([this] {
        // The engine reports here the completion of the top-level document only,
        // which is the one document the search may be written into.
        setWindowTitle(locationName());
        const QString address = brwWebBrowser->url().toString();
        if (!bQuerySubmitted) {
            // Used up by the first completed page, blank or not: the query is
            // submitted at most once per window.
            bQuerySubmitted = true;
            if (address == kBlankPage)
                submitSearch();
        }
        if (!address.contains(kBlankPage)) {
            setWindowTitle(locationName());
            if (homePage_.isEmpty())
                homePage_ = brwWebBrowser->url();
            updateAddressList();
        }
    });
}

void frmBrowser::submitSearch()
{
    brwWebBrowser->page()->runJavaScript(SubmitSearchScript(Text1, strSearchText));
}

void frmBrowser::updateAddressList()
{
    const QString address = brwWebBrowser->url().toString();
    const int existing = cboAddress->findText(address, Qt::MatchExactly | Qt::MatchCaseSensitive);
    bListUpdating = true;
    if (existing >= 0)
        cboAddress->removeItem(existing);
    cboAddress->insertItem(0, address);
    cboAddress->setCurrentIndex(0);
    bListUpdating = false;
}

void frmBrowser::timTimerTimer()
{
    carryOn([this] {
        if (isBusy()) {
            setWindowTitle(QStringLiteral("Working..."));
        } else {
            timTimer->stop();
            setWindowTitle(locationName());
        }
    });
}

void frmBrowser::tbToolBarButtonClick(QAction* button)
{
    carryOn([this, button] {
        const QString key = button->data().toString();
        timTimer->start();
        QWebEngineHistory* history = brwWebBrowser->history();
        if (key == QLatin1String("Back")) {
            if (history->canGoBack())
                commandClock_.start();
            brwWebBrowser->back();
        } else if (key == QLatin1String("Forward")) {
            if (history->canGoForward())
                commandClock_.start();
            brwWebBrowser->forward();
        } else if (key == QLatin1String("Refresh")) {
            commandClock_.start();
            brwWebBrowser->reload();
        } else if (key == QLatin1String("Home")) {
            navigate(homePage_.isEmpty() ? SearchEngineHome(searchAction_) : homePage_);
        } else if (key == QLatin1String("Search")) {
            navigate(SearchEngineHome(searchAction_));
        }
        if (key == QLatin1String("Stop")) {
            timTimer->stop();
            commandClock_.invalidate();
            brwWebBrowser->stop();
            setWindowTitle(locationName());
        }
    });
}

void frmBrowser::cboAddressClick()
{
    carryOn([this] {
        if (bListUpdating)
            return;
        timTimer->start();
        navigate(QUrl::fromUserInput(cboAddress->currentText()));
    });
}

bool frmBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboAddress && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            cboAddressClick();
    }
    // Every key, Enter included, goes on to the box unchanged.
    return QWidget::eventFilter(watched, event);
}

void frmBrowser::navigate(const QUrl& address)
{
    commandClock_.start();
    brwWebBrowser->load(address);
}

bool frmBrowser::isBusy() const
{
    const bool commandStarting =
        commandClock_.isValid() && commandClock_.elapsed() < kCommandStartMs;
    return commandStarting || brwWebBrowser->page()->isLoading();
}

QString frmBrowser::locationName() const
{
    return brwWebBrowser->title();
}
