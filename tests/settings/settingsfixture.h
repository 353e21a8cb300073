#pragma once
// A private home for settings tests, a fixed adapter list and helpers for the settings files.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

#include "core/paths.h"
#include "platform/adapters.h"
#include "platform/codepage.h"
#include "support/temphome.h"

namespace ov::test {

inline platform::AdapterList adaptersA() {
    return {{QByteArray("\x00\x1A\x2B\x3C\x4D\x5E", 6), {QStringLiteral("192.168.1.10")}},
            {QByteArray("\x00\x1A\x2B\x3C\x4D\x5F", 6), {QStringLiteral("10.1.2.3")}}};
}

inline platform::AdapterList adaptersB() {
    return {{QByteArray("\x52\x54\x00\x12\x34\x56", 6), {QStringLiteral("172.17.0.1")}}};
}

inline void useAdapters(const platform::AdapterList& list) {
    platform::setAdapterSource([list] { return std::optional<platform::AdapterList>(list); });
}

// UTF-16LE with byte-order mark, as the settings files are written.
inline QByteArray utf16File(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

inline QByteArray readBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = std::make_unique<TempHome>();
        platform::setSystemCodePageOverride(936);
        useAdapters(adaptersA());
        configPath = GetUserDataPath();
    }
    void TearDown() override {
        platform::setAdapterSource({});
        platform::setSystemCodePageOverride(0);
        home.reset();
    }
    QString sysFile() const { return configPath + QStringLiteral("zvq.sys"); }
    QString dscFile() const { return configPath + QStringLiteral("zvq.dsc"); }
    void writeSys(const QString& text) const { writeBytes(sysFile(), utf16File(text)); }

    std::unique_ptr<TempHome> home;
    QString configPath;
};

}  // namespace ov::test
