#include "documents/pdf/pdfpreviewtexts.h"

#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace ov::pdftexts {

namespace {

QString pick(THS_Language language, const QString& chinese, const QString& english) {
    return language == HSL_CN ? chinese : english;
}

}  // namespace

QString readerMissing(THS_Language language) {
    return pick(language, u"需要本地安装Adobe Reader 5以上版本，或者福昕6.0以上阅读器！"_s,
                u"Need to install Adobe Reader 5 or later!"_s);
}

QString hintCaption(THS_Language language) {
    return pick(language, u"提示"_s, u"Hint"_s);
}

QString virtualPrinter(THS_Language language) {
    return pick(language, u"本机存在虚拟打印机，系统禁止打印此文档！"_s,
                u"Print function is forbidden because there is virtual printer in the local "
                u"computer."_s);
}

void showVirtualPrinterMessage(QWidget* parent, THS_Language language) {
    QMessageBox box(QMessageBox::Critical, hintCaption(language), virtualPrinter(language),
                    QMessageBox::Ok, parent);
    box.exec();
}

QString sursenCaption() {
    return u"提示"_s;
}

QString sursenMissing() {
    return u"需要本地安装书生阅读器(SursenReader)7.2以上版本"_s;
}

QString sursenLoading() {
    return u"正在加载文件, 请稍等..."_s;
}

QString pageLabelBefore(THS_Language language) {
    return pick(language, u"第"_s, u"Page"_s);
}

QString pageLabelAfter(THS_Language language) {
    return pick(language, u"页"_s, QString());
}

QString pageLabelAfter(THS_Language language, int pageCount) {
    return pick(language, u"页 / 共%1页"_s, u"/ %1"_s).arg(pageCount);
}

QString formFontFamily(THS_Language language) {
    return pick(language, u"宋体"_s, u"Tahoma"_s);
}

}  // namespace ov::pdftexts
