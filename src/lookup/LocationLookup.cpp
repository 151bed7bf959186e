#include "lookup/LocationLookup.h"

#include "lookup/LocationBrowserFactory.h"
#include "shell/AppServices.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <QPointer>
#include <QWidget>
#include <unistd.h>

namespace {

const QString kPluginFile = QStringLiteral(SELENOSCOPE_BROWSER_PLUGIN_FILE);

QStringList defaultPluginFiles()
{
    const QDir appDir(QCoreApplication::applicationDirPath());
    QStringList files{
        appDir.filePath(kPluginFile),
        appDir.filePath(QStringLiteral(SELENOSCOPE_BROWSER_PLUGIN_INSTALL_RELDIR "/") +
                        kPluginFile),
        appDir.filePath(QStringLiteral("../lib/selenoscope/") + kPluginFile),
    };
    // A program run from its build tree uses the component built beside it. An
    // installed program never looks there: the build directory is nobody's to trust.
    const QString buildDir = QDir::cleanPath(QStringLiteral(SELENOSCOPE_BUILD_DIR));
    if (QDir::cleanPath(appDir.absolutePath()).startsWith(buildDir + QLatin1Char('/')))
        files.append(
            QDir(QStringLiteral(SELENOSCOPE_BROWSER_PLUGIN_BUILD_DIR)).filePath(kPluginFile));

    for (QString& file : files)
        file = QDir::cleanPath(file);
    files.removeDuplicates();
    return files;
}

// The component stays loaded once found: the web engine cannot be unloaded.
LocationBrowserFactory* loadedFactory = nullptr;

LocationBrowserFactory* browserFactory()
{
    if (loadedFactory != nullptr)
        return loadedFactory;
    for (const QString& file : locationBrowserSetup().pluginFiles) {
        if (!QFileInfo(file).isFile())
            continue;
        auto* loader = new QPluginLoader(file, qApp);
        if (auto* factory = qobject_cast<LocationBrowserFactory*>(loader->instance())) {
            loadedFactory = factory;
            return factory;
        }
        qWarning("Location browser component %s: %s", qPrintable(file),
                 qPrintable(loader->errorString()));
        delete loader;
    }
    return nullptr;
}

QPointer<QWidget> openBrowser;

} // namespace

void PrepareLocationBrowser()
{
    // Deliberately no shared OpenGL context (Qt::AA_ShareOpenGLContexts): asking
    // for it creates a context at start-up, which doubles the start time and
    // triples the memory of the entry window on a desktop. Without it the engine
    // says so once when it loads and draws its pages in software, which a
    // search result page does not notice.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

LocationBrowserSetup& locationBrowserSetup()
{
    static LocationBrowserSetup setup{defaultPluginFiles(),
                                      QUrl(QStringLiteral(SELENOSCOPE_SEARCH_URL))};
    return setup;
}

void OpenLocationBrowser(const LocationQuery& query)
{
    // Every lookup starts afresh: the window of the last one is unloaded first.
    if (openBrowser != nullptr)
        openBrowser->close();

    LocationBrowserFactory* factory = browserFactory();
    if (factory == nullptr) {
        AppServices::current().message(
            QApplication::activeWindow(), QMessageBox::Warning,
            QStringLiteral("The location lookup is not available: its web browser component "
                           "could not be loaded. Please look up the latitude and longitude "
                           "elsewhere and type them in."));
        return;
    }
    openBrowser = factory->create(query, locationBrowserSetup().searchAction);
}
