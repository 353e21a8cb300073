#include "testing/docserver/demo.h"
#include "testing/docserver/demoprograms.h"


using namespace Qt::StringLiterals;

namespace ov::test::demo {

QString DemoLogin() {
    return u"demo"_s;
}

QString DemoPassword() {
    return u"demo123"_s;
}

QString DemoToken() {
    return u"7D1A52C0E93B4F6A8D2E11F0C3B5A9E4"_s;
}

QString OtherToken() {
    return u"0B9E44D17A3C46E2B58F90D6E1A2C7F3"_s;
}

namespace {

void LoadPeople(DocModel& model) {
    DocUser& demo =
        model.addUser(DemoUser, DemoLogin(), DemoPassword(), DemoToken(), u"演示用户"_s);
    demo.email = u"demo@example.com"_s;
    demo.coreId = u"D001"_s;
    model.addUser(OtherUser, u"zhang"_s, u"zhang123"_s, OtherToken(), u"张三"_s).email =
        u"zhang@example.com"_s;
    model
        .addUser(DisabledUser, u"li"_s, u"li123"_s, u"5C3E0A9B7D2F41E8A6B4C1D0E9F87A62"_s,
                 u"李四"_s)
        .disabled = true;
    model.addGroup(RootGroup, 0, u"总公司"_s);
    model.addGroup(DesignGroup, RootGroup, u"设计部"_s, {DemoUser, OtherUser});
    model.addGroup(SalesGroup, RootGroup, u"市场部"_s, {DisabledUser});
}

void LoadDocuments(DocModel& model) {
    const TDateTime day = 46000.5;  // 2025-12-09 12:00
    model.addFolder(DrawingsFolder, DesignGroup, 0, u"设计图纸"_s).desc = u"全部图纸"_s;
    model.addFolder(MechanicsFolder, DesignGroup, DrawingsFolder, u"机械"_s);
    model.addFolder(ElectricsFolder, DesignGroup, DrawingsFolder, u"电气"_s);
    model.addFolder(MyDocsFolder, DemoUser, 0, u"我的文档"_s);
    model.addFolder(SalesFolder, SalesGroup, 0, u"报价"_s);
    model.addFile(GearboxFile, MechanicsFolder, u"齿轮箱.dwg"_s, 204800, day).desc =
        u"齿轮箱总图"_s;
    model.addFile(ManualFile, MechanicsFolder, u"装配说明.docx"_s, 1024, day + 1);
    model.addFile(ReportFile, MyDocsFolder, u"周报.xlsx"_s, 1, day + 2);
    model.addFile(PriceFile, SalesFolder, u"价格表.xls"_s, 4096, day + 3);
    // OvClient's update: a small program of this build's version, so a freshly built OvClient
    // is replaced only when a test or a person raises the version the server reports.
    model.rules.clientVersion = QString::fromLatin1(BuildVersion());
    model.rules.clientFile = DemoProgram(BuildVersion());
}

}  // namespace

void LoadDemo(DocModel& model) {
    std::lock_guard lock(model.mutex);
    LoadPeople(model);
    LoadDocuments(model);
    LoadOfficeDemo(model);
    LoadPreviewerDemo(model);
}

}  // namespace ov::test::demo
