// The control's object: conversions, the clean-up, the wait window
// and the events from Qt's input.

#include <QLineEdit>
#include <QTest>

#include "control/object/typelib.h"
#include "controlfixture.h"
#include "documents/preview/previewhint.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::control;
using ov::test::ControlTest;
using ov::test::RecordingSink;

namespace {

TEST_F(ControlTest, APutOfTheWrongKindChangesNothing) {
    struct Case {
        const char16_t* property;
        ovcom::Variant value;
        ovcom::HRESULT expected;
    } cases[] = {
        {u"PixelsPerInch", ovcom::Variant(u"many"_s), ovcom::DISP_E_TYPEMISMATCH},
        {u"PixelsPerInch", ovcom::Variant(3e10), ovcom::DISP_E_OVERFLOW},
        {u"KeyPreview", ovcom::Variant(u"perhaps"_s), ovcom::DISP_E_TYPEMISMATCH},
        {u"Caption", ovcom::Variant::null(), ovcom::DISP_E_TYPEMISMATCH},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf16(c.property);
        ASSERT_EQ(call(name, ovcom::DISPATCH_PROPERTYGET), ovcom::S_OK);
        const QString before = result.debugText();
        EXPECT_EQ(call(name, ovcom::DISPATCH_PROPERTYPUT, {c.value}), c.expected)
            << name.toStdString();
        ASSERT_EQ(call(name, ovcom::DISPATCH_PROPERTYGET), ovcom::S_OK);
        EXPECT_EQ(result.debugText(), before) << name.toStdString();
    }
    // The right kinds convert as scripts expect.
    EXPECT_EQ(call(u"PixelsPerInch"_s, ovcom::DISPATCH_PROPERTYPUT, {ovcom::Variant(u" 120 "_s)}),
              ovcom::S_OK);
    EXPECT_EQ(form->Props.pixelsPerInch, 120);
    EXPECT_EQ(call(u"Caption"_s, ovcom::DISPATCH_PROPERTYPUT, {ovcom::Variant(7)}), ovcom::S_OK);
    EXPECT_EQ(form->windowTitle(), u"7"_s);
}

TEST_F(ControlTest, StandardPropertiesStartAsTheFormIsDescribed) {
    ASSERT_EQ(call(u"Caption"_s, ovcom::DISPATCH_PROPERTYGET), ovcom::S_OK);
    EXPECT_EQ(result.bstr(), u"QuexFormX"_s);
    ASSERT_EQ(call(u"Color"_s, ovcom::DISPATCH_PROPERTYGET), ovcom::S_OK);
    EXPECT_EQ(result.ui4(), 0x80000005u);
    ASSERT_EQ(call(u"Visible"_s, ovcom::DISPATCH_PROPERTYGET), ovcom::S_OK);
    EXPECT_FALSE(result.boolValue());  // hidden until its host shows it
    EXPECT_EQ(form->size(), QSize(553, 416));
    // The font object is connected to the form.
    ASSERT_EQ(call(u"Font"_s, ovcom::DISPATCH_PROPERTYGET), ovcom::S_OK);
    ovcom::ComPtr<ovcom::IDispatch> font(result.dispatch());
    const QString size = u"Size"_s;
    ovcom::DISPID id = 0;
    ASSERT_EQ(font->GetIDsOfNames(&size, 1, &id), ovcom::S_OK);
    ovcom::Variant twelve(12);
    ovcom::DispParams params{std::span<ovcom::Variant>(&twelve, 1)};
    ASSERT_EQ(font->Invoke(id, ovcom::DISPATCH_PROPERTYPUT, params, nullptr, nullptr, nullptr),
              ovcom::S_OK);
    EXPECT_EQ(form->font().pointSize(), 12);
}

TEST_F(ControlTest, CleanUpRunsEveryStepAndReportsTheFirstFailure) {
    std::vector<QPointer<QWidget>> forms;
    std::vector<ChildForm> closed;
    for (std::size_t i = 0; i < kChildFormCount; ++i) {
        const auto slot = static_cast<ChildForm>(i);
        forms.emplace_back(new QWidget);
        form->Forms.set(slot, forms.back(), [&closed, slot] {
            closed.push_back(slot);
            if (slot == ChildForm::Editor || slot == ChildForm::AxPreviewer)
                throw std::runtime_error(slot == ChildForm::Editor ? "editor" : "viewer");
        });
    }
    EXPECT_EQ(call(u"CloseWebBrowser"_s, ovcom::DISPATCH_METHOD), ovcom::DISP_E_EXCEPTION);
    EXPECT_EQ(excep.scode, ovcom::E_UNEXPECTED);
    EXPECT_EQ(excep.description, u"editor"_s);
    EXPECT_EQ(closed.size(), kChildFormCount);
    for (const auto& child : forms)
        EXPECT_TRUE(child.isNull());
    // A second call finds nothing to do.
    EXPECT_EQ(call(u"CloseWebBrowser"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
}

TEST_F(ControlTest, WaitWindowComesBackAfterTheCleanUpFreedIt) {
    QPointer<TPreViewHint> first = form->HintOfPreviewFrm();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isHidden());
    EXPECT_EQ(form->HintOfPreviewFrm(), first.data());
    EXPECT_EQ(call(u"CloseWebBrowser"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
    EXPECT_TRUE(first.isNull());
    TPreViewHint* second = form->HintOfPreviewFrm();
    ASSERT_NE(second, nullptr);
    second->ShowHint(u"…"_s, TPreViewHint::PictureWait);
}

class ControlEvents : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ovcom::ComPtr<ovcom::IConnectionPoint> point;
        ASSERT_EQ(iface->QueryInterface(ovcom::IID_IConnectionPoint, point.put()), ovcom::S_OK);
        ASSERT_EQ(point->Advise(&sink, &cookie), ovcom::S_OK);
        EXPECT_EQ(point->Advise(&sink, &cookie), ovcom::CONNECT_E_ADVISELIMIT);
        form->show();
        QApplication::processEvents();
        sink.events.clear();
    }
    RecordingSink sink;
    std::uint32_t cookie = 0;
};

TEST_F(ControlEvents, KeyPressCanBeSwallowedOrReplaced) {
    auto* field = new QLineEdit(form);
    field->show();
    field->setFocus();
    sink.keyMap = {{u'a', u'b'}, {u'x', 0}};
    // Without KeyPreview the form sees only its own keys.
    QTest::keyClicks(field, u"ax"_s);
    EXPECT_EQ(field->text(), u"ax"_s);
    EXPECT_TRUE(sink.keys.empty());
    form->Props.keyPreview = true;
    field->clear();
    QTest::keyClicks(field, u"axc"_s);
    EXPECT_EQ(field->text(), u"bc"_s);
    EXPECT_EQ(sink.keys, (std::vector<std::int16_t>{u'a', u'x', u'c'}));
    // Keys of the form itself reach the sink with or without KeyPreview.
    form->Props.keyPreview = false;
    QTest::keyClick(form, Qt::Key_Q, Qt::NoModifier);
    EXPECT_EQ(sink.keys.back(), u'q');
}

TEST_F(ControlEvents, MouseAndLifetimeEventsReachTheSink) {
    QTest::mouseClick(form, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseDClick(form, Qt::LeftButton, {}, QPoint(20, 20));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(form, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form, &leave);
    const auto has = [&](ovcom::DISPID id) {
        return std::find(sink.events.begin(), sink.events.end(), id) != sink.events.end();
    };
    EXPECT_TRUE(has(202));  // OnClick
    EXPECT_TRUE(has(204));  // OnDblClick
    EXPECT_TRUE(has(208));  // OnMouseEnter
    EXPECT_TRUE(has(209));  // OnMouseLeave
    form->repaint();
    EXPECT_TRUE(has(210));  // OnPaint
    // Destruction: the clean-up first (the wait window goes), then OnDestroy.
    QPointer<TPreViewHint> hint = form->HintOfPreviewFrm();
    iface->Release();
    iface = nullptr;
    EXPECT_TRUE(hint.isNull());
    EXPECT_EQ(sink.events.back(), 205);
    EXPECT_EQ(sink.refs, 1u);  // the control let its sink go
}

TEST_F(ControlEvents, ActivationReachesTheSink) {
    QApplication::setActiveWindow(nullptr);
    QApplication::processEvents();
    sink.events.clear();
    QApplication::setActiveWindow(form);
    QApplication::processEvents();
    QApplication::setActiveWindow(nullptr);
    QApplication::processEvents();
    EXPECT_EQ(sink.events, (std::vector<ovcom::DISPID>{201, 206}));  // OnActivate, OnDeactivate
}

TEST_F(ControlEvents, NoSinkNoEvents) {
    ovcom::ComPtr<ovcom::IConnectionPoint> point;
    iface->QueryInterface(ovcom::IID_IConnectionPoint, point.put());
    EXPECT_EQ(point->Unadvise(cookie + 1), ovcom::CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(cookie), ovcom::S_OK);
    QTest::mouseClick(form, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(sink.events.empty());
}

}  // namespace
