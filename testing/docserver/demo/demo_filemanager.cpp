// Demo content for trying the file manager: deeper folders with Chinese names below the design
// group's drawings (so that levels load as they are opened) and a colleague who is online.

#include "testing/docserver/codec/datetime.h"
#include "testing/docserver/demo.h"

using namespace Qt::StringLiterals;

namespace ov::test::demo {

void LoadFileManagerDemo(DocModel& model) {
    const TDateTime day = 46001.4;  // 2025-12-10 09:36
    model.addFolder(AssemblyFolder, DesignGroup, MechanicsFolder, u"总装"_s);
    model.addFolder(AssemblyPartsFolder, DesignGroup, AssemblyFolder, u"零件图"_s);
    model.addFolder(CabinetFolder, DesignGroup, ElectricsFolder, u"控制柜"_s);
    model.addFile(AssemblyPlanFile, AssemblyFolder, u"进度计划.mpp"_s, 52000, day);
    model.addFile(AssemblyNotesFile, AssemblyFolder, u"会议纪要 & 说明.txt"_s, 900, day + 0.1);
    model.addFile(AssemblyNotesFile + 1, AssemblyPartsFolder, u"轴承座.dwg"_s, 130000, day + 0.2);
    model.addFile(AssemblyNotesFile + 2, CabinetFolder, u"接线图.pdf"_s, 76000, day + 0.3);
    model.users.at(OtherUser).lastLogin = wire::nowLocal();  // online while the demo starts
}

}  // namespace ov::test::demo
