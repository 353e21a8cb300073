// The camera members where no camera is present.
var c = new ActiveXObject("OvCtrl.QuexFormX");
host.check(c.ReadCode() === "", "before WebCamOpen");
host.answerDialogs("OK");
c.WebCamOpen();
var said = host.dialogTexts();
host.check(said.length === 1 && /Call the camera fails!|调用摄像头失败!/.test(said[0]), "said: " + said);
host.check(c.ReadCode() === "", "no picture, no code");
c.WebCamFree();
