#pragma once
// The reports of the batch workers on their way to the window: the workers push them from
// their threads, the window takes them on its own thread (on a short timer). One plain lock,
// so the order of everything a worker did before a report is plain to see.

#include <QString>
#include <cstdint>
#include <mutex>
#include <vector>

namespace ov {

class TCustomBathFileDeal;

struct TWorkerReport {
    enum Kind : std::uint8_t {
        Failed, PassOver, Prohibited, StartFile, Log, Work, Plan, Ended
    } kind = Log;
    TCustomBathFileDeal* worker = nullptr;  // identifies the sender; checked before use
    int taskId = 0;
    QString text;
    qint64 a = 0, b = 0;
};

class TWorkerInbox {
public:
    void Push(TWorkerReport report) {
        std::lock_guard lock(m_mutex);
        m_reports.push_back(std::move(report));
    }
    std::vector<TWorkerReport> Take() {
        std::lock_guard lock(m_mutex);
        std::vector<TWorkerReport> out;
        out.swap(m_reports);
        return out;
    }

private:
    std::mutex m_mutex;
    std::vector<TWorkerReport> m_reports;
};

}  // namespace ov
