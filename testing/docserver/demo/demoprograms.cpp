#include "testing/docserver/demoprograms.h"

#include <QtGlobal>

namespace ov::test {

namespace {

constexpr quint64 kBase = 0x400000;
constexpr int kHeaders = 64 + 56;  // the file header and one program header

#if defined(Q_PROCESSOR_X86_64)
constexpr quint16 kMachine = 62;
// mov eax, 60 (exit); xor edi, edi; syscall
const QByteArray kCode("\xB8\x3C\x00\x00\x00\x31\xFF\x0F\x05", 9);
#else
constexpr quint16 kMachine = 183;
// mov x0, #0; mov x8, #93 (exit); svc #0
const QByteArray kCode("\x00\x00\x80\xD2\xA8\x0B\x80\xD2\x01\x00\x00\xD4", 12);
#endif

void put(QByteArray& out, quint64 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}

QByteArray fileHeader() {
    QByteArray out = QByteArray("\x7F" "ELF\x02\x01\x01", 7) + QByteArray(9, '\0');
    put(out, 2, 2);                   // an executable
    put(out, kMachine, 2);
    put(out, 1, 4);
    put(out, kBase + kHeaders, 8);    // entry: the code after the headers
    put(out, 64, 8);                  // program headers right after this one
    put(out, 0, 8);                   // no section headers
    put(out, 0, 4);
    for (quint64 v : {64, 56, 1, 64, 0, 0}) put(out, v, 2);
    return out;
}

QByteArray programHeader(quint64 size) {
    QByteArray out;
    put(out, 1, 4);  // loadable
    put(out, 5, 4);  // read and execute
    for (quint64 v : {quint64(0), kBase, kBase, size, size, quint64(0x1000)}) put(out, v, 8);
    return out;
}

}  // namespace

QByteArray DemoProgram(const QByteArray& version) {
    const QByteArray marker = QByteArray("\0OVFILEVERSION:", 15) + version + '\0';
    const quint64 size = kHeaders + kCode.size() + marker.size();
    return fileHeader() + programHeader(size) + kCode + marker;
}

QByteArray BuildVersion() {
    return QByteArrayLiteral(OV_FILE_VERSION);
}

}  // namespace ov::test
