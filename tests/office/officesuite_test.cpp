#include "platform/officesuite.h"

#include "officetestsupport.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using ov::platform::findOfficeSuite;
using ov::platform::findOfficeSuites;
using ov::platform::OfficeKind;
using ov::platform::OfficeSearchPaths;
using ov::platform::OfficeSuite;

namespace {

// A made-up installation tree: files are written with the given text, "+x" marks programs.
class FakeTree {
public:
    void file(const QString& relative, const QByteArray& text = {}, bool program = false) {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
        out.close();
        if (program) out.setPermissions(out.permissions() | QFileDevice::ExeOwner);
    }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    OfficeSearchPaths where() const {
        OfficeSearchPaths paths;
        paths.libreOffice = {path(u"missing/program"_s), path(u"lo/program"_s)};
        paths.wps = {path(u"wps/office6"_s)};
        paths.packageStatus = path(u"status"_s);
        paths.systemPython = path(u"python3"_s);
        return paths;
    }

private:
    QTemporaryDir m_dir;
};

TEST(OfficeSuiteTest, FindsLibreOfficeWithItsApplicationsVersionAndBridge) {
    FakeTree tree;
    tree.file(u"lo/program/soffice"_s, "#!/bin/sh\n", true);
    tree.file(u"lo/program/bootstraprc"_s,
              "[Bootstrap]\nInstallMode=x\nProductKey=LibreOffice 7.4\n");
    tree.file(u"lo/program/pythonloader.py"_s);
    tree.file(u"lo/share/registry/writer.xcd"_s);
    tree.file(u"lo/share/registry/impress.xcd"_s);
    tree.file(u"python3"_s, "#!/bin/sh\n", true);

    const auto office = findOfficeSuite(OfficeSuite::LibreOffice, tree.where());
    ASSERT_TRUE(office);
    EXPECT_EQ(office->folder, tree.path(u"lo/program/"_s));
    EXPECT_EQ(office->program, tree.path(u"lo/program/soffice"_s));
    EXPECT_EQ(office->version, QVersionNumber(7, 4));
    EXPECT_TRUE(office->serves(OfficeKind::Word));
    EXPECT_FALSE(office->serves(OfficeKind::Excel));
    EXPECT_TRUE(office->serves(OfficeKind::PowerPoint));
    EXPECT_EQ(office->python, tree.path(u"python3"_s));
}

TEST(OfficeSuiteTest, NeedsTheProgramAndReportsAMissingBridge) {
    FakeTree tree;
    tree.file(u"lo/program/soffice"_s);  // not a program
    EXPECT_FALSE(findOfficeSuite(OfficeSuite::LibreOffice, tree.where()));
    EXPECT_TRUE(findOfficeSuites(tree.where()).empty());

    tree.file(u"lo/program/soffice"_s, "#!/bin/sh\n", true);  // now one, without the bridge
    const auto office = findOfficeSuite(OfficeSuite::LibreOffice, tree.where());
    ASSERT_TRUE(office);
    EXPECT_TRUE(office->python.isEmpty());
    EXPECT_TRUE(office->version.isNull());
}

// The version comes from the package database, epoch and Debian revision stripped, and
// compares as numbers (10.1 after 9.1, where text order says otherwise).
TEST(OfficeSuiteTest, FindsWpsWithItsPackageVersion) {
    FakeTree tree;
    tree.file(u"wps/office6/wps"_s, {}, true);
    tree.file(u"wps/office6/et"_s, {}, true);
    tree.file(u"status"_s,
              "Package: wps-office-fonts\nVersion: 9.1.0.1\n\n"
              "Package: wps-office\nStatus: install ok installed\nVersion: 1:10.1.0.7698-2\n\n");

    const auto suites = findOfficeSuites(tree.where());
    ASSERT_EQ(suites.size(), 1u);
    const auto& wps = suites.front();
    EXPECT_EQ(wps.suite, OfficeSuite::Wps);
    EXPECT_EQ(wps.version, QVersionNumber({10, 1, 0, 7698}));
    EXPECT_GT(wps.version, QVersionNumber(9, 1));
    EXPECT_TRUE(wps.serves(OfficeKind::Word));
    EXPECT_TRUE(wps.serves(OfficeKind::Excel));
    EXPECT_FALSE(wps.serves(OfficeKind::PowerPoint));
}

// What the install script puts on every developer's and CI's machine.
TEST(OfficeSuiteTest, TheMachinesLibreOfficeServesAllThreeKinds) {
    const auto office = ov::test::realLibreOffice();
    ASSERT_TRUE(office) << "LibreOffice is missing: run scripts/install-deps";
    EXPECT_GE(office->version, QVersionNumber(7));
    EXPECT_TRUE(office->word && office->excel && office->powerPoint);
    EXPECT_FALSE(office->python.isEmpty());
}

}  // namespace
