// Online editing inside the control as a page drives it. Arguments: server, identity, the key and
// name of a text file.
var a = host.args;
var c = new ActiveXObject("OvCtrl.QuexFormX");
host.show(c);
c.ServerIp = a[0];
c.SaveUsrInfo2(a[1]);
host.check(c.UploadEditedFile() === "Failed to create object", "no editor to upload from");

// A type without an editor opens nothing and answers 0.
host.check(c.EditFile(a[2], a[3], "pdf") === 0, "no editor for pdf");
host.check(host.forms(c).length === 0, "nothing opened: " + host.forms(c));

// The extension counts in lower case; the typed change goes up as a new version.
host.check(c.EditFile(a[2], a[3], "TXT") === 1, "text editor opened");
host.check(host.forms(c).join() === "TTextFileEditFrm filling", "it fills the control: " + host.forms(c));
host.keyClicks(c, "typed ");
host.check(c.UploadEditedFileToOtherFolder(1, 2) !== "ok", "only office files go elsewhere");
host.check(c.UploadEditedFile() === "ok", "uploaded");

// A second edit, cancelled: the editor closes but stays the control's editor.
host.check(c.EditFile(a[2], a[3], "txt") === 1, "edited again");
c.CancelFileEdit();
host.check(host.forms(c).length === 1, "the cancelled editor is closed: " + host.forms(c));
c.CloseWebBrowser();
host.print("editing ok");
