#include "lookup/LocationBrowserFactory.h"
#include "lookup/frmBrowser.h"

#include <QObject>

/// The browser component: everything that needs the web engine lives behind it,
/// so the program only loads the engine when the user first asks for a lookup.
class BrowserPlugin final : public QObject, public LocationBrowserFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID LocationBrowserFactory_iid)
    Q_INTERFACES(LocationBrowserFactory)

public:
    QWidget* create(const LocationQuery& query, const QUrl& searchAction) override
    {
        auto* window = new frmBrowser(query, searchAction);
        window->load();
        return window;
    }
};

#include "BrowserPlugin.moc"
