// The batch window painted with a running upload: its details follow the task. Painting runs
// Qt's own pooled threads, so this test stays out of the thread-sanitizer run.

#include "serverfixture.h"

#include "client/batch/batchwindow.h"
#include "client/batch/taskaddfrm.h"
#include "core/batchtranconfig.h"
#include "core/globalconfig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class BatchDisplayTest : public BatchServerTest {
protected:
    void Save(const TBatchTransportArray& tasks) {
        TBatchTranConfig config;
        for (const TBatchTransport& t : tasks)
            config.AddTask(t);
        config.Save();
    }
    template <class F>
    bool Pump(F condition, int ms = 20000) {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < ms) {
            QApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return condition();
    }
    TBatchTransport Upload(std::int32_t id, TTaskState st, const QString& folder) {
        TBatchTransport t = UploadTask(folder);
        t.Id = id;
        t.St = st;
        return t;
    }
};

// The details follow the running task; with OV_BATCH_SHOTS set to a folder, the window with
// its running task and the task dialog are saved there as pictures, in both languages.
TEST_F(BatchDisplayTest, TheDetailsShowARunningUpload) {
    const QString shots = qEnvironmentVariable("OV_BATCH_SHOTS");
    for (const THS_Language language : {HSL_CN, HSL_ENG}) {
        const std::int32_t id = language == HSL_CN ? 11 : 12;
        QFile::remove(TBatchTranConfig().ConfigFileName());
        const QString root = Local(u"big%1/"_s.arg(id));
        Write(root + u"big%1.bin"_s.arg(id), QByteArray(200 * 1024 * 1024, 'z'));
        // Both rounds upload into one server folder: names of their own keep them apart.
        Write(root + u"small%1.txt"_s.arg(id), "x");
        Save({Upload(id, ST_Running, root)});
        TBatchWindowServices s;
        s.Server = [this] { return Server(); };
        auto window = std::make_unique<TBatchFileDealMainFrm>(language, s);
        window->resize(1100, 620);
        window->show();
        window->UMRobotStartAll();
        TCustomBathFileDeal* w = window->FindWorker(id);
        ASSERT_TRUE(w);
        // Progress is reported at most twice a second and loopback carries the big file in
        // less: its first chunk waits out the half second, so its report comes mid-file and the
        // worker pauses there.
        QObject::connect(
            w, &TCustomBathFileDeal::startDealFile, w,
            [](const QString& path) {
                if (path.endsWith(u".bin"_s))
                    std::this_thread::sleep_for(std::chrono::milliseconds(600));
            },
            Qt::DirectConnection);
        QObject::connect(
            w, &TCustomBathFileDeal::tcpWork, w,
            [w](qint64 done, qint64 all) {
                if (done < all) w->PauseEx();
            },
            Qt::DirectConnection);
        auto* size = window->findChild<QLabel*>(u"lbSizeInfo"_s);
        ASSERT_TRUE(Pump([&] { return size->text().endsWith(u"/204801K"_s); }))
            << w->LogText().toStdString() << " log label: "
            << window->findChild<QLabel*>(u"lbLog"_s)->text().toStdString();
        Pump([] { return false; }, 300);
        EXPECT_NE(size->text(), u"204801K/204801K"_s) << "the upload is not held mid-file";
        EXPECT_FALSE(window->findChild<QLineEdit*>(u"edtFileName"_s)->text().isEmpty());
        const QString lang = language == HSL_CN ? u"cn"_s : u"en"_s;
        if (!shots.isEmpty()) window->grab().save(shots + u"/batch-window-"_s + lang + u".png"_s);
        if (!shots.isEmpty()) {
            const auto config = RenewGlobalConfig();
            config->SetEncryptUserID(demo::DemoToken());
            TTaskAddFrm dialog(language, {});
            dialog.Message = [](const QString&) {};
            TBatchTransport t = Upload(id, ST_Init, root);
            t.DestFolderName = u"我的文档"_s;
            dialog.SetTaskInfo(t);
            dialog.show();
            Pump([] { return false; }, 200);
            dialog.grab().save(shots + u"/task-dialog-"_s + lang + u".png"_s);
        }
        window.reset();
    }
}

}  // namespace
}  // namespace ov::test
