// Older versions and the exports as a page calls them, against the test server the settings
// name; host.args: the file key and the folder of the exported list.
var c = new ActiveXObject("OvCtrl.QuexFormX");
c.OcxSetLanguage("1");
host.answerDialogs("ok");
var got = c.GetOldVer(host.args[0], "装配说明.docx", "2,-1");
host.check(got === 1, "GetOldVer: " + got);
var bad = null;
try { c.GetOldVer("not a key", "a.doc", "1"); } catch (e) { bad = e.number; }
host.check(bad === -2147024809, "a key that is not a number fails: " + bad);
host.check(c.ExportFileList("2", host.args[1]) === "ok", "ExportFileList");
host.check(c.LogExport("[IsUploadLog]1[/IsUploadLog]") === "ok", "LogExport");
host.processEvents(200);
host.print("dialogs: " + host.dialogTexts().join(" | "));
