#pragma once
// A scanner as the capture window uses it, on SANE. Every call blocks (run them on a worker);
// failures leave a text in `errorText`. Pages are bounded in size: a device that announces or
// sends more than MaxPageBytes is refused.

#include <QImage>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace ov::platform {

struct ScannerSource {
    QString name;   // the device's name, by which it is opened ("test:0")
    QString label;  // maker and model, as the source list shows it
};

struct ScannerSettings {
    int resolution = 0;  // dots per inch; 0 keeps the device's
    QString mode;        // "Color", "Gray", "Lineart" ...; empty keeps the device's
    QString source;      // "Flatbed", "Automatic Document Feeder" ...; empty keeps it
};

class Scanner {
public:
    static constexpr qint64 MaxPageBytes = qint64(512) << 20;

    Scanner();
    ~Scanner();
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    // The scanners present (network scanners included), in SANE's order.
    static std::vector<ScannerSource> sources();

    bool open(const QString& name);
    void close();
    bool isOpen() const { return m_handle != nullptr; }

    // What the open device offers; empty when it has no such setting.
    QStringList modes() const;
    QStringList feedSources() const;
    std::vector<int> resolutions() const;  // a few choices within the device's range
    ScannerSettings current() const;
    bool apply(const ScannerSettings& settings);

    // Scans page after page until the feeder is empty (one page unless the source is a
    // feeder), handing each to `page`; stops early when `cancel` is set. The number of pages,
    // or nullopt with `errorText` on a failure (pages handed over before it stay handed over).
    std::optional<int> acquire(const std::function<void(const QImage&)>& page,
                               const std::atomic<bool>* cancel = nullptr);

    QString errorText() const { return m_error; }

private:
    struct Page;
    int optionIndex(const char* name) const;
    QStringList stringChoices(const char* name) const;
    QString stringValue(const char* name) const;
    bool setString(const char* name, const QString& value);
    bool setResolution(int dpi);
    bool isFeeder() const;
    // nullopt: the feeder is empty (not an error); a null image: a failure.
    std::optional<QImage> scanPage(const std::atomic<bool>* cancel);
    bool fail(const QString& text);

    void* m_handle = nullptr;
    QString m_error;
};

}  // namespace ov::platform
