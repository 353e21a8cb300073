#include "documents/drawings/drawingtexts.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

DrawingTexts visio(bool cn) {
    if (cn) return {u"需要本地安装 Microsoft Office Visio 2003以上版本"_s, u"正在加载Visio, 请等待"_s, {}};
    return {u"Requires local installation of Microsoft Office Visio 2003 or later"_s,
            u"Loading Visio, please wait"_s,
            {}};
}

DrawingTexts project(bool cn) {
    if (cn) return {u"需要本地安装 Microsoft Office Project 2003以上版本"_s, u"正在加载 Project, 请等待"_s, {}};
    return {u"Local installation of Microsoft Office Project 2003 or later"_s,
            u"Loading Project, please wait"_s,
            {}};
}

DrawingTexts corelDraw(bool cn) {
    if (cn) return {u"需要本地安装 CorelDRAW"_s, u"正在加载CorelDRAW, 请等待"_s, u"Cdr文件预览"_s};
    return {u"Require local installation CorelDRAW "_s, u"Loading CorelDRAW, please wait"_s,
            u"Cdr File Preview"_s};
}

}  // namespace

DrawingTexts drawingTexts(DrawingKind kind, THS_Language language) {
    const bool cn = language == HSL_CN;
    switch (kind) {
        case DrawingKind::Visio:
            return visio(cn);
        case DrawingKind::Project:
            return project(cn);
        case DrawingKind::CorelDraw:
            return corelDraw(cn);
    }
    return {};
}

}  // namespace ov
