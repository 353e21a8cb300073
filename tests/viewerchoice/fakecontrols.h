#pragma once
// Recording stand-ins for the AutoVue and eDrawings controls.

#include <QColor>
#include <QStringList>
#include <map>

#include "documents/cad/axprewview.h"
#include "documents/cad/edrawings.h"

namespace ov::test {

class FakeEDrawings : public EDrawingsControl {
public:
    FakeEDrawings(QWidget* parent, QStringList& log) : EDrawingsControl(parent), m_log(log) {}
    void OpenDoc(const QString& f, bool a, bool b, bool c, const QString& d) override {
        m_log << QStringLiteral("OpenDoc %1 %2%3%4 [%5]").arg(f).arg(a).arg(b).arg(c).arg(d);
    }
    void CloseActiveDoc(const QString& n) override {
        m_log << QStringLiteral("CloseActiveDoc [%1]").arg(n);
    }
    void SetViewOperator(int v) override { m_log << QStringLiteral("ViewOperator %1").arg(v); }
    void SetViewOrientation(int v) override {
        m_log << QStringLiteral("ViewOrientation %1").arg(v);
    }
    bool ViewState(int index) const override {
        const auto it = m_states.find(index);
        return it != m_states.end() && it->second;
    }
    void SetViewState(int index, bool value) override {
        m_states[index] = value;
        m_log << QStringLiteral("ViewState %1 %2").arg(index).arg(value);
    }
    void SetPaperColor(const QColor& c) override {
        m_log << QStringLiteral("PaperColor ") + c.name();
    }
    void SetPaperColorOverride(bool v) override {
        m_log << QStringLiteral("PaperColorOverride %1").arg(v);
    }
    void Refresh() override { m_log << QStringLiteral("Refresh"); }

private:
    QStringList& m_log;
    std::map<int, bool> m_states;
};

class FakeAutoVue : public AutoVueControl {
public:
    FakeAutoVue(QWidget* parent, QStringList& log) : AutoVueControl(parent), m_log(log) {}
    void SetSRC(const QString& f) override { m_log << QStringLiteral("SRC ") + f; }
    void SetPrintOptions(const QString& n, const QString& v) override {
        m_log << QStringLiteral("SetPrintOptions %1 %2").arg(n, v);
    }
    void PrintIt(bool d) override { m_log << QStringLiteral("PrintIt %1").arg(d); }
    void PrintPreview(bool a, bool b) override {
        m_log << QStringLiteral("PrintPreview %1 %2").arg(a).arg(b);
    }

private:
    QStringList& m_log;
};

// Installs recording factories for the lifetime of the object; `classIds` records the class
// ids of the eDrawings controls asked for.
class FakeControls {
public:
    FakeControls() {
        SetEDrawingsControlFactory([this](const QString& classId, QWidget* parent) {
            classIds << classId;
            return new FakeEDrawings(parent, log);
        });
        SetAutoVueControlFactory([this](QWidget* parent) { return new FakeAutoVue(parent, log); });
    }
    ~FakeControls() {
        SetEDrawingsControlFactory({});
        SetAutoVueControlFactory({});
    }
    QStringList log;
    QStringList classIds;
};

}  // namespace ov::test
