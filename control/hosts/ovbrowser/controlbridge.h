#pragma once
// The host's side of the page bridge: one per page. It answers the page's requests (JSON)
// on the user-interface thread: creates controls through the registry store for trusted
// origins, looks members up, runs Invoke, connects events, and places each element's control
// over the page. Objects belong to the origin that created them and go with the document.

#include <QByteArray>
#include <QJSEngine>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <map>

#include "control/hosts/ovbrowser/trust.h"
#include "control/ovcom/unknown.h"

class QWidget;

namespace ov::ovbrowser {

class PageSink;

class ControlBridge : public QObject {
    Q_OBJECT
public:
    // Runs a script in the page; with `wait`, returns its result (or an invalid value after
    // the time limit), else returns at once.
    using PageRunner = std::function<QVariant(const QString& script, bool wait)>;
    // The widget over which element controls are placed, and its scale (the page zoom).
    using Surface = std::function<QWidget*()>;
    using Zoom = std::function<double()>;

    ControlBridge(SiteTrust trust, Surface surface, Zoom zoom, PageRunner runner);
    ~ControlBridge() override;

    // Requests longer than this are refused.
    static constexpr qsizetype kMaxRequest = 8 * 1024 * 1024;

    QByteArray handle(const QUrl& origin, const QByteArray& request);
    // The document went: every object is released, element windows first.
    void releaseAll();
    // The event of an object, by DISPID, to the page's handlers; the new first argument of
    // an event passed by reference comes back through `args`.
    void fire(int id, ovcom::DISPID dispId, std::span<ovcom::Variant> args);
    // Whether a call of the page is being answered (the page cannot run scripts meanwhile).
    bool busy() const { return m_depth > 0; }

    QWidget* widgetOf(int id) const;

private:
    struct Entry {
        ovcom::ComPtr<ovcom::IDispatch> object;
        QUrl origin;
        bool element = false;
        PageSink* sink = nullptr;
        std::uint32_t cookie = 0;
        std::vector<ovcom::DISPID> events;
    };

    QJsonObject dispatch(const QUrl& origin, const QJsonObject& request);
    QJsonObject create(const QUrl& origin, const QJsonObject& request);
    QJsonObject member(Entry& entry, const QJsonObject& request);
    QJsonObject invoke(Entry& entry, const QJsonObject& request);
    QJsonObject eventId(Entry& entry, const QJsonObject& request, bool attach);
    QJsonObject place(Entry& entry, int id, const QJsonObject& request);
    QJsonObject success(const ovcom::Variant& value, const QUrl& origin);
    void release(int id);

    SiteTrust m_trust;
    Surface m_surface;
    Zoom m_zoom;
    PageRunner m_runner;
    QJSEngine m_values;  // script values for the scripting host's conversion
    std::map<int, Entry> m_objects;
    int m_nextId = 1;
    int m_depth = 0;
};

}  // namespace ov::ovbrowser
