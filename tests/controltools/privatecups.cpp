#include "privatecups.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

bool WriteFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

QString Tool(const QString& name) {
    return QStandardPaths::findExecutable(name, {u"/usr/sbin"_s, u"/usr/bin"_s, u"/sbin"_s});
}

// The queue passes the document through unchanged (the copying filter every CUPS has), so the
// file holds the PDF the program sent.
const char* const FilePpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "OVFILE.PPD"
*Manufacturer: "Test"
*Product: "(File)"
*ModelName: "PDF to file"
*ShortNickName: "PDF to file"
*NickName: "PDF to file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*cupsFilter2: "application/pdf application/vnd.cups-raw 0 gziptoany"
)ppd";

}  // namespace

PrivateCups::PrivateCups() {
    if (Tool(u"cupsd"_s).isEmpty() || Tool(u"lpadmin"_s).isEmpty())
        m_error = u"cupsd or lpadmin is not installed"_s;
    else if (!m_dir.isValid() || !writeConfig())
        m_error = u"the configuration could not be written"_s;
    else if (start())
        addQueue();
}

PrivateCups::~PrivateCups() {
    if (m_cupsd.state() == QProcess::NotRunning) return;
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(5000)) m_cupsd.kill();
    m_cupsd.waitForFinished(5000);
}

bool PrivateCups::writeConfig() {
    const QString d = m_dir.path();
    for (const char* sub : {"out", "spool", "tmp", "cache", "state"})
        if (!QDir(d).mkpath(QLatin1StringView(sub))) return false;
    const QString conf = u"LogLevel warn\nListen "_s + socket() +
                         u"\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                         u"<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n"_s;
    const QString files = u"FileDevice Yes\nServerRoot "_s + d + u"\nRequestRoot "_s + d +
                          u"/spool\nTempDir "_s + d + u"/tmp\nCacheDir "_s + d +
                          u"/cache\nStateDir "_s + d + u"/state\nErrorLog "_s + d +
                          u"/error_log\nAccessLog "_s + d + u"/access_log\nPageLog "_s + d +
                          u"/page_log\n"_s;
    return WriteFile(d + u"/cupsd.conf"_s, conf) && WriteFile(d + u"/cups-files.conf"_s, files) &&
           WriteFile(d + u"/file.ppd"_s, QString::fromLatin1(FilePpd));
}

bool PrivateCups::start() {
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(Tool(u"cupsd"_s), {u"-f"_s, u"-c"_s, m_dir.filePath(u"cupsd.conf"_s), u"-s"_s,
                                      m_dir.filePath(u"cups-files.conf"_s)});
    for (int i = 0; i < 100 && m_cupsd.state() != QProcess::NotRunning; ++i) {
        if (QFile::exists(socket())) return true;
        m_cupsd.waitForFinished(100);
    }
    m_error = u"cupsd did not start: "_s + QString::fromUtf8(m_cupsd.readAll()).trimmed();
    return false;
}

bool PrivateCups::addQueue() {
    QProcess lpadmin;
    lpadmin.setProcessChannelMode(QProcess::MergedChannels);
    lpadmin.start(Tool(u"lpadmin"_s),
                  {u"-h"_s, socket(), u"-p"_s, queue(), u"-E"_s, u"-v"_s, u"file:"_s + output(),
                   u"-P"_s, m_dir.filePath(u"file.ppd"_s)});
    if (lpadmin.waitForFinished(30000) && lpadmin.exitStatus() == QProcess::NormalExit &&
        lpadmin.exitCode() == 0)
        return true;
    m_error = u"lpadmin refused the queue: "_s + QString::fromUtf8(lpadmin.readAll()).trimmed();
    return false;
}

}  // namespace ov::test
