// Every endpoint as its caller in the desktop program or the control reads it.

#include "fixture.h"

#include "core/cipher.h"
#include "core/powers.h"
#include "core/tagtext.h"

#include <QImage>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

using EndpointTest = DocHttpTest;

const QString Demo = QString::number(demo::DemoUser);

TEST_P(EndpointTest, AccountTextsAnswerKnownUsersOnly) {
    for (const QString& path : {u"/user?opr=sc&userid="_s, u"/linkX?opr=clientconfig&userid="_s}) {
        EXPECT_EQ(get(path + Demo).status, 200) << path.toStdString();
        EXPECT_EQ(get(path + QString::number(demo::DisabledUser)).status, 403);
        EXPECT_EQ(get(path + u"999999"_s).status, 403);
        EXPECT_EQ(get(path + u"x"_s).status, 403);
    }
    EXPECT_EQ(get(u"/user?userid="_s + Demo).status, 400);
    // The levels as the main window splits them: items at ";", fields at ",".
    const QStringList items = get(u"/user?opr=sc&userid="_s + Demo).text().split(u';');
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0].split(u','), (QStringList{u"1"_s, u"公开"_s, u"Public"_s}));
    const HttpReply config = get(u"/linkX?opr=clientconfig&userid="_s + Demo);
    EXPECT_EQ(ReadTagValue(config.text(), u"VersionRemark"_s), u"1"_s);
}

TEST_P(EndpointTest, PicturesAreWhatTheirNamesSay) {
    const struct {
        const char* path;
        const char* type;
        QSize size;
    } pictures[] = {{"/static/clientLogo2.png", "image/png", {50, 50}},
                    {"/static/clientLogo_ENG2.png", "image/png", {50, 50}},
                    {"/static/watermark.bmp", "image/bmp", {120, 40}}};
    for (const auto& p : pictures) {
        const HttpReply reply = get(QString::fromLatin1(p.path));
        EXPECT_EQ(reply.header("Content-Type"), p.type);
        const QImage image = QImage::fromData(reply.body);
        EXPECT_EQ(image.size(), p.size) << p.path;
    }
    EXPECT_NE(get(u"/static/clientLogo2.png"_s).body, get(u"/static/clientLogo_ENG2.png"_s).body);
    const QImage mark = QImage::fromData(get(u"/static/watermark.bmp"_s).body);
    EXPECT_EQ(mark.depth(), 32);                        // loaded from 24 bits
    EXPECT_EQ(mark.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);  // the transparent colour
}

TEST_P(EndpointTest, HomePageLinksStartThePreviewOfEachVisibleFile) {
    EXPECT_EQ(get(u"/index?opr=fromclient&sn=0123ABCD"_s).status, 403);
    EXPECT_EQ(get(u"/index?opr=fromclient&sn="_s + ClientToken(u"unknown"_s)).status, 403);
    const QString disabled =
        inModel([](DocModel& m) { return m.users.at(demo::DisabledUser).token; });
    EXPECT_EQ(get(u"/index?opr=fromclient&sn="_s + ClientToken(disabled)).status, 403);
    const HttpReply page = get(u"/index?opr=fromclient&sn="_s + ClientToken(demo::DemoToken()));
    ASSERT_EQ(page.status, 200);
    EXPECT_TRUE(page.text().contains(u"齿轮箱.dwg"_s));
    EXPECT_FALSE(page.text().contains(u"价格表.xls"_s));  // a group the user is not in

    // Take the gearbox's link apart the way the desktop program reads its argument.
    const QString html = page.text();
    const qsizetype start = html.indexOf(u"OvClient://"_s, html.indexOf(u"齿轮箱.dwg"_s));
    QString link = html.mid(start, html.indexOf(u'"', start) - start);
    link.replace(u"&amp;"_s, u"&"_s);
    ASSERT_TRUE(link.endsWith(u'/'));
    link.chop(1);
    link = ReplaceAllText(ReplaceAllText(link, u"OvClient://"_s, QString()), u"%20"_s, u" "_s);
    const QStringList tokens = link.split(u' ');
    ASSERT_EQ(tokens.size(), 6);
    EXPECT_EQ(tokens[0], u"-s"_s);
    EXPECT_EQ(tokens[1],
              u"127.0.0.1#"_s + QString::number(server.port()) + (GetParam() ? u"#1"_s : u"#0"_s));
    const QString identity = DecryptString(tokens[3], 1);
    EXPECT_EQ(ReadTagValue(identity, u"UserId"_s), demo::DemoToken());
    EXPECT_EQ(ReadTagValue(identity, u"UserId2"_s), Demo);
    EXPECT_EQ(ReadTagValue(tokens[5], u"code"_s), u"13"_s);
    const QString cmd = ReadTagValue(tokens[5], u"cmd"_s).replace(u"##"_s, u" "_s);
    const QString decoded = QString::fromUtf8(QByteArray::fromPercentEncoding(cmd.toLatin1()));
    EXPECT_EQ(ReadTagValue(decoded, u"filekey"_s), QString::number(demo::GearboxFile));
    EXPECT_EQ(ReadTagValue(decoded, u"filename"_s), u"齿轮箱.dwg"_s);
    EXPECT_EQ(ReadTagValue(decoded, u"filever"_s), u"-1"_s);
}

TEST_P(EndpointTest, PreviewPageNeedsTokenAndAccess) {
    const QString sn = ClientToken(demo::DemoToken());
    const auto open = [&](std::int64_t key, const QString& token) {
        return get(u"/previewopen?st=c&extopr=core&filekey="_s + QString::number(key) + u"&uid="_s +
                   token + u"&c=2"_s);
    };
    const HttpReply page = open(demo::ManualFile, sn);
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.text().contains(u"装配说明.docx"_s));
    EXPECT_EQ(open(demo::PriceFile, sn).status, 403);
    EXPECT_EQ(open(999, sn).status, 404);
    EXPECT_EQ(open(demo::ManualFile, demo::DemoToken()).status, 403);  // not a page token
}

TEST_P(EndpointTest, PasswordChangeChecksTheOldPassword) {
    const auto change = [&](const QString& oldPs, const QString& newPs) {
        const QString request = u"[OldPs]"_s + oldPs + u"[/OldPs][NewPs]"_s + newPs + u"[/Newps]"_s;
        const QString ps = EncryptStringByKey(request, Demo + FixedCipherKey(), 3);
        return get(u"/modifypass?opr=clientmps&userid="_s + Demo + u"&ps="_s + ps).text();
    };
    EXPECT_NE(change(u"wrong"_s, u"secret9"_s), u"ok"_s);
    EXPECT_NE(change(demo::DemoPassword(), u"abc"_s), u"ok"_s);
    EXPECT_EQ(change(demo::DemoPassword(), u"secret9"_s), u"ok"_s);
    EXPECT_EQ(inModel([](DocModel& m) { return m.users.at(demo::DemoUser).password; }),
              u"secret9"_s);
    EXPECT_NE(change(demo::DemoPassword(), u"again1"_s), u"ok"_s);
    // Enciphered with the fixed key alone (not the user's): not a request.
    const QString foreign = EncryptString(u"[OldPs]secret9[/OldPs][NewPs]x1234[/NewPs]"_s, 3);
    EXPECT_EQ(get(u"/modifypass?opr=clientmps&userid="_s + Demo + u"&ps="_s + foreign).text(),
              u"Invalid request"_s);
    EXPECT_EQ(inModel([](DocModel& m) { return m.users.at(demo::DemoUser).password; }),
              u"secret9"_s);
}

TEST_P(EndpointTest, FolderAddAndRename) {
    const QString sn = ClientToken(demo::DemoToken());
    const auto add = [&](std::int32_t owner, std::int64_t father, const QString& name,
                         const QString& token) {
        return get(u"/folderadd?opr=new&st=c&uid="_s + token + u"&ownerid="_s +
                   QString::number(owner) + u"&fatherid="_s + QString::number(father) +
                   u"&foldername="_s + Encoded(name) + u"&rnd=42"_s)
            .text();
    };
    bool ok = false;
    const std::int64_t id =
        add(demo::DesignGroup, demo::MechanicsFolder, u"新 图纸+2"_s, sn).toLongLong(&ok);
    ASSERT_TRUE(ok && id > 0);
    const auto folder = [&](std::int64_t key) {
        return inModel([&](DocModel& m) { return m.folder(key) ? *m.folder(key) : DocFolder{}; });
    };
    EXPECT_EQ(folder(id).name, u"新 图纸+2"_s);
    EXPECT_EQ(folder(id).parentId, demo::MechanicsFolder);

    const struct {
        const char* name;
        QString reply;
    } refused[] = {
        {"same name", add(demo::DesignGroup, demo::MechanicsFolder, u"新 图纸+2"_s, sn)},
        {"slash", add(demo::DesignGroup, demo::MechanicsFolder, u"a/b"_s, sn)},
        {"dots", add(demo::DesignGroup, demo::MechanicsFolder, u".."_s, sn)},
        {"empty", add(demo::DesignGroup, demo::MechanicsFolder, u"  "_s, sn)},
        {"other group", add(demo::SalesGroup, demo::SalesFolder, u"x"_s, sn)},
        {"father of another owner", add(demo::DesignGroup, demo::MyDocsFolder, u"x"_s, sn)},
        {"bad token", add(demo::DesignGroup, demo::MechanicsFolder, u"x"_s, u"00FF"_s)},
    };
    for (const auto& r : refused) {
        r.reply.toLongLong(&ok);
        EXPECT_FALSE(ok) << r.name << ": " << r.reply.toStdString();
        EXPECT_FALSE(r.reply.isEmpty()) << r.name;
    }

    const auto rename = [&](std::int32_t owner, std::int64_t folder, const QString& name) {
        return get(u"/folderrename?opr=rename&st=c&uid="_s + sn + u"&ownerid="_s +
                   QString::number(owner) + u"&folderid="_s + QString::number(folder) +
                   u"&foldername="_s + Encoded(name) + u"&rnd=7"_s)
            .text();
    };
    EXPECT_EQ(rename(demo::DesignGroup, id, u"新名称"_s), u"ok"_s);
    EXPECT_EQ(folder(id).name, u"新名称"_s);
    EXPECT_NE(rename(demo::DesignGroup, demo::ElectricsFolder, u"机械"_s), u"ok"_s);  // sibling
    EXPECT_NE(rename(demo::SalesGroup, demo::SalesFolder, u"x"_s), u"ok"_s);
    EXPECT_NE(rename(demo::SalesGroup, id, u"x"_s), u"ok"_s);  // not that owner's folder
    EXPECT_EQ(folder(demo::SalesFolder).name, u"报价"_s);
}

TEST_P(EndpointTest, PropertyPageCarriesTheScriptsTheDialogCalls) {
    const HttpReply page = get(u"/getPrtHtm?opr=page"_s);
    ASSERT_EQ(page.status, 200);
    for (const QString& part :
         {u"function checkFilePrt()"_s, u"function fillProperty()"_s, u"id=\"isOK\""_s,
          u"id=\"filePrt\""_s, u"name=\"FilePrt3\""_s, u"h_FilePrt"_s})
        EXPECT_TRUE(page.text().contains(part)) << part.toStdString();
    EXPECT_EQ(get(u"/doc"_s).status, 200);
}

TEST_P(EndpointTest, PowersFollowTheUsersAccess) {
    const auto powers = [&](std::int64_t key, const QString& token) {
        return get(u"/getPower?filekey="_s + QString::number(key) + u"&uid="_s + token);
    };
    const HttpReply own = powers(demo::ManualFile, demo::DemoToken());
    ASSERT_EQ(own.status, 200);
    EXPECT_TRUE(ParseMemberPowers(own.text()).test(34));  // the download right
    const HttpReply foreign = powers(demo::PriceFile, demo::DemoToken());
    EXPECT_EQ(foreign.status, 200);
    EXPECT_TRUE(ParseMemberPowers(foreign.text()).none());
    EXPECT_EQ(powers(demo::ManualFile, u""_s).status, 403);
    EXPECT_EQ(powers(demo::ManualFile, ClientToken(demo::DemoToken())).status, 403);
    EXPECT_EQ(powers(424242, demo::DemoToken()).status, 404);
}

TEST_P(EndpointTest, RelatedFilesListKeysAndNames) {
    const HttpReply related =
        get(u"/getrelatedfiles?filekey="_s + QString::number(demo::GearboxFile));
    EXPECT_EQ(related.text(), QString::number(demo::ManualFile) + u"=装配说明.docx"_s);
    inModel([](DocModel& m) { return m.files.at(demo::ManualFile).deleted = true; });
    EXPECT_EQ(get(u"/getrelatedfiles?filekey="_s + QString::number(demo::GearboxFile)).text(),
              QString());
    EXPECT_EQ(get(u"/getrelatedfiles?filekey=abc"_s).status, 200);
}

TEST_P(EndpointTest, PageImagesAreJpegWithTheirDensity) {
    const auto image = [&](std::int64_t key, const QString& ver, const QString& index,
                           const QString& token) {
        return get(u"/getjpg?filekey="_s + QString::number(key) + u"&ver="_s + ver + u"&uid="_s +
                   token + u"&imageindex="_s + index);
    };
    const HttpReply page = image(demo::ManualFile, u"-1"_s, u"1"_s, demo::DemoToken());
    ASSERT_EQ(page.status, 200);
    EXPECT_EQ(page.header("Content-Type"), "image/jpeg");
    ASSERT_GT(page.body.size(), 16);
    EXPECT_TRUE(page.body.startsWith("\xFF\xD8\xFF\xE0"));
    // The printing dialog reads the density from bytes 14 and 15.
    EXPECT_EQ(std::max(quint8(page.body[14]), quint8(page.body[15])), 96);
    EXPECT_TRUE(page.body.endsWith("\xFF\xD9"));

    const struct {
        const char* name;
        HttpReply reply;
        int status;
    } cases[] = {
        {"current version", image(demo::ManualFile, u"1"_s, u"0"_s, demo::DemoToken()), 200},
        {"future version", image(demo::ManualFile, u"2"_s, u"0"_s, demo::DemoToken()), 404},
        {"index beyond", image(demo::ManualFile, u"1"_s, u"3"_s, demo::DemoToken()), 404},
        {"index not a number", image(demo::ManualFile, u"1"_s, u"a"_s, demo::DemoToken()), 400},
        {"foreign file", image(demo::PriceFile, u"1"_s, u"0"_s, demo::DemoToken()), 403},
        {"no token", image(demo::ManualFile, u"1"_s, u"0"_s, QString()), 403},
        {"disabled user's token", image(demo::ManualFile, u"1"_s, u"0"_s, inModel([](DocModel& m) {
                                            return m.users.at(demo::DisabledUser).token;
                                        })),
         403},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.reply.status, c.status) << c.name;
}

TEST_P(EndpointTest, HomePageLinksUseTheHostTheBrowserNamedWhenItIsPlain) {
    const QByteArray target =
        "/index?opr=fromclient&sn=" + ClientToken(demo::DemoToken()).toLatin1();
    const auto linkHost = [&](const QByteArray& host) {
        const QString html =
            raw("GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\n\r\n").text();
        const qsizetype start = html.indexOf(u"-s%20"_s) + 5;
        return html.mid(start, html.indexOf(u'#', start) - start);
    };
    EXPECT_EQ(linkHost("docs.example:8080"), u"docs.example"_s);
    EXPECT_EQ(linkHost("bad host%20-r"), u"127.0.0.1"_s);
    EXPECT_EQ(linkHost("a#b"), u"127.0.0.1"_s);
}

INSTANTIATE_TEST_SUITE_P(Transports, EndpointTest, ::testing::Bool(), TlsName);

}  // namespace

}  // namespace ov::test
