// Scanning from the page with SANE's test device: arguments server, identity, owner, folder.
var a = host.args;
var c = new ActiveXObject("OvCtrl.QuexFormX");
host.show(c);
c.ServerIp = a[0];
c.SaveUsrInfo2(a[1]);
c.OcxSetLanguage("1");
host.answerDialogs("OK");

// Without the capture window nothing happens.
c.TwainAcquire();
host.check(c.TwainUpload() === "", "no keys without the window");
c.TwainFree();

c.TwainInit(a[2], a[3]);
host.check(host.forms(c)[0] === "TTwainXeFrm filling", "capture window: " + host.forms(c));
function sources() { return host.widget(c, "cbTwainSource").count > 0; }
for (var t = 0; t < 30000 && !sources(); t += 100) host.processEvents(100);
host.check(sources(), "scanners listed");
c.TwainAcquire();
function scanned() { return host.widget(c, "tbSaveAs").visible === true; }
for (t = 0; t < 60000 && !scanned(); t += 100) host.processEvents(100);
host.check(scanned(), "a page scanned");
host.answerDialogs("edtFileName=Scan|btnUpload");
host.print("keys " + c.TwainUpload());
c.TwainFree();
host.check(host.forms(c).length === 0, "the window is gone: " + host.forms(c));
host.print("capture ok");
