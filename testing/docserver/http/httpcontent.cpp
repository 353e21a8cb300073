#include "testing/docserver/http/httpcontent.h"

#include "testing/docserver/demo.h"
#include "testing/docserver/demoprograms.h"
#include "testing/docserver/http/httpimages.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

void appendLE(QByteArray& out, quint32 value, int size) {
    for (int i = 0; i < size; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// A ZIP archive whose entries are stored without compression.
QByteArray makeStoredZip(const std::map<QByteArray, QByteArray>& entries) {
    QByteArray zip;
    QByteArray directory;
    for (const auto& [name, data] : entries) {
        const quint32 offset = quint32(zip.size());
        QByteArray common;
        appendLE(common, 20, 2);  // version needed
        appendLE(common, 0, 2);   // flags
        appendLE(common, 0, 2);   // stored
        appendLE(common, 0, 4);   // time and date
        appendLE(common, crc32(data), 4);
        appendLE(common, quint32(data.size()), 4);
        appendLE(common, quint32(data.size()), 4);
        appendLE(common, quint32(name.size()), 2);
        appendLE(common, 0, 2);  // no extra field
        zip += QByteArray("PK\x03\x04", 4) + common + name + data;
        directory += QByteArray("PK\x01\x02", 4);
        appendLE(directory, 20, 2);  // made by
        directory += common;
        directory.append(
            QByteArray(10, 0));  // comment length, disk, internal and outside attributes
        appendLE(directory, offset, 4);
        directory += name;
    }
    const quint32 directoryOffset = quint32(zip.size());
    zip += directory + QByteArray("PK\x05\x06", 4);
    appendLE(zip, 0, 4);
    appendLE(zip, quint32(entries.size()), 2);
    appendLE(zip, quint32(entries.size()), 2);
    appendLE(zip, quint32(directory.size()), 4);
    appendLE(zip, directoryOffset, 4);
    appendLE(zip, 0, 2);
    return zip;
}

// A 50 x 50 logo: a coloured square with a white bar across it.
QByteArray logo(quint32 colour) {
    return makePng(50, 50, [colour](int, int y) { return y >= 20 && y < 30 ? 0xFFFFFFu : colour; });
}

// The watermark: a white field with a grey diagonal band. The top-left pixel gives the
// transparent colour, so the band keeps clear of it.
QByteArray watermark() {
    return makeBmp24(120, 40, [](int x, int y) {
        const int d = x - 3 * y;
        return d >= 10 && d < 22 ? 0x808080u : 0xFFFFFFu;
    });
}

QByteArray program(const char* name) {
    return QByteArray(
               "\x7F"
               "ELF test program ") +
           name;
}

}  // namespace

QString powersV3Text(const QList<int>& powers) {
    QString text = u"v3"_s + QString(106, u'0');
    for (const int power : powers)
        if (power >= 21 && power <= 108) text[power - 1] = u'1';
    return text;
}

DocHttpContent defaultHttpContent() {
    DocHttpContent c;
    c.scInfos = u"1,公开,Public;2,内部,Internal;3,秘密,Secret;4,机密,Confidential"_s;
    c.clientConfig = u"[VersionRemark]1[/VersionRemark]"_s;
    c.logoCn = logo(0x1F4E9Au);
    c.logoEng = logo(0x2E8B57u);
    c.watermark = watermark();
    c.pageImages = {pageJpeg(), pageJpeg(), pageJpegAt(1, 300)};  // 96, 96 and 300 dots per inch
    QList<int> all;
    for (int power = 21; power <= 108; ++power)
        all.append(power);
    c.powersText = powersV3Text(all);
    c.noPowersText = powersV3Text({});
    c.relatedFiles[demo::GearboxFile] = {demo::ManualFile};
    c.helperFiles[u"OvExtViewer.exe"_s] = program("OvExtViewer");
    c.helperFiles[u"OvExtViewerX86.exe"_s] = program("OvExtViewerX86");
    c.helperFiles[u"OvCtrlUpdate.exe"_s] = DemoProgram("1.0.0.0");  // the control's updater
    c.helperFiles[u"qrreader.zip"_s] =
        makeStoredZip({{"libzimgscan.exe", program("libzimgscan")},
                       {"readme.txt", "Code reader used by the camera dialog.\r\n"}});
    return c;
}

}  // namespace ov::test
