// A page's first steps with the control: create it, read members, see a failing member.
var ctrl = new ActiveXObject("OvCtrl.QuexFormX");
host.print("edition:", ctrl.GetOcxEdition(), " server:", ctrl.ServerIp, " caption:", ctrl.Caption);
host.print("DISPID of GetOldVer:", host.dispId(ctrl, "GetOldVer"));
try {
    ctrl.PreView("1", "pdf");
} catch (e) {
    host.print("PreView failed:", e.description, "(" + e.number + ")");
}
