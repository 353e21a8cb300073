// Members through GetIDsOfNames/Invoke, as a page calls them.
var c = new ActiveXObject("OvCtrl.QuexFormX");
c.OcxSetLanguage("1");
host.check(c.GetOcxEdition() === "6.4.1.0", "edition");
host.check(host.dispId(c, "getoldver") === 237 && host.dispId(c, "Checkout") === 235,
           "DISPIDs are not in table order");
var unknown = null;
try { host.dispId(c, "NoSuchMember"); } catch (e) { unknown = e.number; }
host.check(unknown === -2147352570, "unknown name: " + unknown);

c.ServerIp = "srv#8443#1";
host.check(c.ServerIp === "srv#8443", "ServerIp: " + c.ServerIp);

var mismatch = null;
try { c.PixelsPerInch = "many"; } catch (e) { mismatch = e.number; }
host.check(mismatch === -2147352571 && c.PixelsPerInch === 96, "wrong kind changes nothing");
c.PixelsPerInch = "120";
host.check(c.PixelsPerInch === 120, "numeric text converts");

var font = c.Font;
font.Size = 14;
host.check(c.Font.Size === 14 && c.Font.Name === "Tahoma", "the font object is the form's");
host.check(c.Color === 0x80000005, "window colour");

var other = new ActiveXObject("OvCtrl.QuexFormX");
other.Caption = "second";
host.check(c.Caption === "QuexFormX" && other.Caption === "second", "two independent controls");
c.CloseWebBrowser();
c.CloseWebBrowser();
host.print("members ok");

// The local computer, as a page asks about it.
host.check(c.GetCurrentUserName() !== "", "user name");
host.check(c.GetMapHostIp("no-such-name.invalid") === "", "unknown host name");
host.check(/^([0-9.]+  [0-9A-F-]+;)*$/.test(c.GetMacs()), "adapter list: " + c.GetMacs());
c.TaskKill("no-such-program-here");
host.answerDialogs("OK");
host.check(c.RTXMsg("someone", "hello") === "", "RTXMsg gives no error text");
var rtx = host.dialogTexts();
host.check(rtx.length === 1 && rtx[0].indexOf("Cannot find RTX Dialog") >= 0, "RTXMsg: " + rtx);
