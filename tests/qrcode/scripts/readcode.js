// A code read from the camera as a page reads it: the camera shows a picture of a QR code
// holding args[0].
var c = new ActiveXObject("OvCtrl.QuexFormX");
c.WebCamOpen();
host.check(host.dialogTexts().length === 0, "no message: " + host.dialogTexts());
var code = c.ReadCode();
host.check(code === host.args[0], "code: " + code);
c.WebCamFree();
host.check(c.ReadCode() === "", "freed");
