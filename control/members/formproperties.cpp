// The standard properties of the control's form. Those the widget keeps (visibility, caption,
// colour, font, enabled state, geometry) go to the widget; the others are kept in Props.

#include <QApplication>
#include <QPalette>

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "control/ovcom/stdfont.h"

namespace ov::control::members {

using ovcom::OLE_COLOR;
using ovcom::toVariantBool;
using ovcom::VARIANT_BOOL;

namespace {

bool isTrue(VARIANT_BOOL value) {
    return value != ovcom::VARIANT_FALSE;
}

// A system colour index (the low byte of 0x800000nn) as the palette's role.
QColor systemColor(const QWidget& widget, std::uint32_t index) {
    const QPalette& p = widget.palette();
    switch (index) {
        case 5:
            return p.color(QPalette::Base);  // window
        case 8:
            return p.color(QPalette::Text);  // window text
        case 15:
            return p.color(QPalette::Button);  // button face
        case 13:
            return p.color(QPalette::Highlight);  // highlight
        default:
            return p.color(QPalette::Window);
    }
}

QColor colorOf(const QWidget& widget, OLE_COLOR color) {
    const auto value = static_cast<std::uint32_t>(color);
    if (value & 0x80000000u) return systemColor(widget, value & 0xFF);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

}  // namespace

VARIANT_BOOL get_Visible(TQuexFormX& self) {
    return toVariantBool(!self.isHidden());
}
void put_Visible(TQuexFormX& self, VARIANT_BOOL Value) {
    self.setVisible(isTrue(Value));
}
VARIANT_BOOL get_AutoScroll(TQuexFormX& self) {
    return toVariantBool(self.Props.autoScroll);
}
void put_AutoScroll(TQuexFormX& self, VARIANT_BOOL Value) {
    self.Props.autoScroll = isTrue(Value);
}
VARIANT_BOOL get_AutoSize(TQuexFormX& self) {
    return toVariantBool(self.Props.autoSize);
}
void put_AutoSize(TQuexFormX& self, VARIANT_BOOL Value) {
    self.Props.autoSize = isTrue(Value);
}
TxActiveFormBorderStyle get_AxBorderStyle(TQuexFormX& self) {
    return self.Props.borderStyle;
}
void put_AxBorderStyle(TQuexFormX& self, TxActiveFormBorderStyle Value) {
    self.Props.borderStyle = Value;
}
QString get_Caption(TQuexFormX& self) {
    return self.windowTitle();
}
void put_Caption(TQuexFormX& self, const QString& Value) {
    self.setWindowTitle(Value);
}
OLE_COLOR get_Color(TQuexFormX& self) {
    return self.Props.color;
}
void put_Color(TQuexFormX& self, OLE_COLOR Value) {
    QPalette palette = self.palette();
    palette.setColor(QPalette::Window, colorOf(self, Value));
    self.setPalette(palette);
    self.Props.color = Value;
}

ovcom::ComPtr<ovcom::IDispatch> get_Font(TQuexFormX& self) {
    QPointer<QWidget> form(&self);
    return ovcom::ComPtr<ovcom::IDispatch>::attach(
        ovcom::createStdFont(self.font(), [form](const QFont& font) {
            if (form) form->setFont(font);
        }));
}
void put_Font(TQuexFormX& self, ovcom::IDispatch* Value) {
    self.setFont(ovcom::fontFromDispatch(Value, self.font()));
}
void putref_Font(TQuexFormX& self, ovcom::IDispatch* Value) {
    put_Font(self, Value);
}

VARIANT_BOOL get_KeyPreview(TQuexFormX& self) {
    return toVariantBool(self.Props.keyPreview);
}
void put_KeyPreview(TQuexFormX& self, VARIANT_BOOL Value) {
    self.Props.keyPreview = isTrue(Value);
}
std::int32_t get_PixelsPerInch(TQuexFormX& self) {
    return self.Props.pixelsPerInch;
}
void put_PixelsPerInch(TQuexFormX& self, std::int32_t Value) {
    self.Props.pixelsPerInch = Value;
}
TxPrintScale get_PrintScale(TQuexFormX& self) {
    return self.Props.printScale;
}
void put_PrintScale(TQuexFormX& self, TxPrintScale Value) {
    self.Props.printScale = Value;
}
VARIANT_BOOL get_Scaled(TQuexFormX& self) {
    return toVariantBool(self.Props.scaled);
}
void put_Scaled(TQuexFormX& self, VARIANT_BOOL Value) {
    self.Props.scaled = isTrue(Value);
}
VARIANT_BOOL get_Active(TQuexFormX& self) {
    return toVariantBool(self.isActiveWindow());
}
VARIANT_BOOL get_DropTarget(TQuexFormX& self) {
    return toVariantBool(self.Props.dropTarget);
}
void put_DropTarget(TQuexFormX& self, VARIANT_BOOL Value) {
    self.Props.dropTarget = isTrue(Value);
    self.setAcceptDrops(self.Props.dropTarget);
}
QString get_HelpFile(TQuexFormX& self) {
    return self.Props.helpFile;
}
void put_HelpFile(TQuexFormX& self, const QString& Value) {
    self.Props.helpFile = Value;
}
TxPopupMode get_PopupMode(TQuexFormX& self) {
    return self.Props.popupMode;
}
void put_PopupMode(TQuexFormX& self, TxPopupMode Value) {
    self.Props.popupMode = Value;
}
VARIANT_BOOL get_ScreenSnap(TQuexFormX& self) {
    return toVariantBool(self.Props.screenSnap);
}
void put_ScreenSnap(TQuexFormX& self, VARIANT_BOOL Value) {
    self.Props.screenSnap = isTrue(Value);
}
std::int32_t get_SnapBuffer(TQuexFormX& self) {
    return self.Props.snapBuffer;
}
void put_SnapBuffer(TQuexFormX& self, std::int32_t Value) {
    self.Props.snapBuffer = Value;
}
VARIANT_BOOL get_DockSite(TQuexFormX& self) {
    return toVariantBool(self.Props.dockSite);
}
void put_DockSite(TQuexFormX& self, VARIANT_BOOL Value) {
    self.Props.dockSite = isTrue(Value);
}
VARIANT_BOOL get_DoubleBuffered(TQuexFormX& self) {
    return toVariantBool(self.Props.doubleBuffered);
}
void put_DoubleBuffered(TQuexFormX& self, VARIANT_BOOL Value) {
    self.Props.doubleBuffered = isTrue(Value);
}
VARIANT_BOOL get_AlignDisabled(TQuexFormX&) {
    return ovcom::VARIANT_FALSE;
}
VARIANT_BOOL get_MouseInClient(TQuexFormX& self) {
    return toVariantBool(self.underMouse());
}
std::int32_t get_VisibleDockClientCount(TQuexFormX&) {
    return 0;
}
VARIANT_BOOL get_UseDockManager(TQuexFormX& self) {
    return toVariantBool(self.Props.useDockManager);
}
void put_UseDockManager(TQuexFormX& self, VARIANT_BOOL Value) {
    self.Props.useDockManager = isTrue(Value);
}
VARIANT_BOOL get_Enabled(TQuexFormX& self) {
    return toVariantBool(self.isEnabled());
}
void put_Enabled(TQuexFormX& self, VARIANT_BOOL Value) {
    self.setEnabled(isTrue(Value));
}
std::int32_t get_ExplicitLeft(TQuexFormX& self) {
    return self.x();
}
std::int32_t get_ExplicitTop(TQuexFormX& self) {
    return self.y();
}
std::int32_t get_ExplicitWidth(TQuexFormX& self) {
    return self.width();
}
std::int32_t get_ExplicitHeight(TQuexFormX& self) {
    return self.height();
}
VARIANT_BOOL get_AlignWithMargins(TQuexFormX& self) {
    return toVariantBool(self.Props.alignWithMargins);
}
void put_AlignWithMargins(TQuexFormX& self, VARIANT_BOOL Value) {
    self.Props.alignWithMargins = isTrue(Value);
}

void CloseWebBrowser(TQuexFormX& self) {
    self.CloseChildForms();
}

}  // namespace ov::control::members
