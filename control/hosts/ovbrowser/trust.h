#pragma once
// Which pages may create the control: pages of the document server's origin (the start page's
// and the settings' ServerUrl, scheme, host and port alike) and the trusted sites of the zone
// map in the registry store, as FileAccessPower writes them (any port, per scheme).

#include <QUrl>

namespace ov::ovbrowser {

class SiteTrust {
public:
    explicit SiteTrust(QUrl startUrl) : m_startUrl(std::move(startUrl)) {}

    // Reads the settings and the zone map afresh: a page may have just changed them.
    bool mayCreate(const QUrl& origin) const;

    static bool sameOrigin(const QUrl& a, const QUrl& b);
    // Zone 2 for the origin's scheme (or "*") in the "Ranges" or "Domains" keys.
    static bool isTrustedSite(const QUrl& origin);

private:
    QUrl m_startUrl;
};

}  // namespace ov::ovbrowser
