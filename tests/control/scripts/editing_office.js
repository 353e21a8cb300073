// An office document edited inside the control. Arguments: server, identity, the key and name of
// a .docx.
var a = host.args;
var c = new ActiveXObject("OvCtrl.QuexFormX");
host.show(c);
c.ServerIp = a[0];
c.SaveUsrInfo2(a[1]);
host.check(c.EditFile(a[2], a[3], "docx") === 1, "office editor opened");
host.check(host.forms(c).join() === "TOfficeFileEditFrm filling", "it fills the control: " + host.forms(c));
host.check(host.widget(c, "spbSave").visible === true, "its command bar shows");
c.ResetEditedWordAppHandle();
c.CancelFileEdit();
c.CloseWebBrowser();
host.print("office editing ok");
