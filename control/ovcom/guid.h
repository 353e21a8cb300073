#pragma once
// Globally unique identifiers and their text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace ov::ovcom {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    // The text in braces, hexadecimal digits in upper case.
    QString toString() const;
    // Accepts the text with or without braces, digits in either case; nullopt otherwise.
    static std::optional<Guid> fromString(const QString& text);
    bool isNull() const { return *this == Guid{}; }
    friend bool operator==(const Guid&, const Guid&) = default;
};

// A GUID from its text, for constants: "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" without braces.
// Invalid text does not compile where the result is constexpr.
consteval Guid makeGuid(const char (&text)[37]) {
    auto hex = [&](int from, int digits) {
        std::uint32_t value = 0;
        for (int i = from; i < from + digits; ++i) {
            const char c = text[i];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : throw "not a hexadecimal digit";
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        return value;
    };
    Guid guid;
    guid.data1 = hex(0, 8);
    guid.data2 = static_cast<std::uint16_t>(hex(9, 4));
    guid.data3 = static_cast<std::uint16_t>(hex(14, 4));
    const int offsets[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i)
        guid.data4[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(hex(offsets[i], 2));
    return guid;
}

inline constexpr Guid IID_IUnknown = makeGuid("00000000-0000-0000-C000-000000000046");
inline constexpr Guid IID_IDispatch = makeGuid("00020400-0000-0000-C000-000000000046");
inline constexpr Guid IID_IClassFactory = makeGuid("00000001-0000-0000-C000-000000000046");
inline constexpr Guid IID_IConnectionPoint = makeGuid("B196B286-BAB4-101A-B69C-00AA00341D07");
inline constexpr Guid IID_IProvideClassInfo = makeGuid("B196B283-BAB4-101A-B69C-00AA00341D07");
inline constexpr Guid IID_IFontDisp = makeGuid("BEF6E003-A874-101A-8BBA-00AA00300CAB");
// Ours: the widget of a control, which its host places in a window of its own.
inline constexpr Guid IID_IWidgetWindow = makeGuid("FB96F7B3-6792-4D4F-856F-BA33F5148ACD");
// The proxy of dual and dispatch interfaces, as the type library's registration names it.
inline constexpr Guid CLSID_PSDispatch = makeGuid("00020424-0000-0000-C000-000000000046");

}  // namespace ov::ovcom
