// OCR as a page drives it: args[0] a picture of two lines of text.
var c = new ActiveXObject("OvCtrl.QuexFormX");
host.check(c.Ocr() === "", "nothing loaded yet");
host.check(c.OcrVer() !== "", "the engine is installed");
c.LoadModiX(host.args[0]);
var text = c.Ocr();
host.check(text.indexOf("Quarterly report") >= 0, "text: " + text);
host.check(c.GetModiFileName() === "", "no file chosen");
c.FreeModiFrm();
host.check(c.Ocr() === "", "freed");
