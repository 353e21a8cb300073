// The page's uploads and downloads: arguments server, identity, the key of a file, a local
// file to copy, the owner and the folder to upload into, and the keys and names of two files
// to download.
var a = host.args;
var c = new ActiveXObject("OvCtrl.QuexFormX");
host.show(c);
c.ServerIp = a[0];
c.SaveUsrInfo2(a[1]);
c.OcxSetLanguage("1");
host.answerDialogs("OK");

// The clipboard's picture: nothing for a key that is no number or 0, a message without a
// picture, then one numbered picture after the other.
host.setClipboardImage(64, 48);
host.check(c.UploadClipboardImg("0") === "", "key 0");
host.check(c.UploadClipboardImg("abc") === "", "key abc");
host.setClipboardFiles([a[3]]);
host.check(c.UploadClipboardImg(a[2]) === "", "no picture");
host.check(host.dialogTexts().join("/").indexOf("No image in clipboard") >= 0,
           "no picture message: " + host.dialogTexts());
host.setClipboardImage(64, 48);
host.print("tag1 " + c.UploadClipboardImg(a[2]));
host.print("tag2 " + c.UploadClipboardImg(" " + a[2] + " "));

// Clipboard files into a folder; an owner that is no number fails before anything goes.
var failed = "";
try { c.UploadFiles("abc", a[5]); } catch (e) { failed = e.description; }
host.check(failed.indexOf("abc") >= 0, "conversion error: " + failed);
host.check(host.forms(c).length === 0, "the form stays hidden: " + host.forms(c));
host.setClipboardFiles([a[3]]);
c.UploadFiles(a[4], a[5]);
host.check(host.forms(c)[0] === "TUploadDragFilesFrm filling", "upload form: " + host.forms(c));
function uploaded() { return host.widget(c, "lbT").text === "There are 1 files, has completed 1"; }
for (var t = 0; t < 30000 && !uploaded(); t += 100) host.processEvents(100);
host.check(uploaded(), "the upload ended: " + host.widget(c, "lbT").text);

// Two files into the download folder; "&nbsp;" in a name is a blank.
host.answerDialogs("cbOpenFile|btConfirm");
host.print("downloaded " + c.BatchDownload(a[6], a[7]));
c.CloseWebBrowser();
host.print("transfers ok");
