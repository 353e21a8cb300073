#pragma once
// A tiny program of this machine that ends at once with exit code 0, carrying a version the
// way our binaries carry theirs; written byte by byte, not by the code under test.

#include <QByteArray>
#include <QtGlobal>

namespace ov::test {

inline QByteArray TinyProgram(const QByteArray& version) {
    constexpr quint64 base = 0x400000;
#if defined(Q_PROCESSOR_X86_64)
    constexpr quint16 machine = 62;
    // mov eax, 60 (exit); xor edi, edi; syscall
    const QByteArray code("\xB8\x3C\x00\x00\x00\x31\xFF\x0F\x05", 9);
#else
    constexpr quint16 machine = 183;
    // mov x0, #0; mov x8, #93 (exit); svc #0
    const QByteArray code("\x00\x00\x80\xD2\xA8\x0B\x80\xD2\x01\x00\x00\xD4", 12);
#endif
    const QByteArray marker = QByteArray("\0OVFILEVERSION:", 15) + version + '\0';
    QByteArray out;
    auto put = [&out](quint64 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += char((value >> (8 * i)) & 0xFF);
    };
    const quint64 size = 120 + code.size() + marker.size();
    out += QByteArray(
               "\x7F"
               "ELF\x02\x01\x01",
               7) +
           QByteArray(9, '\0');
    put(2, 2), put(machine, 2), put(1, 4), put(base + 120, 8), put(64, 8), put(0, 8);
    put(0, 4), put(64, 2), put(56, 2), put(1, 2), put(64, 2), put(0, 2), put(0, 2);
    put(1, 4), put(5, 4), put(0, 8), put(base, 8), put(base, 8), put(size, 8), put(size, 8);
    put(0x1000, 8);
    return out + code + marker;
}

}  // namespace ov::test
