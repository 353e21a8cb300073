#include "client/filemanager/fileicons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QVector>

#include "core/filetype.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

struct IconEntry {
    int index;
    const char16_t* exts;
};

constexpr IconEntry kFileIcons[] = {
    {1, u"bak,txt"}, {2, u"htm,html,shtml,xml"}, {3, u"mht"}, {4, u"doc,docx"},
    {5, u"xls,xlsx"}, {6, u"ppt,pptx"}, {7, u"wps"}, {8, u"et"}, {9, u"dps"}, {10, u"pdf"},
    {11, u"pas"}, {12, u"dfm"}, {13, u"7z,rar"}, {14, u"zip"}, {15, u"bas,vb"}, {16, u"php"},
    {17, u"h"}, {18, u"c"}, {19, u"js"}, {20, u"css"}, {21, u"cpp"}, {22, u"asp"}, {23, u"cs"},
    {24, u"aspx"}, {25, u"java"}, {26, u"vsd,vsdx"}, {27, u"bmp,dib,rle"}, {28, u"gif"},
    {29, u"jpeg,jpg"}, {30, u"png"}, {31, u"tif,tiff"}, {32, u"cel,pic"},
    {33, u"icb,tga,vda,vst,win"}, {34, u"src"}, {35, u"pcc,pcx"}, {36, u"pcd"},
    {37, u"pbm,pgm,ppm"}, {38, u"cut,pal"}, {39, u"ral,rpf"}, {40, u"pdd,psd,psp"}, {41, u"flv"},
    {42, u"exe"}, {43, u"dll,ocx"}, {44, u"pcb"}, {45, u"prt"}, {46, u"ai"}, {47, u"eps"},
    {48, u"cdr"}, {49, u"dwg,dxf"}, {50, u"chm"}, {51, u"ked"}, {52, u"mp3"}, {53, u"mp4"},
    {54, u"avi"}, {55, u"mpeg"}, {56, u"mpg"}, {57, u"rm,rmvb,mp2v"},
    {58, u"au,mid,rmi,snd,wav,wma"}, {59, u"exb"}, {60, u"eml"}};

constexpr IconEntry kKindIcons[] = {
    {2, u"bak,txt"}, {3, u"htm,html,shtml,xml"}, {4, u"doc,docx"}, {5, u"xls,xlsx"},
    {6, u"ppt,pptx"}, {7, u"vsd,vsdx"}, {8, u"pdf"}, {9, u"pas"}, {10, u"bas,vb"}, {11, u"cs"},
    {12, u"aspx"}, {13, u"asp"}, {14, u"java"}, {15, u"h"}, {16, u"c"}, {17, u"cpp"},
    {18, u"php"}, {19, u"js"}, {20, u"css"}, {21, u"bmp"}, {22, u"gif"}, {23, u"jpg"},
    {24, u"rar"}, {25, u"zip"}};

template <std::size_t N>
QHash<std::int32_t, int> codeMap(const IconEntry (&entries)[N]) {
    QHash<std::int32_t, int> map;
    for (const IconEntry& entry : entries)
        for (const QString& ext : QString::fromUtf16(entry.exts).split(u','))
            map.insert(FileExtToCode(ext), entry.index);
    return map;
}

template <std::size_t N>
QString labelOf(const IconEntry (&entries)[N], int index) {
    for (const IconEntry& entry : entries)
        if (entry.index == index) return QString::fromUtf16(entry.exts).section(u',', 0, 0);
    return QString();
}

QColor colourOf(const QString& label) {
    static const QHash<QString, QColor> colours = {
        {u"doc"_s, QColor(0x2b, 0x57, 0x9a)}, {u"xls"_s, QColor(0x21, 0x73, 0x46)},
        {u"ppt"_s, QColor(0xd2, 0x47, 0x26)}, {u"pdf"_s, QColor(0xc0, 0x1e, 0x1e)},
        {u"dwg"_s, QColor(0x8e, 0x44, 0xad)}, {u"zip"_s, QColor(0x9a, 0x7d, 0x0a)},
        {u"rar"_s, QColor(0x9a, 0x7d, 0x0a)}, {u"7z"_s, QColor(0x9a, 0x7d, 0x0a)}};
    return colours.value(label, QColor(0x5d, 0x6d, 0x7e));
}

QPixmap canvas() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon documentIcon(const QString& label) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(Qt::white);
    p.drawRect(2, 0, 11, 15);
    p.fillRect(3, 8, 10, 7, label.isEmpty() ? QColor(0xb0, 0xb0, 0xb0) : colourOf(label));
    QFont font = p.font();
    font.setPixelSize(6);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(2, 8, 12, 7), Qt::AlignCenter, label.left(3).toUpper());
    return QIcon(pixmap);
}

QIcon folderIcon(bool open, bool pending) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setPen(QColor(0xb0, 0x8a, 0x1e));
    p.setBrush(QColor(0xf4, 0xc4, 0x42));
    p.drawRect(1, 2, 6, 3);
    p.setBrush(open ? QColor(0xfb, 0xdc, 0x7a) : QColor(0xf4, 0xc4, 0x42));
    p.drawRect(1, 4, 14, 10);
    if (pending) p.fillRect(11, 10, 4, 4, QColor(0x2e, 0x86, 0xde));
    return QIcon(pixmap);
}

QIcon personIcon(const QColor& colour, int heads) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < heads; ++i) {
        const int x = heads == 1 ? 4 : i * 7;
        p.drawEllipse(x + 1, 2, 6, 6);
        p.drawRoundedRect(x, 9, 8, 6, 3, 3);
    }
    return QIcon(pixmap);
}

QIcon arrowIcon(bool up) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x40, 0x40));
    const QPolygon tri = up ? QPolygon({QPoint(4, 11), QPoint(12, 11), QPoint(8, 5)})
                            : QPolygon({QPoint(4, 5), QPoint(12, 5), QPoint(8, 11)});
    p.drawPolygon(tri);
    return QIcon(pixmap);
}

QIcon backIcon() {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2e, 0x86, 0xde), 2));
    p.drawLine(3, 8, 13, 8);
    p.drawLine(3, 8, 7, 4);
    p.drawLine(3, 8, 7, 12);
    return QIcon(pixmap);
}

}  // namespace

int GetFileIconIndex(const QString& fileName) {
    static const QHash<std::int32_t, int> map = codeMap(kFileIcons);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0) return 0;
    return map.value(FileExtToCode(fileName.mid(dot + 1)), 0);
}

int KindIconIndex(std::int32_t kind) {
    static const QHash<std::int32_t, int> map = codeMap(kKindIcons);
    return map.value(kind, 26);
}

QIcon FileListIcon(int index) {
    if (index == kFolderImage) return folderIcon(false, false);
    if (index == kSortDownImage || index == kSortUpImage) return arrowIcon(index == kSortUpImage);
    return documentIcon(labelOf(kFileIcons, index));
}

QIcon KindListIcon(int index) {
    if (index <= 1) return arrowIcon(index == 1);
    return documentIcon(labelOf(kKindIcons, index));
}

QIcon TreeIcon(int index) {
    switch (index) {
        case 0: return folderIcon(true, false);
        case 2: return personIcon(QColor(0x27, 0xae, 0x60), 1);
        case 3: return personIcon(QColor(0x2e, 0x86, 0xde), 1);
        case 4: return personIcon(QColor(0xe6, 0x7e, 0x22), 2);
        case 5: return backIcon();
        case 6: return folderIcon(false, true);
        default: return folderIcon(false, false);
    }
}

}  // namespace ov
