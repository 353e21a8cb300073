#include "core/globalconfig.h"

#include <mutex>

namespace ov {
namespace {

struct Holder {
    std::mutex lock;
    std::shared_ptr<TClientConfigX> config;
};

Holder& holder() {
    static Holder h;
    return h;
}

}  // namespace

std::shared_ptr<TClientConfigX> GlobalConfig() {
    Holder& h = holder();
    std::lock_guard lock(h.lock);
    if (!h.config) h.config = std::make_shared<TClientConfigX>();
    return h.config;
}

std::shared_ptr<TClientConfigX> RenewGlobalConfig() {
    // Created outside the lock, so readers are not held up by the file reading.
    auto fresh = std::make_shared<TClientConfigX>();
    std::shared_ptr<TClientConfigX> old;
    Holder& h = holder();
    std::lock_guard lock(h.lock);
    old.swap(h.config);
    h.config = fresh;
    return fresh;
}

void FreeGlobalConfig() {
    std::shared_ptr<TClientConfigX> old;
    Holder& h = holder();
    std::lock_guard lock(h.lock);
    old.swap(h.config);
}

}  // namespace ov
