// The main window against the test server over loopback, plain and under TLS: the fetches after
// a login, the user-message poll and the home page's one-time token.

#include <gtest/gtest.h>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>

#include "client/mainwindow/mainwindow.h"
#include "client/mainwindow/messagepoll.h"
#include "client/mainwindow/serverconfig.h"
#include "client/mainwindow/servertexts.h"
#include "core/datetime.h"
#include "core/globalconfig.h"
#include "core/headinfo.h"
#include "core/httpclient.h"
#include "platform/adapters.h"
#include "support/temphome.h"
#include "testapp.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/httpside.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::test;

namespace {

// A fetch over TLS takes seconds under AddressSanitizer on a loaded machine; the bound only
// ends a test that would otherwise hang.
template <typename Done>
bool waitFor(Done done, int ms = 60000) {
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        app().processEvents(QEventLoop::AllEvents, 10);
    return done();
}

void processEventsFor(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        app().processEvents(QEventLoop::AllEvents, 10);
}

class MainWindowServer : public ::testing::TestWithParam<bool> {
protected:
    MainWindowServer() : server(DocServer::Options{GetParam()}) {
        app();
        demo::LoadDemo(model);
        commands.install(server);
        http.install(server);
        platform::setAdapterSource([] {
            return std::optional<platform::AdapterList>(
                {{QByteArray("\x00\x1A\x2B\x3C\x4D\x5E", 6), {u"10.0.0.2"_s}}});
        });
        RenewGlobalConfig();
    }
    ~MainWindowServer() override {
        FreeGlobalConfig();
        platform::setAdapterSource({});
    }

    // The settings and the window as a login into the demo user leaves them.
    void logIn(TQUEXClientFrm& window, THS_Language language = HSL_CN) {
        const auto config = GlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetIsSSL(GetParam());
        config->SetEncryptUserID(demo::DemoToken());
        config->SetUserId(demo::DemoUser);
        config->SetSysLanguage(language);
        window.SetLoginServer(server.host(), server.port(), GetParam());
    }

    template <typename F>
    auto inModel(F f) {
        std::lock_guard lock(model.mutex);
        return f(model);
    }

    int requestsOf(TTranType code) const {
        int count = 0;
        for (const ControlRequest& request : server.requests())
            count += request.head.TranType == code;
        return count;
    }

    QStringList httpTargets() const {
        QStringList targets;
        for (const HttpRequest& request : http.requests())
            targets.append(QString::fromUtf8(request.target));
        return targets;
    }

    TempHome home;  // the TLS runs pin the test certificate here
    DocModel model;
    DocCommands commands{model};
    DocHttp http{model};
    DocServer server;
};

TEST_P(MainWindowServer, FetchesAfterLoginStoreLevelsConfigurationAndLogo) {
    for (const THS_Language language : {HSL_CN, HSL_ENG}) {
        GlobalConfig()->SetSysLanguage(language);
        GlobalConfig()->Save();
        RenewGlobalConfig();
        http.clearRequests();
        TQUEXClientFrm window;
        logIn(window, language);
        bool loaded = false;
        QObject::connect(&window, &TQUEXClientFrm::serverConfigLoaded, [&] { loaded = true; });
        window.LoadServerConfig(demo::DemoUser);
        ASSERT_TRUE(waitFor([&] { return loaded; }));

        const DocHttpContent content = http.content();
        const bool english = language == HSL_ENG;
        const QString user = QString::number(demo::DemoUser);
        EXPECT_EQ(httpTargets(), QStringList({u"/user?opr=sc&userid="_s + user,
                                              u"/linkX?opr=clientconfig&userid="_s + user,
                                              english ? u"/static/clientLogo_ENG2.png"_s
                                                      : u"/static/clientLogo2.png"_s}));
        const TScInfoArray levels = GlobalConfig()->ScInfos();
        ASSERT_EQ(levels.size(), 4);
        EXPECT_EQ(levels[3].SC, 4);
        EXPECT_EQ(levels[3].CnName, u"机密"_s);
        EXPECT_EQ(GlobalConfig()->FileExtInfo(), content.clientConfig);
        QFile logo(window.logoPath());
        ASSERT_TRUE(logo.open(QIODevice::ReadOnly));
        EXPECT_EQ(logo.readAll(), english ? content.logoEng : content.logoCn);
        EXPECT_FALSE(window.logo()->pixmap().isNull());
    }
}

// A login while the fetch for an earlier one is under way: what is stored is the later login's.
TEST_P(MainWindowServer, FetchForALaterLoginWins) {
    TQUEXClientFrm window;
    logIn(window);
    int loaded = 0;
    QObject::connect(&window, &TQUEXClientFrm::serverConfigLoaded, [&] { ++loaded; });
    window.LoadServerConfig(4242);  // refused: nothing would be stored
    window.LoadServerConfig(demo::DemoUser);
    ASSERT_TRUE(waitFor([&] { return loaded > 0; }));
    processEventsFor(100);
    EXPECT_EQ(loaded, 1);
    EXPECT_EQ(GlobalConfig()->ScInfos().size(), 4);
    EXPECT_EQ(httpTargets().last(), LogoUrlPath(window.Language()));
}

// Web commands and clipboard commands wait for the fetch after a login: what they open reads
// the security levels and the client configuration it stores.
TEST_P(MainWindowServer, CommandsWaitForTheFetchAfterLogin) {
    TQUEXClientFrm window;
    logIn(window);
    int dispatched = 0;
    QStringList tasks;
    window.Hooks().RunWebCmd = [&] { ++dispatched; };
    window.Hooks().BatchAppendTaskCmd = [&](const QString& cmd) { tasks << cmd; };
    window.SetLogin(true);
    const QString task = u"[TranStyle]2[/TranStyle][FF]2[/FF]"_s;
    QGuiApplication::clipboard()->setText(task);
    bool loaded = false;
    QObject::connect(&window, &TQUEXClientFrm::serverConfigLoaded, [&] { loaded = true; });

    server.setFault(Fault::Stall);
    window.LoadServerConfig(demo::DemoUser);
    window.TimerMsgTimer();
    EXPECT_EQ(dispatched, 0);
    EXPECT_TRUE(tasks.isEmpty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), task);

    server.stop();  // the fetch fails and ends
    ASSERT_TRUE(waitFor([&] { return loaded; }));
    window.TimerMsgTimer();
    EXPECT_EQ(dispatched, 1);
    EXPECT_EQ(tasks, QStringList{task});
}

// Each fetch stops at its first failure and keeps what was stored before; a logo that is no
// picture does not replace the one there is.
TEST_P(MainWindowServer, FailedFetchesKeepWhatWasThere) {
    const QByteArray oldLogo = http.content().logoEng;
    const struct {
        const char* name;
        int userId;
        QByteArray logo;
        bool levelsStored;
    } cases[] = {
        {"unknown user", 4242, http.content().logoCn, false},
        {"logo that is no picture", demo::DemoUser, "<html>busy</html>", true},
        {"no logo on the server", demo::DemoUser, QByteArray(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TQUEXClientFrm window;
        logIn(window);
        GlobalConfig()->SetScInfos({});
        GlobalConfig()->SetFileExtInfo(u"[old]1[/old]"_s);
        QFile old(window.logoPath());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(oldLogo);
        old.close();
        DocHttpContent content = http.content();
        content.logoCn = c.logo;
        http.setContent(content);

        bool loaded = false;
        QObject::connect(&window, &TQUEXClientFrm::serverConfigLoaded, [&] { loaded = true; });
        window.LoadServerConfig(c.userId);
        ASSERT_TRUE(waitFor([&] { return loaded; }));
        EXPECT_EQ(GlobalConfig()->ScInfos().size(), c.levelsStored ? 4 : 0);
        EXPECT_EQ(GlobalConfig()->FileExtInfo(),
                  c.levelsStored ? content.clientConfig : u"[old]1[/old]"_s);
        QFile logo(window.logoPath());
        ASSERT_TRUE(logo.open(QIODevice::ReadOnly));
        EXPECT_EQ(logo.readAll(), oldLogo);
    }
}

// The poll asks for the interval until it has one above 0, then for messages once per
// interval unless they are put off. A server interval of 0 is read as 60 seconds: the poll
// does not ask on every tick, and notices do not pile up.
TEST_P(MainWindowServer, MessagePollShowsOneNoticePerInterval) {
    const struct {
        const char* name;
        int serverSpace;
        double snoozeDays;  // LastTimeOfViewMsg from now
        int expectedSpace;  // seconds
        int expectedPolls;
        int expectedNotices;
    } cases[] = {
        {"interval of 0", 0, -1, 60, 1, 1},
        {"interval of 120", 120, -1, 120, 1, 1},
        {"put off", 60, 0.5, 60, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.clearRequests();
        inModel([&](DocModel& m) {
            m.rules.msgSpace = c.serverSpace;
            m.users[demo::DemoUser].messages = QStringList{u"a new version"_s};
        });
        TQUEXClientFrm window;
        logIn(window);
        GlobalConfig()->SetLastTimeOfViewMsg(Now() + c.snoozeDays);
        int notices = 0;
        window.Hooks().CreateMessageNotice = [&](QWidget* parent) {
            ++notices;
            return new QWidget(parent);
        };
        window.SetLogin(true);
        // Many ticks, and messages waiting again half-way.
        for (int tick = 0; tick < 40; ++tick) {
            window.TimerMsgTimer();
            waitFor([&] { return !window.messagePoll()->IsBusy(); });
            if (tick == 20)
                inModel([](DocModel& m) { m.users[demo::DemoUser].messages.append(u"b"_s); });
        }
        EXPECT_DOUBLE_EQ(window.messagePoll()->MsgHintSpace(), c.expectedSpace / 86400.0);
        EXPECT_EQ(requestsOf(TT_GetMsgSpace), 1);
        EXPECT_EQ(requestsOf(TT_GetUserMsg), c.expectedPolls);
        EXPECT_EQ(notices, c.expectedNotices);
        EXPECT_EQ(window.messageNotice() != nullptr, c.expectedNotices > 0);
        if (window.messageNotice()) {
            const QWidget* area = window.workArea();
            EXPECT_EQ(window.messageNotice()->geometry(),
                      QRect(area->width() - 380, area->height() - 230, 360, 200));
            EXPECT_TRUE(window.isVisible());
        }
    }
}

TEST_P(MainWindowServer, PollOfAnUnreachableServerWaitsSixtySeconds) {
    server.setFault(Fault::Refuse);
    TMessagePoll poll;
    TMsgPollServer to{server.host(), server.port(), GetParam(), demo::DemoToken(), HSL_ENG};
    int waiting = 0;
    QObject::connect(&poll, &TMessagePoll::messagesWaiting, [&] { ++waiting; });
    poll.Tick(to, Now(), Now() - 1);
    ASSERT_TRUE(waitFor([&] { return !poll.IsBusy(); }));
    EXPECT_DOUBLE_EQ(poll.MsgHintSpace(), 60 / 86400.0);
    EXPECT_FALSE(FetchUserMsgWaiting(to));
    EXPECT_EQ(waiting, 0);
}

// A window closed while its poll waits for a server that does not answer goes at once (the
// program does not linger for the read time-out).
TEST_P(MainWindowServer, ClosingDoesNotWaitForAServerThatDoesNotAnswer) {
    server.setFault(Fault::Stall);
    QElapsedTimer closing;
    {
        TQUEXClientFrm window;
        logIn(window);
        window.SetLogin(true);
        window.TimerMsgTimer();
        window.LoadServerConfig(demo::DemoUser);
        ASSERT_TRUE(window.messagePoll()->IsBusy());
        processEventsFor(100);
        closing.start();
    }
    EXPECT_LT(closing.elapsed(), 2 * TBackgroundTask::kEndWaitMs + 1000);
}

TEST_P(MainWindowServer, HomePageAcceptsTheOneTimeToken) {
    TQUEXClientFrm window;
    logIn(window);
    TSSLHttp browser(GetParam());
    const QString page = browser.Get(TQUEXClientFrm::HomePageUrl());
    EXPECT_EQ(browser.responseCode(), 200);
    const QString name = inModel([](DocModel& m) { return m.users[demo::DemoUser].displayName; });
    EXPECT_TRUE(page.contains(name)) << page.left(300).toStdString();

    GlobalConfig()->SetEncryptUserID(u"not-a-token"_s);
    EXPECT_THROW(browser.Get(TQUEXClientFrm::HomePageUrl()), HttpError);
}

INSTANTIATE_TEST_SUITE_P(Loopback, MainWindowServer, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Tls" : "Plain"; });

}  // namespace
