// The exception rule of members, Invoke's choice of member and its errors, and the class
// factory with the library's object and lock counts.

#include <gtest/gtest.h>

#include "control/ovcom/dispatcher.h"
#include "control/ovcom/errorinfo.h"
#include "control/ovcom/module.h"

using namespace Qt::StringLiterals;
using namespace ov::ovcom;

namespace {

const GuardSite kSite{u"Test.Object"_s, IID_IDispatch};

TEST(Guard, ExceptionsBecomeFailingResults) {
    struct Case {
        std::function<void()> member;
        HRESULT hr;
        const char16_t* description;
    } cases[] = {
        {[] {}, S_OK, nullptr},
        {[] { throw OleError(DISP_E_OVERFLOW, u"too big"_s); }, DISP_E_OVERFLOW, u"too big"},
        {[] { throw OleError(5, u"positive"_s); }, E_UNEXPECTED, u"positive"},
        {[] { throw std::runtime_error("plain"); }, E_UNEXPECTED, u"plain"},
        {[] { throw 42; }, E_UNEXPECTED, u"Unexpected error"},
        {[] { OleCheck(E_FAIL); }, E_FAIL, u"Error 0x80004005"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Guard(kSite, c.member), c.hr);
        const auto info = GetErrorInfo();
        ASSERT_EQ(info.has_value(), c.description != nullptr);
        if (!info) continue;
        EXPECT_EQ(info->description, QString::fromUtf16(c.description));
        EXPECT_EQ(info->source, u"Test.Object"_s);
        EXPECT_FALSE(GetErrorInfo());  // taken once
    }
}

// A small interface: a property Value (get/put, DISPID 1) and a method Twice (DISPID 2).
struct ITest : IDispatch {
    virtual HRESULT get_Value(std::int32_t* value) = 0;
    virtual HRESULT put_Value(std::int32_t value) = 0;
    virtual HRESULT Twice(const QString& text, QString* result) = 0;
};

struct TestObject final : ITest {
    std::int32_t value = 0;
    HRESULT QueryInterface(const Guid&, void**) override { return E_NOINTERFACE; }
    std::uint32_t AddRef() override { return 1; }
    std::uint32_t Release() override { return 1; }
    HRESULT GetTypeInfoCount(std::uint32_t*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(std::uint32_t, const TypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(const QString*, std::uint32_t, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, std::uint16_t, DispParams&, Variant*, ExcepInfo*,
                   std::uint32_t*) override {
        return E_NOTIMPL;
    }
    HRESULT get_Value(std::int32_t* v) override { return *v = value, S_OK; }
    HRESULT put_Value(std::int32_t v) override {
        return Guard(kSite, [&] {
            if (v < 0) throw OleError(E_INVALIDARG, u"negative"_s);
            value = v;
        });
    }
    HRESULT Twice(const QString& text, QString* result) override {
        return *result = text + text, S_OK;
    }
};

const TypeInfo& testInfo() {
    static const TypeInfo info = [] {
        TypeInfo t;
        t.name = u"ITest"_s;
        t.funcs = {{1, u"Value"_s, MemberKind::Get, {{u"Value"_s, VT_I4, {}, true}}, false, 1},
                   {1, u"Value"_s, MemberKind::Put, {{u"Value"_s, VT_I4, {}, false}}, false, 2},
                   {2,
                    u"Twice"_s,
                    MemberKind::Method,
                    {{u"Text"_s, VT_BSTR, {}, false}, {u"Result"_s, VT_BSTR, {}, true}},
                    false,
                    3}};
        return t;
    }();
    return info;
}

const Dispatcher& testDispatcher() {
    static const Dispatcher d(
        testInfo(), {[](void* o, std::span<Variant> a, Variant* r, std::uint32_t* e) {
                         return callSlot(static_cast<ITest*>(o), &ITest::get_Value, a, r, e);
                     },
                     [](void* o, std::span<Variant> a, Variant* r, std::uint32_t* e) {
                         return callSlot(static_cast<ITest*>(o), &ITest::put_Value, a, r, e);
                     },
                     [](void* o, std::span<Variant> a, Variant* r, std::uint32_t* e) {
                         return callSlot(static_cast<ITest*>(o), &ITest::Twice, a, r, e);
                     }});
    return d;
}

TEST(Dispatcher, InvokePicksTheMemberAndReportsErrors) {
    TestObject object;
    struct Case {
        DISPID id;
        std::uint16_t flags;
        std::vector<Variant> args;
        HRESULT hr;
        const char16_t* result;
    } cases[] = {
        {1, DISPATCH_PROPERTYPUT, {Variant(u"12"_s)}, S_OK, u"(empty)"},
        {1, DISPATCH_PROPERTYGET, {}, S_OK, u"12"},
        {1, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, S_OK, u"12"},
        {2, DISPATCH_METHOD, {Variant(3)}, S_OK, u"33"},
        {2, DISPATCH_METHOD, {}, DISP_E_BADPARAMCOUNT, u"(empty)"},
        {1, DISPATCH_PROPERTYPUT, {Variant(u"x"_s)}, DISP_E_TYPEMISMATCH, u"(empty)"},
        {1, DISPATCH_PROPERTYPUT, {Variant(-3)}, DISP_E_EXCEPTION, u"(empty)"},
        {1, DISPATCH_PROPERTYGET, {}, S_OK, u"12"},  // the failing put changed nothing
        {3, DISPATCH_METHOD, {}, DISP_E_MEMBERNOTFOUND, u"(empty)"},
        {2, DISPATCH_PROPERTYPUT, {Variant(1)}, DISP_E_MEMBERNOTFOUND, u"(empty)"},
    };
    for (Case& c : cases) {
        DispParams params{c.args};
        Variant result;
        ExcepInfo excep;
        std::uint32_t argErr = 99;
        EXPECT_EQ(testDispatcher().invoke(static_cast<ITest*>(&object), c.id, c.flags, params,
                                          &result, &excep, &argErr),
                  c.hr);
        EXPECT_EQ(result.debugText(), QString::fromUtf16(c.result));
        if (c.hr == DISP_E_TYPEMISMATCH) {
            EXPECT_EQ(argErr, 0u);
        }
        if (c.hr == DISP_E_EXCEPTION) {
            EXPECT_EQ(excep.scode, E_INVALIDARG);
            EXPECT_EQ(excep.description, u"negative"_s);
            EXPECT_EQ(excep.source, u"Test.Object"_s);
        }
    }
}

struct Counted final : IUnknown {
    explicit Counted(ModuleCounts& c) : counts(c) { counts.objectCreated(); }
    HRESULT QueryInterface(const Guid& iid, void** out) override {
        if (iid != IID_IUnknown) return E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    std::uint32_t AddRef() override { return ++refs; }
    std::uint32_t Release() override {
        if (--refs) return refs;
        counts.objectDestroyed();
        delete this;
        return 0;
    }
    ModuleCounts& counts;
    std::uint32_t refs = 1;
};

ModuleCounts g_counts;

TEST(ClassFactory, CreatesObjectsAndCountsThemWithItsLocks) {
    constexpr Guid clsid = makeGuid("6ADDF692-DD38-4EB3-B194-290FFB6E1905");
    ClassFactory factory(clsid, g_counts, [](const Guid& iid, void** out) {
        auto* object = new Counted(g_counts);
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    });
    void* raw = nullptr;
    EXPECT_EQ(factory.getClassObject(IID_IDispatch, IID_IClassFactory, &raw),
              CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(factory.getClassObject(clsid, IID_IClassFactory, &raw), S_OK);
    auto* f = static_cast<IClassFactory*>(raw);
    EXPECT_EQ(f->CreateInstance(reinterpret_cast<IUnknown*>(f), IID_IUnknown, &raw),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(f->CreateInstance(nullptr, IID_IDispatch, &raw), E_NOINTERFACE);
    EXPECT_TRUE(g_counts.canUnload());  // the refused object is gone again
    IUnknown* a = nullptr;
    IUnknown* b = nullptr;
    ASSERT_EQ(f->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&a)), S_OK);
    ASSERT_EQ(f->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&b)), S_OK);
    EXPECT_NE(a, b);  // every creation makes a new object
    EXPECT_EQ(g_counts.objects(), 2);
    f->LockServer(true);
    a->Release();
    b->Release();
    EXPECT_FALSE(g_counts.canUnload());  // the lock remains
    f->LockServer(false);
    EXPECT_TRUE(g_counts.canUnload());
}

}  // namespace
