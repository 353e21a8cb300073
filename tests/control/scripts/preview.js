// Previews inside the control as a page asks for them: arguments server, identity, PDF key and
// code, Word key and code, enciphered document options that allow editing and printing.
var a = host.args;
var c = new ActiveXObject("OvCtrl.QuexFormX");
host.show(c);
c.ServerIp = a[0];
c.SaveUsrInfo2(a[1]);
function waitFor(condition, ms) {
    for (var t = 0; t < ms && !condition(); t += 100) host.processEvents(100);
    return condition();
}
function viewerLoaded() {
    var v = host.widget(c, "DocumentViewer");
    return v.className !== undefined && v.visible;
}
function showsOnly(form) {
    var f = host.forms(c);
    return f.length === 1 && f[0] === form + " filling";
}

// Without document options the document is read-only and cannot be printed.
c.PreView2(a[2], a[3], "-1");
host.check(waitFor(viewerLoaded, 30000), "PDF shown: " + host.forms(c));
host.check(showsOnly("TPdfPreviewFrm"), "the PDF previewer fills the control: " + host.forms(c));
host.check(host.widget(c, "DocumentViewer").readOnly === true, "read-only");
host.check(host.widget(c, "tbPrint").visible === false, "no print button");

// A Word document, read-only.
c.PreView(a[4], a[5]);
host.check(waitFor(viewerLoaded, 90000), "Word document shown: " + host.forms(c));
host.check(showsOnly("TOfficeFilePreviewFrm"), "the Office previewer: " + host.forms(c));
host.check(host.widget(c, "DocumentViewer").readOnly === true, "Word read-only");
c.TrackRevisions(true);
c.EditFind();
host.answerDialogs("Cancel");
host.check(c.CanPrint === false, "CanPrint reads false");

// Editable and printable: the next preview replaces the Word one.
c.DocCommand = a[6];  // enciphered "Readonly=False,CanPrint=True,HashPs=abc,"
c.PreView2(a[2], a[3], "-1");
host.check(waitFor(function () {
    return viewerLoaded() && host.widget(c, "DocumentViewer").readOnly === false;
}, 30000), "PDF shown again: " + host.forms(c));
host.check(showsOnly("TPdfPreviewFrm"), "one previewer: " + host.forms(c));
host.check(host.widget(c, "DocumentViewer").readOnly === false, "editable");
host.check(host.widget(c, "tbPrint").visible === true, "print button");

// A code without previewer opens nothing, and the wait window does not stay.
c.PreView2(a[2], "abc", "-1");
host.check(host.forms(c).length === 0, "nothing shown: " + host.forms(c));
host.check(!host.widget(c, "TPreViewHint").visible, "no wait window left");
c.CloseWebBrowser();
host.print("preview ok");
