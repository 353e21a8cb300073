// Download-and-open as a page asks for it: arguments server, identity, the key of a file
// without related files, the key of one with related files, a folder for pictures of the
// dialogs, the language ("0" Chinese, "1" English).
var a = host.args;
var c = new ActiveXObject("OvCtrl.QuexFormX");
c.ServerIp = a[0];
c.SaveUsrInfo2(a[1]);
c.OcxSetLanguage(a[5]);

// A key that would add to the query if it went unencoded: no related files, and the server
// refuses the key (its message is answered).
host.answerDialogs("OK");
c.DownloadAndOpen("x.txt", a[2] + "&filekey=" + a[3], "-1");

// Without related files: the "_dx" copy, earlier copies gone.
c.DownloadAndOpen("plan.dwg", a[2], -1);

// With related files, cancelled: nothing is fetched.
host.answerDialogs("btnCancel", a[4]);
c.DownloadAndOpen("gearbox.dwg", a[3], -1);

// With related files, all ticked; the page's name tries to leave the folder.
host.answerDialogs("btnSelAll|btnConfirm");
c.DownloadAndOpen("../../gear box.dwg", a[3], -1);

host.print("texts: " + host.dialogTexts().join(" / "));
host.print("download ok");
