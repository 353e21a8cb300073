#include "control/ovcom/stdfont.h"

#include <atomic>

#include "control/ovcom/typeinfo.h"

using namespace Qt::StringLiterals;

namespace ov::ovcom {

namespace {

enum FontId : DISPID {
    Name = 0,
    Size = 2,
    Bold = 3,
    Italic = 4,
    Underline = 5,
    Strike = 6,
    Weight = 7,
    Charset = 8
};

struct FontProperty {
    DISPID id;
    const char16_t* name;
    VarType type;
};

constexpr FontProperty kProperties[] = {
    {Name, u"Name", VT_BSTR},           {Size, u"Size", VT_R4},
    {Bold, u"Bold", VT_BOOL},           {Italic, u"Italic", VT_BOOL},
    {Underline, u"Underline", VT_BOOL}, {Strike, u"Strikethrough", VT_BOOL},
    {Weight, u"Weight", VT_I2},         {Charset, u"Charset", VT_I2},
};

const TypeInfo& fontTypeInfo() {
    static const TypeInfo info = [] {
        TypeInfo t;
        t.guid = IID_IFontDisp;
        t.name = u"Font"_s;
        t.kind = TypeKind::Dispatch;
        for (const FontProperty& p : kProperties) {
            const QString name = QString::fromUtf16(p.name);
            t.funcs.push_back({p.id, name, MemberKind::Get, {{u"Value"_s, p.type, {}, true}}});
            t.funcs.push_back({p.id, name, MemberKind::Put, {{u"Value"_s, p.type, {}, false}}});
        }
        return t;
    }();
    return info;
}

const FontProperty* propertyOf(DISPID id) {
    for (const FontProperty& p : kProperties)
        if (p.id == id) return &p;
    return nullptr;
}

Variant readProperty(const QFont& f, DISPID id) {
    switch (id) {
        case Name:
            return Variant(f.family());
        case Size:
            return Variant(static_cast<float>(f.pointSizeF()));
        case Bold:
            return Variant(f.bold());
        case Italic:
            return Variant(f.italic());
        case Underline:
            return Variant(f.underline());
        case Strike:
            return Variant(f.strikeOut());
        case Weight:
            return Variant(static_cast<std::int16_t>(f.bold() ? 700 : 400));
        default:
            return Variant(std::int16_t{1});  // the default character set
    }
}

void writeProperty(QFont& f, DISPID id, const Variant& v) {
    switch (id) {
        case Name:
            f.setFamily(v.bstr());
            break;
        case Size:
            if (v.r4() > 0) f.setPointSizeF(v.r4());
            break;
        case Bold:
            f.setBold(v.boolValue());
            break;
        case Italic:
            f.setItalic(v.boolValue());
            break;
        case Underline:
            f.setUnderline(v.boolValue());
            break;
        case Strike:
            f.setStrikeOut(v.boolValue());
            break;
        case Weight:
            f.setBold(v.i2() >= 550);
            break;
        default:
            break;
    }
}

class StdFont final : public IDispatch {
public:
    StdFont(const QFont& font, std::function<void(const QFont&)> changed)
        : m_font(font), m_changed(std::move(changed)) {}

    HRESULT QueryInterface(const Guid& iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IFontDisp)
            return E_NOINTERFACE;
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    std::uint32_t AddRef() override { return ++m_refs; }
    std::uint32_t Release() override {
        const std::uint32_t left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    HRESULT GetTypeInfoCount(std::uint32_t* count) override {
        if (count) *count = 1;
        return count ? S_OK : E_POINTER;
    }
    HRESULT GetTypeInfo(std::uint32_t index, const TypeInfo** info) override {
        if (!info) return E_POINTER;
        if (index != 0) return DISP_E_BADINDEX;
        *info = &fontTypeInfo();
        return S_OK;
    }
    HRESULT GetIDsOfNames(const QString* names, std::uint32_t count, DISPID* ids) override {
        return fontTypeInfo().idsOfNames(names, count, ids);
    }
    HRESULT Invoke(DISPID id, std::uint16_t flags, DispParams& params, Variant* result, ExcepInfo*,
                   std::uint32_t* argErr) override {
        const FontProperty* property = propertyOf(id);
        if (!property) return DISP_E_MEMBERNOTFOUND;
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
            return put(*property, params, argErr);
        if (!params.args.empty()) return DISP_E_BADPARAMCOUNT;
        if (result) *result = readProperty(m_font, id);
        return S_OK;
    }

private:
    ~StdFont() = default;

    HRESULT put(const FontProperty& property, DispParams& params, std::uint32_t* argErr) {
        if (params.args.size() != 1) return DISP_E_BADPARAMCOUNT;
        Variant value;
        const HRESULT hr = changeType(value, params.args[0], property.type);
        if (FAILED(hr)) {
            if (argErr) *argErr = 0;
            return hr;
        }
        writeProperty(m_font, property.id, value);
        if (m_changed) m_changed(m_font);
        return S_OK;
    }

    std::atomic<std::uint32_t> m_refs{1};
    QFont m_font;
    std::function<void(const QFont&)> m_changed;
};

}  // namespace

IDispatch* createStdFont(const QFont& font, std::function<void(const QFont&)> changed) {
    return new StdFont(font, std::move(changed));
}

QFont fontFromDispatch(IDispatch* font, const QFont& base) {
    QFont result = base;
    if (!font) return result;
    for (const FontProperty& p : kProperties) {
        const QString name = QString::fromUtf16(p.name);
        DISPID id = 0;
        if (FAILED(font->GetIDsOfNames(&name, 1, &id))) continue;
        Variant value, converted;
        DispParams none;
        if (FAILED(font->Invoke(id, DISPATCH_PROPERTYGET, none, &value, nullptr, nullptr)))
            continue;
        if (SUCCEEDED(changeType(converted, value, p.type))) writeProperty(result, p.id, converted);
    }
    return result;
}

}  // namespace ov::ovcom
