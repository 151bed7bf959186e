#include "lookup/SearchPage.h"

#include <QJsonArray>
#include <QJsonDocument>

QString LocationSearchText(const LocationQuery& query)
{
    QString text = QStringLiteral("Latitude Longitude ");
    if (query.bMaleSearch)
        text += query.city + QLatin1Char(' ') + query.state + QLatin1Char(' ') + query.country;
    return text;
}

QUrl SearchEngineHome(const QUrl& searchAction)
{
    return searchAction.resolved(QUrl(QStringLiteral("/")));
}

QString SearchPageHtml(const QUrl& searchAction, const QString& client)
{
    const QUrl home = SearchEngineHome(searchAction);
    const auto attribute = [](const QString& value) { return value.toHtmlEscaped(); };
    const auto address = [&](const QUrl& url) {
        return attribute(url.toString(QUrl::FullyEncoded));
    };

    // The hidden fields ask the engine for ISO-8859-1, but the form submits UTF-8
    // (accept-charset): a blank page's own encoding would turn letters outside
    // Latin-1 into character references and send the engine something else
    // than what was typed.
    return QStringLiteral(
               "<center>\n"
               "<form method=\"get\" action=\"%1\" target=\"_top\" accept-charset=\"UTF-8\">\n"
               "<table bgcolor=\"#ffffff\">\n"
               "<tr><td nowrap=\"nowrap\" valign=\"top\" align=\"left\" height=\"32\">\n"
               "<a href=\"%2\"><img src=\"%3\" border=\"0\" alt=\"%4\"></a>\n"
               "<input type=\"text\" name=\"q\" size=\"31\" maxlength=\"255\" value=\"\">\n"
               "<input type=\"submit\" name=\"sa\" value=\"Search\">\n"
               "<input type=\"hidden\" name=\"client\" value=\"%5\">\n"
               "<input type=\"hidden\" name=\"forid\" value=\"1\">\n"
               "<input type=\"hidden\" name=\"ie\" value=\"ISO-8859-1\">\n"
               "<input type=\"hidden\" name=\"oe\" value=\"ISO-8859-1\">\n"
               "<input type=\"hidden\" name=\"cof\" value=\"GALT:#008000;GL:1;DIV:#336699;"
               "VLC:663399;AH:center;BGC:FFFFFF;LBGC:336699;ALC:0000FF;LC:0000FF;T:000000;"
               "GFNT:0000FF;GIMP:0000FF;FORID:1;\">\n"
               "<input type=\"hidden\" name=\"hl\" value=\"en\">\n"
               "</td></tr>\n"
               "</table>\n"
               "</form>\n"
               "</center>\n")
        .arg(address(searchAction), address(home),
             address(home.resolved(QUrl(QStringLiteral("favicon.ico")))), attribute(home.host()),
             attribute(client));
}

QString SubmitSearchScript(const QString& pageHtml, const QString& searchText)
{
    const QByteArray literals =
        QJsonDocument(QJsonArray{pageHtml, searchText}).toJson(QJsonDocument::Compact);
    return QStringLiteral("(function () {\n"
                          "    var texts = %1;\n"
                          "    var body = document.body;\n"
                          "    body.innerHTML = texts[0];\n"
                          "    body.querySelector('[name=\"q\"]').value = texts[1];\n"
                          "    body.querySelector('[name=\"sa\"]').click();\n"
                          "})();\n")
        .arg(QString::fromUtf8(literals));
}
