#pragma once
// A control created as its class factory creates it, in a private home with fresh settings,
// and an event sink that records what the control tells it.

#include <gtest/gtest.h>

#include <QApplication>
#include <vector>

#include "control/object/quexformx.h"
#include "core/globalconfig.h"
#include "support/temphome.h"

namespace ov::test {

inline QApplication& controlApp() {
    static int argc = 1;
    static char name[] = "test_control";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// Records each event's DISPID; OnKeyPress keys are answered from `keyMap` (0 swallows).
class RecordingSink final : public ovcom::IDispatch {
public:
    std::vector<ovcom::DISPID> events;
    std::vector<std::int16_t> keys;
    std::map<std::int16_t, std::int16_t> keyMap;

    ovcom::HRESULT QueryInterface(const ovcom::Guid& iid, void** object) override {
        if (iid != ovcom::IID_IDispatch && iid != ovcom::IID_IUnknown) return ovcom::E_NOINTERFACE;
        *object = static_cast<ovcom::IDispatch*>(this);
        AddRef();
        return ovcom::S_OK;
    }
    std::uint32_t AddRef() override { return ++refs; }
    std::uint32_t Release() override { return --refs; }
    ovcom::HRESULT GetTypeInfoCount(std::uint32_t*) override { return ovcom::E_NOTIMPL; }
    ovcom::HRESULT GetTypeInfo(std::uint32_t, const ovcom::TypeInfo**) override {
        return ovcom::E_NOTIMPL;
    }
    ovcom::HRESULT GetIDsOfNames(const QString*, std::uint32_t, ovcom::DISPID*) override {
        return ovcom::E_NOTIMPL;
    }
    ovcom::HRESULT Invoke(ovcom::DISPID id, std::uint16_t, ovcom::DispParams& params,
                          ovcom::Variant*, ovcom::ExcepInfo*, std::uint32_t*) override {
        events.push_back(id);
        if (id == 207 && params.args.size() == 1 && params.args[0].i2Ref()) {
            std::int16_t& key = *params.args[0].i2Ref();
            keys.push_back(key);
            if (const auto it = keyMap.find(key); it != keyMap.end()) key = it->second;
        }
        return ovcom::S_OK;
    }
    std::uint32_t refs = 1;
};

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        controlApp();
        RenewGlobalConfig();
        void* object = nullptr;
        ASSERT_EQ(control::TQuexFormX::Create(control::IID_IQuexFormX, &object), ovcom::S_OK);
        iface = static_cast<control::IQuexFormX*>(object);
        form = static_cast<control::TQuexFormX*>(iface);
    }
    void TearDown() override {
        if (iface) iface->Release();
        FreeGlobalConfig();
    }

    // Invoke by name: the HRESULT, with the result and the exception information kept.
    ovcom::HRESULT call(const QString& name, std::uint16_t flags,
                        std::vector<ovcom::Variant> args = {}) {
        ovcom::DISPID id = 0;
        const ovcom::HRESULT found = iface->GetIDsOfNames(&name, 1, &id);
        if (ovcom::FAILED(found)) return found;
        ovcom::DispParams params{args};
        excep = {};
        result = {};
        return iface->Invoke(id, flags, params, &result, &excep, nullptr);
    }

    TempHome home;
    control::IQuexFormX* iface = nullptr;
    control::TQuexFormX* form = nullptr;
    ovcom::Variant result;
    ovcom::ExcepInfo excep;
};

}  // namespace ov::test
