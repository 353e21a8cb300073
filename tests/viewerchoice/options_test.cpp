// The document options of a preview.

#include <gtest/gtest.h>

#include "documents/viewerchoice/options.h"

using namespace Qt::StringLiterals;

namespace ov {
namespace {

TEST(DocumentOptionsTest, HashPsEndsAtTheNextComma) {
    const std::vector<std::pair<QString, QString>> cases = {
        {u"HashPs=abc,CanPrint=True"_s, u"abc"_s},
        {u"Readonly=True,HashPs=x=y,"_s, u"x=y"_s},
        {u"HashPs=,CanPrint=True"_s, QString()},
        {u"Readonly=False,HashPs=abc"_s, QString()},  // no comma after it
        {u"hashps=abc,"_s, QString()},                // case counts
        {QString(), QString()},
    };
    for (const auto& [options, expected] : cases)
        EXPECT_EQ(GetHashPs(options), expected) << options.toStdString();
}

TEST(DocumentOptionsTest, Restrictions) {
    struct Case {
        QString options;
        bool readonly, canPrint, checkVirtual, selectPrinter, ctrlC;
    };
    const std::vector<Case> cases = {
        {QString(), true, false, true, false, false},
        {u"Readonly=False"_s, false, false, true, true, false},
        {u"Readonly=True,CanPrint=True,SelectPrinter=True"_s, true, true, true, true, false},
        {u"CheckVirtualPrint=False,CtrlC=True"_s, true, false, false, false, true},
        {u"readonly=false,canprint=true,ctrlc=true"_s, true, false, true, false, false},
    };
    for (const Case& c : cases) {
        const DocumentOptions o = DocumentOptions::parse(c.options);
        const std::string name = c.options.toStdString();
        EXPECT_EQ(o.readonly, c.readonly) << name;
        EXPECT_EQ(o.canPrint, c.canPrint) << name;
        EXPECT_EQ(o.checkVirtualPrint, c.checkVirtual) << name;
        EXPECT_EQ(o.selectPrinter, c.selectPrinter) << name;
        EXPECT_EQ(o.allowCtrlC, c.ctrlC) << name;
    }
}

}  // namespace
}  // namespace ov
